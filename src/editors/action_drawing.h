#pragma once
// Drawing actions in lists: the library icon and the filled-in list line.

#include <QPixmap>
#include <cstdint>

class QPainter;

namespace kestrin {

class CAction;
class ResourceLookup;

// The icon store's picture of that number, see-through where the icon is;
// a null pixmap for -1 or a number the store never gave.
QPixmap ActionIconPixmap(std::int32_t iconIndex);

// The action's definition icon with its top-left corner at (x, y); nothing
// for an action whose library is not loaded.
void DrawActionIcon(QPainter& painter, const CAction& action, int x, int y);
// The action's list text, bold and italic as its template says, top-left at (x, y).
void DrawActionLine(QPainter& painter, const CAction& action, const ResourceLookup& game, int x, int y);

}  // namespace kestrin
