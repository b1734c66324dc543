// Finding the built-in functions a game uses that this runner lacks.

#include "engine/runner_coverage.h"

#include <set>

#include "actions/event_names.h"
#include "engine/action_functions.h"
#include "engine/script/interpreter.h"
#include "engine/world_functions.h"
#include "language/builtin_tables.h"
#include "language/tokenizer.h"
#include "resources/event.h"
#include "resources/event_types.h"
#include "storage/game.h"

namespace kestrin::engine {

namespace {

const std::set<std::string, std::less<>>& TableFunctions() {
    static const std::set<std::string, std::less<>> names = [] {
        std::set<std::string, std::less<>> all;
        for (const BuiltinFunction& f : BuiltinFunctions()) all.insert(f.name);
        return all;
    }();
    return names;
}

const std::set<std::string, std::less<>>& WorldFunctionNames() {
    static const std::set<std::string, std::less<>> names = [] {
        std::set<std::string, std::less<>> all;
        for (const WorldFunctionEntry& f : WorldFunctions()) all.insert(f.name);
        return all;
    }();
    return names;
}

class Finder {
public:
    explicit Finder(const ProvidedCheck& provides) : mProvides(provides) {}
    void Function(const std::string& where, const std::string& name) {
        if (TableFunctions().count(name) && !mProvides(name) && mSeen.insert(where + '\n' + name).second)
            uses.push_back({where, name});
    }
    // Names followed by an opening parenthesis.
    void Code(const std::string& where, const std::string& code) {
        RTokenList1 list;
        Tokenize(code, list);
        for (int i = 0; i + 1 < list.Count(); ++i)
            if (list.tokens[i].kind == tkName && list.tokens[i + 1].kind == tkOpenParen)
                Function(where, std::string(list.Text(i)));
    }
    void Actions(const std::string& where, const CEvent& event) {
        for (int a = 0; a < event.ActionCount(); ++a) {
            const CAction& action = *event.GetAction(a);
            const std::string place = where + ", action " + std::to_string(a + 1);
            if (action.ExecKind == 1) Function(place, action.ExecText1);
            if (action.ExecKind == 2) Code(place, action.ExecText2);
            for (int i = 0; i < std::min(action.ArgCount, kActionSlots); ++i)
                if (action.ArgKind[i] == 0 || action.Kind == 7) Code(place, action.ArgValue[i]);
        }
    }

    std::vector<FunctionUse> uses;

private:
    const ProvidedCheck& mProvides;
    std::set<std::string> mSeen;
};

}  // namespace

bool RunnerProvides(std::string_view function) {
    return IsProvidedByInterpreter(function) || WorldFunctionNames().count(function) != 0 ||
           IsActionFunction(function);
}

std::vector<FunctionUse> UnprovidedFunctionUses(Game& game, const ProvidedCheck& provides) {
    Finder finder(provides);
    for (int i = 0; i < game.Scripts().ResourceCount(); ++i)
        if (const CScript* script = game.Scripts().ResourceAt(i))
            finder.Code("script " + game.Scripts().ResourceName(i), script->Code);
    auto objectName = [&game](int index) { return game.Objects().ResourceName(index); };
    for (int o = 0; o < game.Objects().ResourceCount(); ++o) {
        const CObject* object = game.Objects().ResourceAt(o);
        if (!object) continue;
        for (int type = 0; type < kEventTypeCount; ++type)
            for (int number : object->EventNumbers(type)) {
                std::string caption = EventCaption(type, number, objectName);
                if (!caption.empty() && caption[0] == ' ') caption.erase(0, 1);
                finder.Actions("object " + game.Objects().ResourceName(o) + ", " + caption,
                               *object->FindEvent(type, number));
            }
    }
    for (int t = 0; t < game.TimeLines().ResourceCount(); ++t) {
        const CTimeLine* timeline = game.TimeLines().ResourceAt(t);
        if (!timeline) continue;
        for (int m = 0; m < timeline->MomentCount(); ++m)
            if (const CEvent* moment = timeline->GetMomentEvent(m))
                finder.Actions("time line " + game.TimeLines().ResourceName(t) + ", moment " +
                                   std::to_string(timeline->GetMomentStep(m)),
                               *moment);
    }
    for (int r = 0; r < game.Rooms().ResourceCount(); ++r) {
        const CRoom* room = game.Rooms().ResourceAt(r);
        if (!room) continue;
        const std::string name = "room " + game.Rooms().ResourceName(r);
        finder.Code(name + ", creation code", room->CreationCode);
        for (const RoomInstance& instance : room->Instances())
            finder.Code(name + ", creation code of instance " + std::to_string(instance.Id), instance.Code);
    }
    return finder.uses;
}

}  // namespace kestrin::engine
