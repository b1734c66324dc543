// JsonWriter: layout, escapes and numbers.

#include "cli/json_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kestrin::cli {

namespace {
constexpr std::size_t kMaxIndentLevels = 32;
constexpr std::size_t kFlushSize = std::size_t(1) << 16;
}  // namespace

bool JsonWriter::Flush() {
    if (!mSink) return true;
    if (!mOut.empty() && std::fwrite(mOut.data(), 1, mOut.size(), mSink) != mOut.size()) mSinkFailed = true;
    mOut.clear();
    return !mSinkFailed;
}

void JsonWriter::NewLine(std::size_t depth) {
    if (mSink && mOut.size() >= kFlushSize) Flush();
    mOut += '\n';
    mOut.append(std::min(depth, kMaxIndentLevels) * 2, ' ');
}

void JsonWriter::BeforeValue() {
    if (mAfterKey) {
        mAfterKey = false;
        return;
    }
    if (mLevels.empty()) return;
    Level& level = mLevels.back();
    if (!level.empty) mOut += level.inlineLayout ? ", " : ",";
    if (!level.inlineLayout) NewLine(mLevels.size());
    level.empty = false;
}

JsonWriter& JsonWriter::Key(std::string_view name) {
    BeforeValue();
    Quoted(name);
    mOut += ": ";
    mAfterKey = true;
    return *this;
}

void JsonWriter::Begin(char open, bool object, bool inlineLayout) {
    BeforeValue();
    mOut += open;
    // Everything inside an inline container stays on its line.
    bool insideInline = !mLevels.empty() && mLevels.back().inlineLayout;
    mLevels.push_back({object, inlineLayout || insideInline});
}

void JsonWriter::End(char close) {
    Level level = mLevels.back();
    mLevels.pop_back();
    if (!level.empty && !level.inlineLayout) NewLine(mLevels.size());
    mOut += close;
    if (mLevels.empty()) mOut += '\n';
}

void JsonWriter::BeginObject(bool inlineLayout) { Begin('{', true, inlineLayout); }
void JsonWriter::EndObject() { End('}'); }
void JsonWriter::BeginArray(bool inlineLayout) { Begin('[', false, inlineLayout); }
void JsonWriter::EndArray() { End(']'); }

void JsonWriter::Null() {
    BeforeValue();
    mOut += "null";
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    mOut += value ? "true" : "false";
}

void JsonWriter::Integer(std::int64_t value) {
    BeforeValue();
    mOut += std::to_string(value);
}

void JsonWriter::Real(double value) {
    if (!std::isfinite(value)) {
        Null();
        return;
    }
    BeforeValue();
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    mOut.append(buffer, result.ptr);
}

void JsonWriter::Text(std::string_view latin1) {
    BeforeValue();
    Quoted(latin1);
}

void JsonWriter::Quoted(std::string_view latin1) {
    static const char kHex[] = "0123456789abcdef";
    mOut += '"';
    for (char c : latin1) {
        auto byte = static_cast<unsigned char>(c);
        switch (byte) {
            case '"': mOut += "\\\""; break;
            case '\\': mOut += "\\\\"; break;
            case '\n': mOut += "\\n"; break;
            case '\r': mOut += "\\r"; break;
            case '\t': mOut += "\\t"; break;
            case '\b': mOut += "\\b"; break;
            case '\f': mOut += "\\f"; break;
            default:
                if (byte < 0x20) {
                    mOut += "\\u00";
                    mOut += kHex[byte >> 4];
                    mOut += kHex[byte & 15];
                } else if (byte < 0x80) {
                    mOut += c;
                } else {
                    mOut += static_cast<char>(0xC0 | (byte >> 6));
                    mOut += static_cast<char>(0x80 | (byte & 0x3F));
                }
        }
    }
    mOut += '"';
}

}  // namespace kestrin::cli
