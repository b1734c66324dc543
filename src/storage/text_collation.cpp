// Locale-aware text comparison with a fixed dictionary order as fallback.

#include "storage/text_collation.h"

#include <langinfo.h>
#include <locale.h>
#include <string.h>

#include <cstdint>

namespace kestrin {

namespace {

// Latin-1 letter without case or accent; other bytes as they are.
unsigned char BaseLetter(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) c = static_cast<unsigned char>(c + 32);
    if (c >= 0xE0 && c <= 0xE5) return 'a';
    if (c == 0xE7) return 'c';
    if (c >= 0xE8 && c <= 0xEB) return 'e';
    if (c >= 0xEC && c <= 0xEF) return 'i';
    if (c == 0xF1) return 'n';
    if ((c >= 0xF2 && c <= 0xF6) || c == 0xF8) return 'o';
    if (c >= 0xF9 && c <= 0xFC) return 'u';
    if (c == 0xFD || c == 0xFF) return 'y';
    return c;
}

// Lower case without its accent removed.
unsigned char LowerLetter(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    return c;
}

bool IsUpper(unsigned char c) { return LowerLetter(c) != c; }

template <typename Key>
int CompareBy(std::string_view a, std::string_view b, Key key) {
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        int ka = key(static_cast<unsigned char>(a[i]));
        int kb = key(static_cast<unsigned char>(b[i]));
        if (ka != kb) return ka < kb ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return 0;
}

std::string Latin1ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (c == 0) continue;  // strcoll stops at a zero byte anyway
        if (c < 0x80) {
            out.push_back(ch);
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

int CompareBytes(std::string_view a, std::string_view b) {
    int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

int CompareTextFallback(std::string_view a, std::string_view b) {
    if (int c = CompareBy(a, b, BaseLetter)) return c;
    if (int c = CompareBy(a, b, LowerLetter)) return c;
    if (int c = CompareBy(a, b, [](unsigned char ch) { return IsUpper(ch) ? 1 : 0; })) return c;
    return CompareBytes(a, b);
}

TextCollator::TextCollator(const char* localeName) {
    locale_t loc = newlocale(LC_COLLATE_MASK | LC_CTYPE_MASK, localeName ? localeName : "", nullptr);
    if (!loc) return;
    // A locale that puts "B" before "a" collates by byte value (C, POSIX, C.UTF-8):
    // the fixed order serves better there.
    if (strcoll_l("a", "B", loc) >= 0) {
        freelocale(loc);
        return;
    }
    const char* codeset = nl_langinfo_l(CODESET, loc);
    mUtf8 = codeset && (strcmp(codeset, "UTF-8") == 0 || strcmp(codeset, "utf8") == 0);
    mLocale = loc;
}

TextCollator::~TextCollator() {
    if (mLocale) freelocale(static_cast<locale_t>(mLocale));
}

int TextCollator::Compare(std::string_view a, std::string_view b) const {
    if (!mLocale) return CompareTextFallback(a, b);
    std::string ca = mUtf8 ? Latin1ToUtf8(a) : std::string(a.substr(0, a.find('\0')));
    std::string cb = mUtf8 ? Latin1ToUtf8(b) : std::string(b.substr(0, b.find('\0')));
    int c = strcoll_l(ca.c_str(), cb.c_str(), static_cast<locale_t>(mLocale));
    if (c != 0) return c < 0 ? -1 : 1;
    return CompareBytes(a, b);
}

int CompareTextLocale(std::string_view a, std::string_view b) {
    static const TextCollator collator("");
    return collator.Compare(a, b);
}

}  // namespace kestrin
