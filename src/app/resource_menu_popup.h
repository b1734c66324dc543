#pragma once
// ResourceMenu as a real pop-up menu: the resources of one type mirroring the
// groups of its section, shown at the mouse. Editors use it to pick a
// resource.

#include <QMenu>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kestrin {

class Game;

// The menu for the type: the optional first item (its choice means -1), then
// the section's children, groups as submenus. Each item's data is the value
// its choice returns.
std::unique_ptr<QMenu> MakeResourceMenu(Game& game, std::int32_t type, const std::optional<std::string>& firstCaption,
                                        QWidget* parent = nullptr);

// Shows that menu at the position, waits for it, processes pending events
// and returns the chosen index, -1 for the first item, -100 when dismissed.
std::int32_t ResourceMenu(Game& game, std::int32_t type, const std::optional<std::string>& firstCaption,
                          const QPoint& globalPos);

}  // namespace kestrin
