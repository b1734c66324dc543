#pragma once
// A small JSON reader for tests of the CLI's output: strict enough to reject
// what is not JSON, with strings turned back from UTF-8 into 8-bit text (the
// characters a dump may hold are all below 256).

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin::test {

struct JsonValue {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool boolean = false;
    double number = 0;
    std::string text;  // strings as 8-bit text; numbers as written
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> members;

    const JsonValue& operator[](const std::string& key) const {
        auto it = members.find(key);
        if (kind != Object || it == members.end()) throw std::runtime_error("no member " + key);
        return it->second;
    }
    const JsonValue& operator[](std::size_t i) const {
        if (kind != Array || i >= items.size()) throw std::runtime_error("no item " + std::to_string(i));
        return items[i];
    }
    std::size_t size() const { return kind == Array ? items.size() : members.size(); }
    bool IsNull() const { return kind == Null; }
    std::int64_t Int() const { return static_cast<std::int64_t>(number); }
};

class JsonReader {
public:
    // Throws std::runtime_error for anything that is not one JSON value.
    static JsonValue Parse(std::string_view text) {
        JsonReader reader(text);
        JsonValue value = reader.Value();
        reader.Blanks();
        if (reader.mAt != text.size()) reader.Fail("text after the value");
        return value;
    }

private:
    explicit JsonReader(std::string_view text) : mText(text) {}

    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error("JSON: " + what + " at " + std::to_string(mAt));
    }
    void Blanks() {
        while (mAt < mText.size() && std::string_view(" \n\r\t").find(mText[mAt]) != std::string_view::npos) ++mAt;
    }
    char Next() {
        if (mAt >= mText.size()) Fail("unexpected end");
        return mText[mAt++];
    }
    void Expect(std::string_view word) {
        if (mText.substr(mAt, word.size()) != word) Fail("expected " + std::string(word));
        mAt += word.size();
    }

    JsonValue Value() {
        Blanks();
        JsonValue value;
        if (mAt >= mText.size()) Fail("no value");
        char c = mText[mAt];
        if (c == '{') {
            value.kind = JsonValue::Object;
            ++mAt;
            Blanks();
            if (mText[mAt] == '}') return ++mAt, value;
            for (;;) {
                Blanks();
                if (Next() != '"') Fail("expected a key");
                std::string key = StringBody();
                Blanks();
                if (Next() != ':') Fail("expected ':'");
                if (!value.members.emplace(key, Value()).second) Fail("duplicate key " + key);
                Blanks();
                char after = Next();
                if (after == '}') break;
                if (after != ',') Fail("expected ',' or '}'");
            }
        } else if (c == '[') {
            value.kind = JsonValue::Array;
            ++mAt;
            Blanks();
            if (mText[mAt] == ']') return ++mAt, value;
            for (;;) {
                value.items.push_back(Value());
                Blanks();
                char after = Next();
                if (after == ']') break;
                if (after != ',') Fail("expected ',' or ']'");
            }
        } else if (c == '"') {
            ++mAt;
            value.kind = JsonValue::String;
            value.text = StringBody();
        } else if (c == 't') {
            Expect("true");
            value.kind = JsonValue::Bool;
            value.boolean = true;
        } else if (c == 'f') {
            Expect("false");
            value.kind = JsonValue::Bool;
        } else if (c == 'n') {
            Expect("null");
        } else {
            std::size_t start = mAt;
            if (mText[mAt] == '-') ++mAt;
            auto digits = [&] {
                std::size_t from = mAt;
                while (mAt < mText.size() && mText[mAt] >= '0' && mText[mAt] <= '9') ++mAt;
                if (mAt == from) Fail("expected digits");
            };
            digits();
            if (mAt < mText.size() && mText[mAt] == '.') ++mAt, digits();
            if (mAt < mText.size() && (mText[mAt] == 'e' || mText[mAt] == 'E')) {
                ++mAt;
                if (mAt < mText.size() && (mText[mAt] == '+' || mText[mAt] == '-')) ++mAt;
                digits();
            }
            value.kind = JsonValue::Number;
            value.text = std::string(mText.substr(start, mAt - start));
            value.number = std::stod(value.text);
        }
        return value;
    }

    // After the opening quote; UTF-8 and \u escapes back to 8-bit characters.
    std::string StringBody() {
        std::string out;
        for (;;) {
            auto c = static_cast<unsigned char>(Next());
            if (c == '"') return out;
            if (c < 0x20) Fail("control character in a string");
            if (c == '\\') {
                char e = Next();
                switch (e) {
                    case '"': out += '"'; break;
                    case '\\': out += '\\'; break;
                    case '/': out += '/'; break;
                    case 'n': out += '\n'; break;
                    case 'r': out += '\r'; break;
                    case 't': out += '\t'; break;
                    case 'b': out += '\b'; break;
                    case 'f': out += '\f'; break;
                    case 'u': {
                        std::string digits(mText.substr(mAt, 4));
                        unsigned code = static_cast<unsigned>(std::stoul(digits, nullptr, 16));
                        mAt += 4;
                        if (code > 0xFF) Fail("character beyond 8 bits");
                        out += static_cast<char>(code);
                        break;
                    }
                    default: Fail("bad escape");
                }
            } else if (c < 0x80) {
                out += static_cast<char>(c);
            } else if ((c & 0xE0) == 0xC0) {
                auto next = static_cast<unsigned char>(Next());
                if ((next & 0xC0) != 0x80) Fail("bad UTF-8");
                unsigned code = (c & 0x1Fu) << 6 | (next & 0x3Fu);
                if (code < 0x80 || code > 0xFF) Fail("character beyond 8 bits or overlong");
                out += static_cast<char>(code);
            } else {
                Fail("character beyond 8 bits");
            }
        }
    }

    std::string_view mText;
    std::size_t mAt = 0;
};

}  // namespace kestrin::test
