// The table of world functions, gathered from every family.

#include "engine/world_functions.h"

#include <cstdio>

namespace kestrin::engine {

std::string FunctionCall::Text(int i) const {
    if (i >= Count()) return {};
    if (args[i].IsString()) return args[i].Text();
    // A real shown as text: whole numbers without a fraction.
    const double r = args[i].Real();
    char buffer[40];
    if (r == std::floor(r) && std::fabs(r) < 1e15)
        std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(r));
    else
        std::snprintf(buffer, sizeof buffer, "%.2f", r);
    return buffer;
}

std::vector<WorldFunctionEntry> WorldFunctions() {
    std::vector<WorldFunctionEntry> table;
    AddInstanceFunctions(table);
    AddMotionFunctions(table);
    AddDrawingFunctions(table);
    AddGameFunctions(table);
    AddWindowFunctions(table);
    AddHighscoreFunctions(table);
    AddParticleFunctions(table);
    AddFileFunctions(table);
    AddDateFunctions(table);
    AddSystemFunctions(table);
    AddResourceNameFunctions(table);
    AddResourceImageFunctions(table);
    AddResourcePathFunctions(table);
    AddResourceSoundFunctions(table);
    AddResourceObjectFunctions(table);
    AddResourceRoomFunctions(table);
    AddTileFunctions(table);
    AddDrawingShapeFunctions(table);
    AddDialogFunctions(table);
    AddDeviceFunctions(table);
    AddCollisionShapeFunctions(table);
    AddActivationFunctions(table);
    AddPlanningFunctions(table);
    AddMultiplayerFunctions(table);
    AddExternalFunctions(table);
    return table;
}

}  // namespace kestrin::engine
