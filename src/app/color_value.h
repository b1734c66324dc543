#pragma once
// Colour values of the model (red in the low byte, then green, then blue) as
// Qt colours and back. Values whose high byte is 0xFF name system colours;
// they are shown as the window text colour and never written back by Qt code.

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <cstdint>

namespace kestrin {

inline QColor ToQColor(std::int32_t value) {
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    if ((bits >> 24) == 0xFF) return QGuiApplication::palette().color(QPalette::WindowText);
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

inline std::int32_t FromQColor(const QColor& color) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(color.red()) |
                                     (static_cast<std::uint32_t>(color.green()) << 8) |
                                     (static_cast<std::uint32_t>(color.blue()) << 16));
}

}  // namespace kestrin
