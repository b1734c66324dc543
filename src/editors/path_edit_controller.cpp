// The path editor's edits and their undo copy.

#include "editors/path_edit_controller.h"

#include <algorithm>

#include "editors/path_edit_rules.h"
#include "platform/saturating_round.h"

namespace kestrin {

void PathEditController::Select(int index) {
    mSelected = (index >= 0 && index < mPath.PointCount()) ? index : -1;
}

void PathEditController::SaveUndo() {
    if (!mUndo) mUndo.emplace();
    mUndo->Assign(mPath);
}

void PathEditController::KeepSelectionInRange() {
    mSelected = std::min(mSelected, mPath.PointCount() - 1);
}

double PathEditController::Snapped(double value, bool alt, std::int32_t step) const {
    return alt ? value : SnapCoordinate(value, step);
}

bool PathEditController::LeftDown(double x, double y, bool shift, bool alt) {
    double sx = Snapped(x, alt, mPath.SnapX), sy = Snapped(y, alt, mPath.SnapY);
    int picked = PickPathPoint(mPath, x, y);
    bool changed = false;
    if (shift) {
        if (picked < 0) return false;
        SaveUndo();
        mPath.InsertPoint(picked, sx, sy, mPath.GetPoint(picked).speed);
        changed = true;
    } else if (picked < 0) {
        SaveUndo();
        double speed = mPath.PointCount() > 0 ? mPath.GetPoint(mPath.PointCount() - 1).speed : kFirstPointSpeed;
        picked = mPath.AddPoint(sx, sy, speed);
        changed = true;
    }
    mSelected = picked;
    mDragging = true;
    mDragSaved = changed;
    return changed;
}

bool PathEditController::OtherDown(double x, double y) {
    // Whatever the drag held may be gone or renumbered now.
    mDragging = false;
    int picked = PickPathPoint(mPath, x, y);
    if (picked < 0) return false;
    SaveUndo();
    mPath.DeletePoint(picked);
    KeepSelectionInRange();
    return true;
}

bool PathEditController::MoveTo(double x, double y, bool alt) {
    if (!mDragging || mSelected < 0) return false;
    double sx = Snapped(x, alt, mPath.SnapX), sy = Snapped(y, alt, mPath.SnapY);
    PathPoint p = mPath.GetPoint(mSelected);
    if (p.x == sx && p.y == sy) return false;
    if (!mDragSaved) {
        SaveUndo();
        mDragSaved = true;
    }
    mPath.ChangePoint(mSelected, sx, sy, p.speed);
    return true;
}

bool PathEditController::MoveSelected(double x, double y) {
    if (mSelected < 0) return false;
    PathPoint p = mPath.GetPoint(mSelected);
    if (p.x == x && p.y == y) return false;
    SaveUndo();
    mPath.ChangePoint(mSelected, x, y, p.speed);
    return true;
}

bool PathEditController::Add(double x, double y, double speed) {
    SaveUndo();
    mSelected = mPath.AddPoint(x, y, speed);
    return true;
}

bool PathEditController::Insert(double x, double y, double speed) {
    if (mSelected < 0) return false;
    SaveUndo();
    mPath.InsertPoint(mSelected, x, y, speed);
    return true;
}

bool PathEditController::DeleteSelected() {
    if (mSelected < 0) return false;
    mDragging = false;
    SaveUndo();
    mPath.DeletePoint(mSelected);
    KeepSelectionInRange();
    return true;
}

bool PathEditController::ChangeSelected(std::int32_t x, std::int32_t y, std::int32_t speed) {
    if (mSelected < 0) return false;
    PathPoint p = mPath.GetPoint(mSelected);
    if (RoundToInt32(p.x) == x && RoundToInt32(p.y) == y && RoundToInt32(p.speed) == speed) return false;
    SaveUndo();
    mPath.ChangePoint(mSelected, x, y, speed);
    return true;
}

bool PathEditController::SetKind(std::int32_t kind) {
    if (kind == mPath.Kind) return false;
    SaveUndo();
    mPath.SetKind(kind);
    return true;
}

bool PathEditController::SetClosed(bool closed) {
    if (closed == mPath.Closed) return false;
    SaveUndo();
    mPath.SetClosed(closed);
    return true;
}

bool PathEditController::SetPrecision(std::int32_t precision) {
    if (precision == mPath.Precision) return false;
    SaveUndo();
    mPath.SetPrecision(precision);
    return true;
}

bool PathEditController::SetSnap(std::int32_t snapX, std::int32_t snapY) {
    if (snapX == mPath.SnapX && snapY == mPath.SnapY) return false;
    mPath.SnapX = snapX;
    mPath.SnapY = snapY;
    return true;
}

bool PathEditController::Undo() {
    if (!mUndo) return false;
    CPath current;
    current.Assign(mPath);
    mPath.Assign(*mUndo);
    mUndo->Assign(current);
    mDragging = false;
    KeepSelectionInRange();
    return true;
}

bool PathEditController::Clear() {
    SaveUndo();
    mDragging = false;
    mPath.ClearPoints();
    mSelected = -1;
    return true;
}

bool PathEditController::Reverse() {
    SaveUndo();
    mPath.Reverse();
    return true;
}

bool PathEditController::Shift(double dx, double dy) {
    SaveUndo();
    mPath.Shift(dx, dy);
    return true;
}

bool PathEditController::Mirror() {
    SaveUndo();
    mPath.Mirror();
    return true;
}

bool PathEditController::Flip() {
    SaveUndo();
    mPath.Flip();
    return true;
}

bool PathEditController::Rotate(double degrees) {
    SaveUndo();
    mPath.Rotate(degrees);
    return true;
}

bool PathEditController::Scale(double xsPercent, double ysPercent) {
    SaveUndo();
    mPath.Scale(xsPercent / 100, ysPercent / 100);
    return true;
}

}  // namespace kestrin
