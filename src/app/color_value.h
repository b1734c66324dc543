#pragma once
// Colour values of the model (red in the low byte, then green, then blue) as
// Qt colours and back. Values whose high byte is 0xFF name system colours;
// they show as the palette's nearest role and are never written back by Qt code.

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <cstdint>

namespace kestrin {

inline QColor ToQColor(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    if ((bits >> 24) != 0xFF) {
        return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                      static_cast<int>((bits >> 16) & 0xFF));
    }
    QPalette::ColorRole role = QPalette::Base;
    switch (bits & 0xFF) {
    case 1: case 4: case 15: case 22: role = QPalette::Window; break;          // desktop, menu, face, light
    case 7: case 8: case 9: role = QPalette::WindowText; break;                // frame, window text, caption text
    case 13: role = QPalette::Highlight; break;
    case 14: role = QPalette::HighlightedText; break;
    case 16: role = QPalette::Mid; break;                                      // shadow
    case 18: role = QPalette::ButtonText; break;
    case 20: role = QPalette::Light; break;
    case 21: role = QPalette::Dark; break;
    case 23: role = QPalette::ToolTipText; break;                              // information text
    case 24: role = QPalette::ToolTipBase; break;                              // information background
    default: break;                                                            // window background and the rest
    }
    return QGuiApplication::palette().color(role);
}

// Never a system colour.
inline std::int32_t FromQColor(const QColor& color) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(color.red()) |
                                     (static_cast<std::uint32_t>(color.green()) << 8) |
                                     (static_cast<std::uint32_t>(color.blue()) << 16));
}

}  // namespace kestrin
