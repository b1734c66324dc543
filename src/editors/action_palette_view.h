#pragma once
// TActionPages: the action palette, one tab per library from the palette
// layout, a button per action. A click asks for the action to be added; a
// button can also be dragged onto an action list.

#include <QTabWidget>
#include <cstdint>

class QMimeData;

namespace kestrin {

inline constexpr const char* kPaletteMimeType = "application/x-kestrin-palette-action";

// The action a palette drag carries; false when the data is no palette drag.
bool PaletteActionOf(const QMimeData& data, std::int32_t& libraryId, std::int32_t& actionId);

class TActionPages : public QTabWidget {
    Q_OBJECT
public:
    explicit TActionPages(QWidget* parent = nullptr);

signals:
    void ActionClicked(std::int32_t libraryId, std::int32_t actionId);
};

}  // namespace kestrin
