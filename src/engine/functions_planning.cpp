// World functions: motion planning. The steps move the instance towards a
// goal, the linear one straight on (staying put when the way is blocked),
// the potential one turning aside from what blocks it within the limits
// mp_potential_settings sets. The path functions make the same steps from
// the instance's position without moving it and write the way into an
// existing path (straight, open, every point at speed 100) that the
// instance can follow with path_start; they answer 1 when the way reaches
// the goal. The grid functions keep grids of free and occupied cells, at
// most a fixed number at once, ids from 0; a grid's way runs through free
// cells from the start to the goal. checkall 1 counts every instance as an
// obstacle, 0 only solid ones. Angles are degrees counter-clockwise, y down.

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "engine/canvas.h"
#include "engine/instance_target.h"
#include "engine/motion_planning.h"
#include "resources/path.h"
#include "storage/game.h"

namespace kestrin::engine {

namespace {

constexpr double kPi = 3.14159265358979323846;
// The most steps a path function simulates, however short the steps.
constexpr double kMostPathSteps = 100000;

double DirectionTo(double x1, double y1, double x2, double y2) {
    double d = std::atan2(-(y2 - y1), x2 - x1) * 180.0 / kPi;
    return d < 0 ? d + 360.0 : d;
}

// The smallest turn from one heading to another, in (-180, 180].
double Turn(double from, double to) {
    double d = std::fmod(to - from, 360.0);
    if (d > 180) d -= 360;
    if (d <= -180) d += 360;
    return d;
}

// Someone walking towards a goal for the instance: where it is and where it
// heads, so that the path functions can walk without moving the instance.
struct Walker {
    World& world;
    Instance& self;
    double x, y, heading;
    bool solidOnly;

    bool Free(double px, double py) { return !world.MeetingAt(self, px, py, -1, solidOnly); }

    // A straight step; true when the goal is reached.
    bool LinearStep(double gx, double gy, double speed) {
        const double distance = std::hypot(gx - x, gy - y);
        if (distance <= speed) {
            if (!Free(gx, gy)) return false;
            x = gx;
            y = gy;
            return true;
        }
        const double nx = x + (gx - x) * speed / distance, ny = y + (gy - y) * speed / distance;
        if (!Free(nx, ny)) return false;
        heading = DirectionTo(x, y, gx, gy);
        x = nx;
        y = ny;
        return false;
    }

    // A step turning aside from obstacles: headings closest to the goal
    // first, within the turn the settings allow, free for `ahead` steps.
    bool PotentialStep(double gx, double gy, double speed, const PotentialSettings& settings) {
        const double distance = std::hypot(gx - x, gy - y);
        if (distance <= speed) {
            if (!Free(gx, gy)) return false;
            x = gx;
            y = gy;
            return true;
        }
        const double goal = DirectionTo(x, y, gx, gy);
        for (double off = 0; off <= 180; off += settings.rotationStep) {
            for (double sign : {1.0, -1.0}) {
                const double h = goal + sign * off;
                if (std::fabs(Turn(heading, h)) > settings.maxRotation) continue;
                if (ClearAhead(h, speed, distance, settings.ahead)) {
                    heading = std::fmod(h + 360.0, 360.0);
                    x += speed * std::cos(h * kPi / 180.0);
                    y -= speed * std::sin(h * kPi / 180.0);
                    return false;
                }
                if (off == 0) break;
            }
        }
        if (settings.onSpot) TurnOnTheSpot(speed, distance, settings);
        return false;
    }

    // Towards the nearest free heading, on whichever side it lies, as far
    // as one step may turn.
    void TurnOnTheSpot(double speed, double distance, const PotentialSettings& settings) {
        for (double off = settings.rotationStep; off <= 180; off += settings.rotationStep)
            for (double sign : {1.0, -1.0})
                if (ClearAhead(heading + sign * off, speed, distance, settings.ahead)) {
                    heading = std::fmod(heading + sign * std::min(off, settings.maxRotation) + 360.0, 360.0);
                    return;
                }
    }

    // Free at each step along the heading, up to the goal's distance.
    bool ClearAhead(double h, double speed, double distance, double ahead) {
        const double dx = std::cos(h * kPi / 180.0), dy = -std::sin(h * kPi / 180.0);
        for (int i = 1; i <= static_cast<int>(ahead); ++i) {
            const double along = std::min(i * speed, distance);
            if (!Free(x + dx * along, y + dy * along)) return false;
            if (along >= distance) break;
        }
        return true;
    }
};

bool SaneStep(FunctionCall& call, int first) {
    for (int i = first; i < first + 3; ++i)
        if (!std::isfinite(call.Real(i))) return false;
    return call.Real(first + 2) > 0;
}

Value Step(FunctionCall& call, bool potential) {
    Instance* self = call.self;
    if (!self || !SaneStep(call, 0)) return 0.0;
    Walker walker{call.world, *self, self->x, self->y, self->Direction(), !call.Bool(3)};
    const double gx = call.Real(0), gy = call.Real(1), speed = call.Real(2);
    const bool reached = potential ? walker.PotentialStep(gx, gy, speed, call.world.Planning().potential)
                                   : walker.LinearStep(gx, gy, speed);
    self->x = walker.x;
    self->y = walker.y;
    if (walker.heading != self->Direction()) self->SetDirection(walker.heading);
    return reached || (self->x == gx && self->y == gy) ? 1.0 : 0.0;
}

Value MpLinearStep(FunctionCall& call) { return Step(call, false); }
Value MpPotentialStep(FunctionCall& call) { return Step(call, true); }

Value MpPotentialSettings(FunctionCall& call) {
    // Bounded so that one step tries a bounded number of places.
    PotentialSettings& settings = call.world.Planning().potential;
    const auto within = [](double value, double low, double high) {
        return std::isfinite(value) ? std::clamp(value, low, high) : low;
    };
    settings.maxRotation = within(call.Real(0), 0, 180);
    settings.rotationStep = within(call.Real(1), 1, 180);
    settings.ahead = within(call.Real(2), 1, 100);
    settings.onSpot = call.Bool(3);
    return 0.0;
}

// The path of the argument, or null with the call failed.
CPath* PathArgument(FunctionCall& call, int at) {
    CPath* path = call.world.GameData().Paths().ResourceAt(call.Int(at));
    if (!path) call.Fail("Path does not exist: " + call.Text(at));
    return path;
}

void WriteWay(CPath& path, const std::vector<GridPoint>& way) {
    path.ClearPoints();
    path.Kind = kPathStraight;
    path.Closed = false;
    for (const GridPoint& point : way) path.AddPoint(point.x, point.y, 100);
    path.Recompute();
}

Value WalkPath(FunctionCall& call, bool potential) {
    CPath* path = PathArgument(call, 0);
    if (!path) return 0.0;
    const int checkAll = potential ? 5 : 4;
    if (!call.self || !SaneStep(call, 1)) return 0.0;
    const double gx = call.Real(1), gy = call.Real(2), speed = call.Real(3);
    Walker walker{call.world, *call.self, call.self->x, call.self->y, call.self->Direction(), !call.Bool(checkAll)};
    // The potential walk may wander: it gets `factor` times the straight
    // way's steps before it gives up.
    const double straightSteps = std::ceil(std::hypot(gx - walker.x, gy - walker.y) / speed) + 1;
    const double factor = potential && std::isfinite(call.Real(4)) ? std::max(1.0, call.Real(4)) : 1.0;
    const double steps = std::min(straightSteps * factor, kMostPathSteps);
    std::vector<GridPoint> way{{walker.x, walker.y}};
    bool reached = walker.x == gx && walker.y == gy;
    for (double i = 0; i < steps && !reached; ++i) {
        const double px = walker.x, py = walker.y;
        reached = potential ? walker.PotentialStep(gx, gy, speed, call.world.Planning().potential)
                            : walker.LinearStep(gx, gy, speed);
        if (walker.x == px && walker.y == py && !potential) break;  // blocked for good
        if (walker.x != px || walker.y != py) way.push_back({walker.x, walker.y});
    }
    WriteWay(*path, way);
    return reached ? 1.0 : 0.0;
}

Value MpLinearPath(FunctionCall& call) { return WalkPath(call, false); }
Value MpPotentialPath(FunctionCall& call) { return WalkPath(call, true); }

MotionGrid* GridArgument(FunctionCall& call) {
    auto& grids = call.world.Planning().grids;
    const int id = call.Int(0);
    MotionGrid* grid = id >= 0 && id < static_cast<int>(grids.size()) ? grids[id].get() : nullptr;
    if (!grid) call.Fail("Grid does not exist: " + call.Text(0));
    return grid;
}

// mp_grid_create(left, top, columns, rows, cell width, cell height).
Value MpGridCreate(FunctionCall& call) {
    const double columns = std::floor(call.Real(2)), rows = std::floor(call.Real(3));
    const double width = call.Real(4), height = call.Real(5);
    if (!std::isfinite(call.Real(0)) || !std::isfinite(call.Real(1)) || !MotionGrid::Fits(columns, rows, width, height))
        return call.Fail("Cannot create a grid of " + call.Text(2) + " by " + call.Text(3) + " cells of " +
                         call.Text(4) + " by " + call.Text(5) + ".");
    auto& grids = call.world.Planning().grids;
    auto slot = std::find(grids.begin(), grids.end(), nullptr);
    if (slot == grids.end()) {
        if (grids.size() >= MotionPlanning::kMostGrids) return call.Fail("Too many grids exist at once.");
        slot = grids.insert(grids.end(), nullptr);
    }
    *slot = std::make_unique<MotionGrid>(call.Real(0), call.Real(1), static_cast<int>(columns), static_cast<int>(rows),
                                         width, height);
    return static_cast<double>(slot - grids.begin());
}

Value MpGridDestroy(FunctionCall& call) {
    if (GridArgument(call)) call.world.Planning().grids[call.Int(0)].reset();
    return 0.0;
}

Value MpGridClearAll(FunctionCall& call) {
    if (MotionGrid* grid = GridArgument(call)) grid->SetAll(false);
    return 0.0;
}

Value SetCell(FunctionCall& call, bool occupied) {
    if (MotionGrid* grid = GridArgument(call)) grid->SetCell(call.Int(1), call.Int(2), occupied);
    return 0.0;
}

Value MpGridClearCell(FunctionCall& call) { return SetCell(call, false); }
Value MpGridAddCell(FunctionCall& call) { return SetCell(call, true); }

Value SetRectangle(FunctionCall& call, bool occupied) {
    if (MotionGrid* grid = GridArgument(call))
        grid->SetRectangle(call.Real(1), call.Real(2), call.Real(3), call.Real(4), occupied);
    return 0.0;
}

Value MpGridClearRectangle(FunctionCall& call) { return SetRectangle(call, false); }
Value MpGridAddRectangle(FunctionCall& call) { return SetRectangle(call, true); }

// mp_grid_add_instances(id, obj, prec): the cells the instances' boxes
// reach, or with prec the cells their masks reach.
Value MpGridAddInstances(FunctionCall& call) {
    MotionGrid* grid = GridArgument(call);
    if (!grid) return 0.0;
    const double target = call.Real(1);
    const bool precise = call.Bool(2);
    for (const auto& instance : call.world.Instances()) {
        if (!instance->alive || !IsTarget(call, *instance, target)) continue;
        double l, t, r, b;
        int c1, c2, r1, r2;
        if (!call.world.BoxOf(*instance, instance->x, instance->y, l, t, r, b)) continue;
        if (!grid->ColumnsOf(l, r, c1, c2) || !grid->RowsOf(t, b, r1, r2)) continue;
        for (int row = r1; row <= r2; ++row)
            for (int column = c1; column <= c2; ++column) {
                if (grid->Occupied(column, row)) continue;
                const double cl = grid->Left() + column * grid->CellWidth(), ct = grid->Top() + row * grid->CellHeight();
                const double cr = cl + grid->CellWidth(), cb = ct + grid->CellHeight();
                const bool met = !precise || call.world.MeetsRegion(*instance, cl, ct, cr, cb, true,
                                                                    [&](double a, double b2, double c, double d) {
                                                                        return a < cr && c > cl && b2 < cb && d > ct;
                                                                    });
                if (met) grid->SetCell(column, row, true);
            }
    }
    return 0.0;
}

// mp_grid_path(id, path, xstart, ystart, xgoal, ygoal, allowdiag).
Value MpGridPath(FunctionCall& call) {
    MotionGrid* grid = GridArgument(call);
    if (!grid) return 0.0;
    CPath* path = PathArgument(call, 1);
    if (!path) return 0.0;
    std::vector<GridPoint> way;
    if (!grid->FindPath({call.Real(2), call.Real(3)}, {call.Real(4), call.Real(5)}, call.Bool(6), way)) return 0.0;
    WriteWay(*path, way);
    return 1.0;
}

// Free cells green, occupied ones red.
Value MpGridDraw(FunctionCall& call) {
    MotionGrid* grid = GridArgument(call);
    Canvas* canvas = call.world.DrawingCanvas();
    if (!grid || !canvas) return 0.0;
    const ColorValue free = MakeColor(0, 128, 0), occupied = MakeColor(255, 0, 0);
    // Only the cells the room can show; a grid far larger than the room
    // draws no more than fits in it.
    int c1, c2, r1, r2;
    const RoomState& room = call.world.Room();
    if (!grid->ColumnsOf(0, room.width, c1, c2) || !grid->RowsOf(0, room.height, r1, r2)) return 0.0;
    for (int row = r1; row <= r2; ++row)
        for (int column = c1; column <= c2; ++column) {
            const double l = grid->Left() + column * grid->CellWidth(), t = grid->Top() + row * grid->CellHeight();
            const int x1 = static_cast<int>(std::floor(l)), y1 = static_cast<int>(std::floor(t));
            const int x2 = static_cast<int>(std::floor(l + grid->CellWidth())) - 1;
            const int y2 = static_cast<int>(std::floor(t + grid->CellHeight())) - 1;
            canvas->Rectangle(x1, y1, std::max(x1, x2), std::max(y1, y2),
                              grid->Occupied(column, row) ? occupied : free, false);
        }
    return 0.0;
}

}  // namespace

void AddPlanningFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"mp_linear_step", MpLinearStep},
        {"mp_potential_step", MpPotentialStep},
        {"mp_potential_settings", MpPotentialSettings},
        {"mp_linear_path", MpLinearPath},
        {"mp_potential_path", MpPotentialPath},
        {"mp_grid_create", MpGridCreate},
        {"mp_grid_destroy", MpGridDestroy},
        {"mp_grid_clear_all", MpGridClearAll},
        {"mp_grid_clear_cell", MpGridClearCell},
        {"mp_grid_add_cell", MpGridAddCell},
        {"mp_grid_clear_rectangle", MpGridClearRectangle},
        {"mp_grid_add_rectangle", MpGridAddRectangle},
        {"mp_grid_add_instances", MpGridAddInstances},
        {"mp_grid_path", MpGridPath},
        {"mp_grid_draw", MpGridDraw},
    });
}

}  // namespace kestrin::engine
