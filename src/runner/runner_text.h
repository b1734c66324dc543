#pragma once
// The game's text in Qt: the font the drawing variables ask for, and text
// measured with it for the layout of the drawing functions.

#include <QFont>

#include "engine/text_layout.h"

namespace kestrin::runner {

QFont GameFont(const engine::TextFont& font);

class QtTextMetrics : public engine::TextMetrics {
public:
    int Width(const std::string& line, const engine::TextFont& font) const override;
    int LineHeight(const engine::TextFont& font) const override;
};

}  // namespace kestrin::runner
