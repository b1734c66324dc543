// JsonWriter: the layout; values through nlohmann::json.

#include "cli/json_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

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

void JsonWriter::Scalar(const std::string& text) {
    BeforeValue();
    mOut += text;
}

void JsonWriter::Null() { Scalar(nlohmann::json(nullptr).dump()); }

void JsonWriter::Bool(bool value) { Scalar(nlohmann::json(value).dump()); }

void JsonWriter::Integer(std::int64_t value) { Scalar(nlohmann::json(value).dump()); }

void JsonWriter::Real(double value) {
    if (!std::isfinite(value)) {
        Null();
        return;
    }
    // The shortest text that reads back as the same double, without the
    // ".0" nlohmann::json adds to whole numbers: a whole coordinate stays
    // "100" as readers of the dump have always seen it.
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    Scalar(std::string(buffer, result.ptr));
}

void JsonWriter::Text(std::string_view latin1) {
    BeforeValue();
    Quoted(latin1);
}

void JsonWriter::Quoted(std::string_view latin1) {
    std::string utf8;
    utf8.reserve(latin1.size());
    for (char c : latin1) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    // Always valid UTF-8 by now, so the strict check never throws.
    mOut += nlohmann::json(std::move(utf8)).dump();
}

}  // namespace kestrin::cli
