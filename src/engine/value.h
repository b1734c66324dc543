#pragma once
// A value of the script language: a real or a string. Reals are doubles;
// strings are 8-bit text kept byte for byte.

#include <string>
#include <utility>

namespace kestrin::engine {

class Value {
public:
    Value() = default;
    Value(double real) : mReal(real) {}
    Value(std::string text) : mIsString(true), mText(std::move(text)) {}
    Value(const char* text) : mIsString(true), mText(text) {}

    bool IsString() const { return mIsString; }
    bool IsReal() const { return !mIsString; }
    // The real of a string is 0; the text of a real is empty.
    double Real() const { return mReal; }
    const std::string& Text() const { return mText; }

    // Turns the value into a real in place, keeping the text's buffer for
    // later use; cheaper than assigning a new Value in the runtime's loops.
    void SetReal(double real) {
        mIsString = false;
        mReal = real;
        mText.clear();
    }

    // A condition holds for a real greater than 0.5; never for a string.
    bool IsTrue() const { return !mIsString && mReal > 0.5; }

    friend bool operator==(const Value&, const Value&) = default;

private:
    bool mIsString = false;
    double mReal = 0.0;
    std::string mText;
};

}  // namespace kestrin::engine
