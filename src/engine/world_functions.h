#pragma once
// The built-in functions that act on the world: instances, motion,
// collisions, drawing, keyboard and mouse, rooms, sounds, messages, score,
// lives and health. Each family lives in its own file and adds its entries
// to one table; the script host looks names up in it.

#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "engine/value.h"

namespace kestrin::engine {

class World;
struct Instance;
struct GameValues;
struct TextFont;

struct FunctionCall {
    World& world;
    Instance* self;   // null in room creation code
    Instance* other;  // null when there is none
    std::span<const Value> args;
    std::string error;  // set when the call failed

    int Count() const { return static_cast<int>(args.size()); }
    double Real(int i) const { return i < Count() ? args[i].Real() : 0.0; }
    int Int(int i) const {
        const double r = Real(i);
        return std::isfinite(r) && std::fabs(r) < 2e9 ? static_cast<int>(std::floor(r)) : -1;
    }
    bool Bool(int i) const { return i < Count() && args[i].IsTrue(); }
    std::string Text(int i) const;
    // Fails the call with the text; gives 0 to return.
    Value Fail(const std::string& text) {
        error = text;
        return 0.0;
    }
};

using WorldFunction = Value (*)(FunctionCall& call);

struct WorldFunctionEntry {
    const char* name;
    WorldFunction function;
};

// Every world function, from every family.
std::vector<WorldFunctionEntry> WorldFunctions();

// The families.
void AddInstanceFunctions(std::vector<WorldFunctionEntry>& table);
void AddMotionFunctions(std::vector<WorldFunctionEntry>& table);
void AddDrawingFunctions(std::vector<WorldFunctionEntry>& table);
void AddGameFunctions(std::vector<WorldFunctionEntry>& table);
void AddWindowFunctions(std::vector<WorldFunctionEntry>& table);
void AddHighscoreFunctions(std::vector<WorldFunctionEntry>& table);
void AddParticleFunctions(std::vector<WorldFunctionEntry>& table);
void AddFileFunctions(std::vector<WorldFunctionEntry>& table);
void AddDateFunctions(std::vector<WorldFunctionEntry>& table);
void AddSystemFunctions(std::vector<WorldFunctionEntry>& table);
void AddResourceNameFunctions(std::vector<WorldFunctionEntry>& table);
void AddResourceImageFunctions(std::vector<WorldFunctionEntry>& table);
void AddResourceSoundFunctions(std::vector<WorldFunctionEntry>& table);
void AddResourcePathFunctions(std::vector<WorldFunctionEntry>& table);
void AddResourceObjectFunctions(std::vector<WorldFunctionEntry>& table);
void AddResourceRoomFunctions(std::vector<WorldFunctionEntry>& table);
void AddTileFunctions(std::vector<WorldFunctionEntry>& table);
void AddDrawingShapeFunctions(std::vector<WorldFunctionEntry>& table);
void AddDialogFunctions(std::vector<WorldFunctionEntry>& table);
void AddDeviceFunctions(std::vector<WorldFunctionEntry>& table);
void AddCollisionShapeFunctions(std::vector<WorldFunctionEntry>& table);
void AddActivationFunctions(std::vector<WorldFunctionEntry>& table);
void AddPlanningFunctions(std::vector<WorldFunctionEntry>& table);
void AddMultiplayerFunctions(std::vector<WorldFunctionEntry>& table);
void AddExternalFunctions(std::vector<WorldFunctionEntry>& table);

// A condition's answer as the language gives it: 1 or 0.
inline Value Truth(bool value) { return value ? 1.0 : 0.0; }

// The drawing functions' font as the game values set it.
TextFont GameFont(const GameValues& values);

}  // namespace kestrin::engine
