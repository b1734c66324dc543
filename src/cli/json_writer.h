#pragma once
// A small JSON writer for the CLI's output: one value per line, indented by
// two blanks per level (up to a limit, so a deeply nested input cannot blow
// up the output), except containers opened inline, which stay on one line
// with everything in them. Texts are 8-bit; each byte is the character with
// the same code (Latin-1) and is written as UTF-8, so every byte string,
// whatever it holds, becomes valid JSON that reads back to the same codes.
// The layout is ours; texts, with their escapes, and integers are written by
// nlohmann::json.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin::cli {

class JsonWriter {
public:
    // Keeps the whole text in Output().
    JsonWriter() = default;
    // Passes the text on to the file as it grows, so memory stays small.
    explicit JsonWriter(std::FILE* sink) : mSink(sink) {}

    // Writes what is held to the sink; false once a write to it failed.
    bool Flush();

    // Inside an object a key comes before each value.
    JsonWriter& Key(std::string_view name);

    void BeginObject(bool inlineLayout = false);
    void EndObject();
    void BeginArray(bool inlineLayout = false);
    void EndArray();

    void Null();
    void Bool(bool value);
    void Integer(std::int64_t value);
    // Shortest text that reads back as the same double; null when not finite.
    void Real(double value);
    void Text(std::string_view latin1);

    // The text so far (without a sink); complete, with a final line break,
    // once every container is closed.
    const std::string& Output() const { return mOut; }

private:
    struct Level {
        bool object;
        bool inlineLayout;
        bool empty = true;
    };

    void BeforeValue();
    void Begin(char open, bool object, bool inlineLayout);
    void End(char close);
    void NewLine(std::size_t depth);
    void Quoted(std::string_view latin1);
    void Scalar(const std::string& text);

    std::FILE* mSink = nullptr;
    bool mSinkFailed = false;
    std::string mOut;
    std::vector<Level> mLevels;
    bool mAfterKey = false;
};

}  // namespace kestrin::cli
