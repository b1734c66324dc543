#pragma once
// What the path editor does with the path, apart from showing it: the mouse
// on the drawing, the point list's buttons and fields, the path settings and
// the toolbar's operations, each with the single-level undo. Every call that
// changed the path returns true, and the window marks itself and refreshes;
// a call that returns false changed nothing (a click that only picks a point
// neither replaces the undo copy nor marks). Positions are room coordinates.

#include <cstdint>
#include <optional>

#include "resources/path.h"

namespace kestrin {

// The speed of the first point the mouse adds to an empty path.
inline constexpr double kFirstPointSpeed = 100;

class PathEditController {
public:
    explicit PathEditController(CPath& path) : mPath(path) {}

    CPath& Path() const { return mPath; }
    // The selected control point, -1 for none.
    int Selected() const { return mSelected; }
    void Select(int index);
    bool Dragging() const { return mDragging; }
    bool HasUndo() const { return mUndo.has_value(); }

    // Mouse. alt: no snapping.
    // Left button: Shift inserts a point before the picked one; otherwise
    // picks a point to drag, or adds one when none is near.
    bool LeftDown(double x, double y, bool shift, bool alt);
    // Right or middle button: deletes the picked point; ends a drag.
    bool OtherDown(double x, double y);
    // The selected point follows while dragging.
    bool MoveTo(double x, double y, bool alt);
    void Release() { mDragging = false; }

    // Point list and its fields.
    bool Add(double x, double y, double speed);
    bool Insert(double x, double y, double speed);
    bool DeleteSelected();
    // Changes the selected point when the values differ from its rounded ones.
    bool ChangeSelected(std::int32_t x, std::int32_t y, std::int32_t speed);
    bool SetKind(std::int32_t kind);
    bool SetClosed(bool closed);
    bool SetPrecision(std::int32_t precision);
    bool SetSnap(std::int32_t snapX, std::int32_t snapY);

    // Toolbar. Undo swaps the path and the undo copy, so a second undo redoes.
    bool Undo();
    bool Clear();
    bool Reverse();
    bool Shift(double dx, double dy);
    bool Mirror();
    bool Flip();
    bool Rotate(double degrees);
    // Factors in percent.
    bool Scale(double xsPercent, double ysPercent);

    // A moved or nudged point: the selected point to (x, y), keeping its speed.
    bool MoveSelected(double x, double y);

private:
    void SaveUndo();
    // After the list got shorter the selection moves to its last line.
    void KeepSelectionInRange();
    double Snapped(double value, bool alt, std::int32_t step) const;

    CPath& mPath;
    std::optional<CPath> mUndo;
    int mSelected = -1;
    bool mDragging = false;
    // The undo copy of the current drag was taken (it is taken at the first
    // real move, or by the add or insert that started the drag).
    bool mDragSaved = false;
};

}  // namespace kestrin
