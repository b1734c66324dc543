// The message look as its functions leave it: colours of 24 bits, alpha in
// 0..1, font sizes of 1 to 500 points with four style bits, positions and
// sizes of -1 (as usual) up to 100000 pixels. A background or button sprite
// the game has deleted since is kept: the shells draw without it.

#include "engine/saved_message_look.h"

#include <cmath>
#include <cstdint>

#include "engine/saved_reading.h"

namespace kestrin::engine {

namespace {

constexpr std::int32_t kMaxColor = 0xFFFFFF;
constexpr std::int32_t kMaxScreenPixels = 100000;

ColorValue ReadColor(CStream& in) {
    const std::int32_t color = in.ReadInteger();
    CheckSaved(color >= 0 && color <= kMaxColor);
    return static_cast<ColorValue>(color);
}

void WriteFont(CStream& out, const MessageFont& f) {
    out.WriteString(f.font.name);
    out.WriteReal(f.font.size);
    out.WriteInteger(f.font.style);
    out.WriteReal(f.font.angle);
    out.WriteInteger(static_cast<std::int32_t>(f.color));
}

void ReadFont(CStream& in, MessageFont& f) {
    f.font.name = in.ReadString();
    f.font.size = in.ReadReal();
    CheckSaved(f.font.size >= 1 && f.font.size <= 500);
    f.font.style = in.ReadInteger();
    CheckSaved(f.font.style >= 0 && f.font.style <= 15);
    f.font.angle = in.ReadReal();
    CheckSaved(std::isfinite(f.font.angle));
    f.color = ReadColor(in);
}

}  // namespace

void WriteMessageLook(CStream& out, const MessageLook& look) {
    out.WriteInteger(look.background);
    out.WriteInteger(look.buttonSprite);
    out.WriteReal(look.alpha);
    out.WriteInteger(static_cast<std::int32_t>(look.mouseColor));
    out.WriteInteger(static_cast<std::int32_t>(look.inputColor));
    for (const MessageFont* font : {&look.textFont, &look.buttonFont, &look.inputFont}) WriteFont(out, *font);
    for (int field : {look.x, look.y, look.width, look.height}) out.WriteInteger(field);
    out.WriteBoolean(look.showCaption);
    out.WriteString(look.caption);
}

void ReadMessageLook(CStream& in, MessageLook& look) {
    look.background = in.ReadInteger();
    look.buttonSprite = in.ReadInteger();
    CheckSaved(look.background >= -1 && look.buttonSprite >= -1);
    look.alpha = in.ReadReal();
    CheckSaved(look.alpha >= 0 && look.alpha <= 1);
    look.mouseColor = ReadColor(in);
    look.inputColor = ReadColor(in);
    for (MessageFont* font : {&look.textFont, &look.buttonFont, &look.inputFont}) ReadFont(in, *font);
    for (int* field : {&look.x, &look.y, &look.width, &look.height}) {
        *field = in.ReadInteger();
        CheckSaved(*field >= -1 && *field <= kMaxScreenPixels);
    }
    look.showCaption = in.ReadBoolean();
    look.caption = in.ReadString();
}

}  // namespace kestrin::engine
