#pragma once
// A value of the script language: a real or a string. Reals are doubles;
// strings are 8-bit text kept byte for byte. A string's text is shared
// between copies and never changed, so copying a value costs no more than
// copying a pointer, which the interpreter does at every variable read.

#include <memory>
#include <string>
#include <utility>

namespace kestrin::engine {

class Value {
public:
    Value() = default;
    Value(double real) : mReal(real) {}
    Value(std::string text) : mText(std::make_shared<const std::string>(std::move(text))) {}
    Value(const char* text) : Value(std::string(text)) {}
    Value(const Value&) = default;
    Value(Value&&) noexcept = default;
    // Reals are most values; they are copied without touching the text's
    // count of owners.
    Value& operator=(const Value& other) {
        mReal = other.mReal;
        if (mText || other.mText) mText = other.mText;
        return *this;
    }
    Value& operator=(Value&& other) noexcept {
        mReal = other.mReal;
        if (mText || other.mText) mText = std::move(other.mText);
        return *this;
    }

    bool IsString() const { return mText != nullptr; }
    bool IsReal() const { return mText == nullptr; }
    // The real of a string is 0; the text of a real is empty.
    double Real() const { return mText ? 0.0 : mReal; }
    const std::string& Text() const { return mText ? *mText : EmptyText(); }

    // Turns the value into a real in place.
    void SetReal(double real) {
        if (mText) mText.reset();
        mReal = real;
    }

    // A condition holds for a real greater than 0.5; never for a string.
    bool IsTrue() const { return !mText && mReal > 0.5; }

    friend bool operator==(const Value& a, const Value& b) {
        if (a.IsString() != b.IsString()) return false;
        return a.IsString() ? a.Text() == b.Text() : a.mReal == b.mReal;
    }

private:
    static const std::string& EmptyText() {
        static const std::string empty;
        return empty;
    }

    double mReal = 0.0;
    std::shared_ptr<const std::string> mText;
};

}  // namespace kestrin::engine
