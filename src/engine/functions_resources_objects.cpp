// World functions that change objects and time lines while the game runs:
// their settings, their parents, and the code of their events and moments.
// Code given as text becomes one code action, compiled when it is given, so
// a mistake fails the call that gave it. An object's events or a time line's
// moments that are running when the call comes are changed when the step
// ends (changing them now would pull the actions from under the running
// code); deleting an object or a time line always waits for the step's end.
// Instances already made keep the settings they were made with; new ones
// take the changed ones.

#include <cmath>
#include <functional>

#include "engine/action_flow.h"
#include "engine/functions_resources.h"
#include "engine/script_side.h"
#include "resources/event.h"
#include "resources/event_types.h"
#include "resources/object.h"
#include "resources/time_line.h"

namespace kestrin::engine {

namespace {

// Event numbers beyond the keys and the other events name no event; a
// collision event's number is an object.
constexpr int kMaxEventNumber = 1023;

CObject* ObjectOf(FunctionCall& call, int arg = 0) {
    return RecordOf(call, call.world.GameData().Objects(), "Object", arg);
}

CTimeLine* TimelineOf(FunctionCall& call) { return RecordOf(call, call.world.GameData().TimeLines(), "Time line"); }

// The code argument compiled and within the budget; false with the call
// failed, naming the function.
bool AcceptCode(FunctionCall& call, const char* function, const std::string& code) {
    std::string error;
    if (!call.world.Script().CompileAdded(code, error)) {
        call.Fail("Cannot compile the code given to " + std::string(function) + ": " + error);
        return false;
    }
    if (!call.world.Budget().TakeCode(code.size()) || !call.world.Budget().TakeItems(1)) {
        call.Fail("Too much code added while the game runs.");
        return false;
    }
    return true;
}

void AddCodeAction(CEvent& event, const std::string& code) {
    CAction& action = event.AddAction(0, 0);
    action.Kind = kKindCode;
    action.ArgCount = 1;
    action.ArgKind[0] = 1;
    action.ArgValue[0] = code;
}

// Now, or at the step's end when the list it changes may be running.
void EditWhenFree(World& world, bool running, std::function<void()> edit) {
    if (running) world.AtStepEnd(std::move(edit));
    else edit();
}

bool ValidEvent(FunctionCall& call, int type, int number) {
    const bool collision = type == kEventCollision;
    if (type < 0 || type >= kEventTypeCount || number < 0 ||
        (collision ? !call.world.GameData().Objects().ResourceAt(number) : number > kMaxEventNumber)) {
        call.Fail("There is no event of type " + call.Text(1) + " and number " + call.Text(2) + ".");
        return false;
    }
    return true;
}

Value ObjectAdd(FunctionCall& call) {
    const int index = AddResourceRecord(call, ResourceKind::Object);
    if (index >= 0) call.world.ObjectsChanged();
    return static_cast<double>(index);
}

Value ObjectDelete(FunctionCall& call) {
    if (!ObjectOf(call)) return 0.0;
    World& world = call.world;
    const int index = call.Int(0);
    world.AtStepEnd([&world, index] {
        world.GameData().Objects().DeleteResource(index);
        world.ObjectsChanged();
    });
    return 0.0;
}

// (object, type, number, code)
Value ObjectEventAdd(FunctionCall& call) {
    if (!ObjectOf(call)) return 0.0;
    const int object = call.Int(0), type = call.Int(1), number = call.Int(2);
    const std::string code = call.Text(3);
    if (!ValidEvent(call, type, number) || !AcceptCode(call, "object_event_add", code)) return 0.0;
    World& world = call.world;
    EditWhenFree(world, world.ObjectRunning(object), [&world, object, type, number, code] {
        CObject* target = world.GameData().Objects().ResourceAt(object);
        if (!target) return;
        AddCodeAction(*target->GetEvent(type, number), code);
        world.ObjectsChanged();
    });
    return 0.0;
}

// The object no longer answers the event itself (its parent's, if any, answers).
Value ObjectEventClear(FunctionCall& call) {
    if (!ObjectOf(call)) return 0.0;
    const int object = call.Int(0), type = call.Int(1), number = call.Int(2);
    if (!ValidEvent(call, type, number)) return 0.0;
    World& world = call.world;
    EditWhenFree(world, world.ObjectRunning(object), [&world, object, type, number] {
        CObject* target = world.GameData().Objects().ResourceAt(object);
        if (!target || !target->HasEvent(type, number)) return;
        target->GetEvent(type, number)->Clear();
        world.ObjectsChanged();
    });
    return 0.0;
}

template <auto Field>
Value ObjectGet(FunctionCall& call) {
    const CObject* object = ObjectOf(call);
    return object ? static_cast<double>(object->*Field) : 0.0;
}

template <auto Field>
Value ObjectSetFlag(FunctionCall& call) {
    if (CObject* object = ObjectOf(call)) object->*Field = call.Bool(1);
    return 0.0;
}

Value ObjectSetDepth(FunctionCall& call) {
    CObject* object = ObjectOf(call);
    if (object && std::isfinite(call.Real(1))) object->Depth = call.Int(1);
    return 0.0;
}

// The sprite or mask: -1 for none, otherwise an existing sprite.
template <auto Field>
Value ObjectSetSprite(FunctionCall& call) {
    CObject* object = ObjectOf(call);
    if (!object) return 0.0;
    const int sprite = call.Int(1);
    if (sprite != -1 && !call.world.GameData().Sprites().ResourceAt(sprite))
        return call.Fail("Sprite " + call.Text(1) + " does not exist.");
    object->*Field = sprite;
    return 0.0;
}

// -1 for none; a parent that would make the object its own ancestor is refused.
Value ObjectSetParent(FunctionCall& call) {
    CObject* object = ObjectOf(call);
    if (!object) return 0.0;
    const int parent = call.Int(1);
    if (parent != -1 && !ObjectOf(call, 1)) return 0.0;
    const int before = object->Parent;
    object->Parent = parent;
    if (parent == call.Int(0) || object->HasParentLoop(call.world.GameData())) {
        object->Parent = before;
        return call.Fail("Object " + call.Text(1) + " cannot be the parent of object " + call.Text(0) + ".");
    }
    call.world.ObjectsChanged();
    return 0.0;
}

Value TimelineAdd(FunctionCall& call) { return static_cast<double>(AddResourceRecord(call, ResourceKind::TimeLine)); }

Value TimelineDelete(FunctionCall& call) {
    if (!TimelineOf(call)) return 0.0;
    World& world = call.world;
    const int index = call.Int(0);
    world.AtStepEnd([&world, index] { world.GameData().TimeLines().DeleteResource(index); });
    return 0.0;
}

// (time line, step, code): the code is added to the moment at the step, made when missing.
Value TimelineMomentAdd(FunctionCall& call) {
    if (!TimelineOf(call)) return 0.0;
    const int index = call.Int(0), step = call.Int(1);
    const std::string code = call.Text(2);
    if (step < 0) return call.Fail("A moment's step must be 0 or more: " + call.Text(1));
    if (!AcceptCode(call, "timeline_moment_add", code)) return 0.0;
    World& world = call.world;
    EditWhenFree(world, world.TimelineRunning(index), [&world, index, step, code] {
        CTimeLine* timeline = world.GameData().TimeLines().ResourceAt(index);
        if (!timeline) return;
        int moment = timeline->FindMoment(step);
        if (moment < 0) moment = timeline->AddMoment(step);
        if (CEvent* event = timeline->GetMomentEvent(moment)) AddCodeAction(*event, code);
    });
    return 0.0;
}

Value TimelineMomentClear(FunctionCall& call) {
    if (!TimelineOf(call)) return 0.0;
    const int index = call.Int(0), step = call.Int(1);
    World& world = call.world;
    EditWhenFree(world, world.TimelineRunning(index), [&world, index, step] {
        if (CTimeLine* timeline = world.GameData().TimeLines().ResourceAt(index)) timeline->DeleteMoment(step);
    });
    return 0.0;
}

}  // namespace

void AddResourceObjectFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"object_add", ObjectAdd},
        {"object_delete", ObjectDelete},
        {"object_event_add", ObjectEventAdd},
        {"object_event_clear", ObjectEventClear},
        {"object_get_solid", ObjectGet<&CObject::Solid>},
        {"object_get_visible", ObjectGet<&CObject::Visible>},
        {"object_get_depth", ObjectGet<&CObject::Depth>},
        {"object_get_persistent", ObjectGet<&CObject::Persistent>},
        {"object_get_mask", ObjectGet<&CObject::Mask>},
        {"object_set_sprite", ObjectSetSprite<&CObject::Sprite>},
        {"object_set_mask", ObjectSetSprite<&CObject::Mask>},
        {"object_set_solid", ObjectSetFlag<&CObject::Solid>},
        {"object_set_visible", ObjectSetFlag<&CObject::Visible>},
        {"object_set_persistent", ObjectSetFlag<&CObject::Persistent>},
        {"object_set_depth", ObjectSetDepth},
        {"object_set_parent", ObjectSetParent},
        {"timeline_add", TimelineAdd},
        {"timeline_delete", TimelineDelete},
        {"timeline_moment_add", TimelineMomentAdd},
        {"timeline_moment_clear", TimelineMomentClear},
    });
}

}  // namespace kestrin::engine
