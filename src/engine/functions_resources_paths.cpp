// World functions on paths: reading them (their points and the place at a
// position from 0, the start, to 1, the end), changing their points and
// settings, and making, copying and deleting them. Point speeds are
// percentages of the speed the instance follows the path with; kind 0 is
// straight, 1 smooth; angles are degrees counter-clockwise. An instance
// following a path that changes goes on from the same position on the
// changed path; one whose path is deleted or left without length stops.
// Numbers that are not finite would spoil every later position, so they
// fail the call.

#include <algorithm>
#include <cmath>

#include "engine/functions_resources.h"
#include "resources/path.h"

namespace kestrin::engine {

namespace {

// Every change recomputes the whole path, so a path built a point at a
// time costs the square of its points.
constexpr int kMaxPathPoints = 1000;

CPath* PathOf(FunctionCall& call, int arg = 0) { return RecordOf(call, call.world.GameData().Paths(), "Path", arg); }

// Arguments first..last are finite numbers; otherwise the call fails.
bool Finite(FunctionCall& call, int first, int last) {
    for (int i = first; i <= last; ++i)
        if (!std::isfinite(call.Real(i))) {
            call.Fail("Path argument " + std::to_string(i) + " is not a number.");
            return false;
        }
    return true;
}

// The point argument `arg` names in the path; -1 with the call failed.
int PointOf(FunctionCall& call, const CPath& path, int arg, bool endAllowed = false) {
    const int n = call.Int(arg);
    if (n < 0 || n > path.PointCount() - (endAllowed ? 0 : 1)) {
        call.Fail("Path point " + call.Text(arg) + " does not exist.");
        return -1;
    }
    return n;
}

// Applies a change that moves points; one that would carry a point beyond
// what a double holds is undone and fails the call.
template <class Change>
void MovePoints(FunctionCall& call, CPath& path, Change change) {
    const CPath before = path;
    change(path);
    for (int i = 0; i < path.PointCount(); ++i) {
        const PathPoint p = path.GetPoint(i);
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(path.Length())) {
            path.Assign(before);
            call.Fail("The path would leave the numbers behind.");
            return;
        }
    }
}

bool RoomForPoints(FunctionCall& call, const CPath& path, int more) {
    if (path.PointCount() + more > kMaxPathPoints || !call.world.Budget().TakeItems(more)) {
        call.Fail("Too many path points.");
        return false;
    }
    return true;
}

Value PathAdd(FunctionCall& call) { return static_cast<double>(AddResourceRecord(call, ResourceKind::Path)); }

Value PathDuplicate(FunctionCall& call) {
    if (!PathOf(call)) return -1.0;
    return static_cast<double>(DuplicateResourceRecord(call, ResourceKind::Path, call.Int(0)));
}

Value PathDelete(FunctionCall& call) {
    if (PathOf(call)) call.world.GameData().Paths().DeleteResource(call.Int(0));
    return 0.0;
}

Value PathAssign(FunctionCall& call) {
    CPath* to = PathOf(call, 0);
    const CPath* from = to ? PathOf(call, 1) : nullptr;
    if (from) to->Assign(*from);
    return 0.0;
}

// The second path's points added after the first's; the first keeps its settings.
Value PathAppend(FunctionCall& call) {
    CPath* to = PathOf(call, 0);
    const CPath* from = to ? PathOf(call, 1) : nullptr;
    if (!from || !RoomForPoints(call, *to, from->PointCount())) return 0.0;
    const CPath copy = *from;  // the same path may be appended to itself
    for (int i = 0; i < copy.PointCount(); ++i) {
        const PathPoint p = copy.GetPoint(i);
        to->AddPoint(p.x, p.y, p.speed);
    }
    return 0.0;
}

// (path, x, y, speed)
Value PathAddPoint(FunctionCall& call) {
    CPath* path = PathOf(call);
    if (path && Finite(call, 1, 3) && RoomForPoints(call, *path, 1))
        MovePoints(call, *path, [&](CPath& p) { p.AddPoint(call.Real(1), call.Real(2), call.Real(3)); });
    return 0.0;
}

// (path, n, x, y, speed): the new point comes before point n (n may be the count).
Value PathInsertPoint(FunctionCall& call) {
    CPath* path = PathOf(call);
    if (!path || !Finite(call, 2, 4)) return 0.0;
    const int n = PointOf(call, *path, 1, true);
    if (n >= 0 && RoomForPoints(call, *path, 1))
        MovePoints(call, *path, [&](CPath& p) { p.InsertPoint(n, call.Real(2), call.Real(3), call.Real(4)); });
    return 0.0;
}

Value PathChangePoint(FunctionCall& call) {
    CPath* path = PathOf(call);
    if (!path || !Finite(call, 2, 4)) return 0.0;
    const int n = PointOf(call, *path, 1);
    if (n >= 0) MovePoints(call, *path, [&](CPath& p) { p.ChangePoint(n, call.Real(2), call.Real(3), call.Real(4)); });
    return 0.0;
}

Value PathDeletePoint(FunctionCall& call) {
    CPath* path = PathOf(call);
    const int n = path ? PointOf(call, *path, 1) : -1;
    if (n >= 0) path->DeletePoint(n);
    return 0.0;
}

Value PathClearPoints(FunctionCall& call) {
    if (CPath* path = PathOf(call)) path->ClearPoints();
    return 0.0;
}

Value PathSetKind(FunctionCall& call) {
    CPath* path = PathOf(call);
    if (!path) return 0.0;
    const int kind = call.Int(1);
    if (kind != kPathStraight && kind != kPathSmooth) return call.Fail("Path kind must be 0 or 1.");
    path->SetKind(kind);
    return 0.0;
}

Value PathSetClosed(FunctionCall& call) {
    if (CPath* path = PathOf(call)) path->SetClosed(call.Bool(1));
    return 0.0;
}

// Precision from 1 to 8; beyond them it is held at the nearest.
Value PathSetPrecision(FunctionCall& call) {
    if (CPath* path = PathOf(call)) path->SetPrecision(std::clamp(call.Int(1), 1, kPathMaxPrecision));
    return 0.0;
}

template <void (CPath::*Change)()>
Value PathChange(FunctionCall& call) {
    if (CPath* path = PathOf(call)) (path->*Change)();
    return 0.0;
}

Value PathRotate(FunctionCall& call) {
    CPath* path = PathOf(call);
    if (path && Finite(call, 1, 1)) MovePoints(call, *path, [&](CPath& p) { p.Rotate(call.Real(1)); });
    return 0.0;
}

Value PathScale(FunctionCall& call) {
    CPath* path = PathOf(call);
    if (path && Finite(call, 1, 2)) MovePoints(call, *path, [&](CPath& p) { p.Scale(call.Real(1), call.Real(2)); });
    return 0.0;
}

Value PathShift(FunctionCall& call) {
    CPath* path = PathOf(call);
    if (path && Finite(call, 1, 2)) MovePoints(call, *path, [&](CPath& p) { p.Shift(call.Real(1), call.Real(2)); });
    return 0.0;
}

template <auto Field>
Value PathField(FunctionCall& call) {
    const CPath* path = PathOf(call);
    return path ? static_cast<double>(path->*Field) : 0.0;
}

Value PathGetLength(FunctionCall& call) {
    const CPath* path = PathOf(call);
    return path ? path->Length() : 0.0;
}

Value PathGetNumber(FunctionCall& call) {
    const CPath* path = PathOf(call);
    return path ? static_cast<double>(path->PointCount()) : 0.0;
}

template <double PathPoint::*Field>
Value PathPointField(FunctionCall& call) {
    const CPath* path = PathOf(call);
    const int n = path ? PointOf(call, *path, 1) : -1;
    return n >= 0 ? path->GetPoint(n).*Field : 0.0;
}

// The place at a position from 0 to 1; outside them, the nearest end.
template <double PathPoint::*Field>
Value PathAt(FunctionCall& call) {
    const CPath* path = PathOf(call);
    if (!path || !Finite(call, 1, 1)) return 0.0;
    if (path->PointCount() == 0) return 0.0;
    return path->GetPosition(std::clamp(call.Real(1), 0.0, 1.0)).*Field;
}

}  // namespace

void AddResourcePathFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"path_add", PathAdd},
        {"path_duplicate", PathDuplicate},
        {"path_delete", PathDelete},
        {"path_assign", PathAssign},
        {"path_append", PathAppend},
        {"path_add_point", PathAddPoint},
        {"path_insert_point", PathInsertPoint},
        {"path_change_point", PathChangePoint},
        {"path_delete_point", PathDeletePoint},
        {"path_clear_points", PathClearPoints},
        {"path_set_kind", PathSetKind},
        {"path_set_closed", PathSetClosed},
        {"path_set_precision", PathSetPrecision},
        {"path_reverse", PathChange<&CPath::Reverse>},
        {"path_mirror", PathChange<&CPath::Mirror>},
        {"path_flip", PathChange<&CPath::Flip>},
        {"path_rotate", PathRotate},
        {"path_scale", PathScale},
        {"path_shift", PathShift},
        {"path_get_length", PathGetLength},
        {"path_get_kind", PathField<&CPath::Kind>},
        {"path_get_closed", PathField<&CPath::Closed>},
        {"path_get_precision", PathField<&CPath::Precision>},
        {"path_get_number", PathGetNumber},
        {"path_get_point_x", PathPointField<&PathPoint::x>},
        {"path_get_point_y", PathPointField<&PathPoint::y>},
        {"path_get_point_speed", PathPointField<&PathPoint::speed>},
        {"path_get_x", PathAt<&PathPoint::x>},
        {"path_get_y", PathAt<&PathPoint::y>},
        {"path_get_speed", PathAt<&PathPoint::speed>},
    });
}

}  // namespace kestrin::engine
