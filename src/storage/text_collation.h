#pragma once
// Locale-aware ordering of 8-bit (Latin-1) texts, used to sort the resource
// tree. The user's locale decides when it has a real collation; under the C
// or POSIX locale a fixed order stands in that still sorts like a dictionary
// (letters without regard to case and accents first, lower case before upper
// case on a tie), not by byte value.

#include <string>
#include <string_view>

namespace kestrin {

class TextCollator {
public:
    // "" is the user's locale (from the environment); any other name an
    // installed locale. A name that cannot be loaded, or a locale that orders
    // like the C locale, gives the fixed order.
    explicit TextCollator(const char* localeName = "");
    ~TextCollator();
    TextCollator(const TextCollator&) = delete;
    TextCollator& operator=(const TextCollator&) = delete;

    // Less than, equal to or greater than 0. Only equal texts compare equal.
    int Compare(std::string_view a, std::string_view b) const;
    // The locale's collation is in use (not the fixed order).
    bool UsesLocale() const { return mLocale != nullptr; }

private:
    void* mLocale = nullptr;  // a locale_t
    bool mUtf8 = false;       // the locale expects UTF-8, so Latin-1 is converted first
};

// The fixed order used when no locale collation is available.
int CompareTextFallback(std::string_view a, std::string_view b);

// Compares with the user's locale, loaded once.
int CompareTextLocale(std::string_view a, std::string_view b);

}  // namespace kestrin
