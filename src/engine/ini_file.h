#pragma once
// The text of an ini file as a game reads and changes it: [sections] of
// key=value lines. Section and key names match without regard to case.
// Lines the game does not change (comments, blank lines, lines that are
// neither) come back out as they went in; the file's line break (CR LF or
// LF) is kept.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin::engine {

class IniFile {
public:
    explicit IniFile(std::string_view text = {});

    std::optional<std::string> Read(std::string_view section, std::string_view key) const;
    // Replaces the key's line, or adds one after the section's last key
    // (adding the section at the end when it is new). Line breaks in the
    // names or the value become spaces; false for a key with "=" or a name
    // that would not read back.
    bool Write(std::string_view section, std::string_view key, std::string_view value);
    bool KeyExists(std::string_view section, std::string_view key) const;
    bool SectionExists(std::string_view section) const;
    // False when there was nothing to delete.
    bool DeleteKey(std::string_view section, std::string_view key);
    // The section's header and every line up to the next section.
    bool DeleteSection(std::string_view section);

    std::string Text() const;
    bool Changed() const { return mChanged; }
    // Bytes of text, to bound how large a game may make it.
    std::size_t Size() const { return mSize; }

private:
    struct Line {
        std::string text;
        std::string key;  // empty for a line that is no key
        std::string value;
    };
    struct Section {
        std::string name;   // empty for the lines before the first section
        std::vector<Line> lines;  // the header first, when there is one
    };

    Section* Find(std::string_view section);
    const Section* Find(std::string_view section) const;
    static const Line* FindKey(const Section& section, std::string_view key);

    std::vector<Section> mSections;
    std::string mBreak = "\n";
    bool mChanged = false;
    std::size_t mSize = 0;
};

}  // namespace kestrin::engine
