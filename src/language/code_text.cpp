// Line breaks between stored and edited code.

#include "language/code_text.h"

namespace kestrin {

std::string CodeToEditText(std::string_view code) {
    std::string text;
    text.reserve(code.size());
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (code[i] == '\r') {
            text += '\n';
            if (i + 1 < code.size() && code[i + 1] == '\n') ++i;
        } else {
            text += code[i];
        }
    }
    return text;
}

std::string EditTextToCode(std::string_view text) {
    std::size_t breaks = 0;
    for (char c : text) breaks += c == '\n';
    std::string code;
    code.reserve(text.size() + breaks);
    for (char c : text) {
        if (c == '\n') code += '\r';
        code += c;
    }
    return code;
}

}  // namespace kestrin
