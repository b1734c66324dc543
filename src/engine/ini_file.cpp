// Ini text parsed into sections of lines, each line kept as read.

#include "engine/ini_file.h"

#include <algorithm>
#include <cctype>

namespace kestrin::engine {

namespace {

std::string Trim(std::string_view text) {
    std::size_t first = 0, last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1]))) --last;
    return std::string(text.substr(first, last - first));
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string OneLine(std::string_view text) {
    std::string line(text);
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

bool IsComment(const std::string& trimmed) { return !trimmed.empty() && (trimmed[0] == ';' || trimmed[0] == '#'); }

}  // namespace

IniFile::IniFile(std::string_view text) {
    mSections.push_back({});
    if (text.find("\r\n") != std::string_view::npos) mBreak = "\r\n";
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string raw(text.substr(start, end - start));
        start = end;
        if (start < text.size() && text[start] == '\r') ++start;
        if (start < text.size() && text[start] == '\n') ++start;

        const std::string trimmed = Trim(raw);
        if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
            mSections.push_back({Trim(std::string_view(trimmed).substr(1, trimmed.size() - 2)), {{raw, {}, {}}}});
            continue;
        }
        Line line{raw, {}, {}};
        const std::size_t equals = trimmed.find('=');
        if (!IsComment(trimmed) && equals != std::string::npos && equals > 0) {
            line.key = Trim(std::string_view(trimmed).substr(0, equals));
            line.value = Trim(std::string_view(trimmed).substr(equals + 1));
        }
        mSections.back().lines.push_back(std::move(line));
    }
    for (const Section& section : mSections)
        for (const Line& line : section.lines) mSize += line.text.size() + mBreak.size();
}

IniFile::Section* IniFile::Find(std::string_view section) {
    return const_cast<Section*>(static_cast<const IniFile*>(this)->Find(section));
}

const IniFile::Section* IniFile::Find(std::string_view section) const {
    const std::string name = Trim(section);
    // The lines before the first header are no section a game can name.
    for (std::size_t i = 1; i < mSections.size(); ++i)
        if (SameName(mSections[i].name, name)) return &mSections[i];
    return nullptr;
}

const IniFile::Line* IniFile::FindKey(const Section& section, std::string_view key) {
    const std::string name = Trim(key);
    for (const Line& line : section.lines)
        if (!line.key.empty() && SameName(line.key, name)) return &line;
    return nullptr;
}

std::optional<std::string> IniFile::Read(std::string_view section, std::string_view key) const {
    const Section* found = Find(section);
    const Line* line = found ? FindKey(*found, key) : nullptr;
    if (!line) return std::nullopt;
    return line->value;
}

bool IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    const std::string sectionName = Trim(OneLine(section));
    const std::string keyName = Trim(OneLine(key));
    const std::string text = Trim(OneLine(value));
    if (sectionName.empty() || sectionName.find(']') != std::string::npos || keyName.empty() ||
        keyName.find('=') != std::string::npos || keyName[0] == '[' || IsComment(keyName))
        return false;

    Section* target = Find(sectionName);
    if (!target) {
        Section& last = mSections.back();
        if (!last.lines.empty() && !Trim(last.lines.back().text).empty()) {
            last.lines.push_back({"", {}, {}});
            mSize += mBreak.size();
        }
        mSections.push_back({sectionName, {{"[" + sectionName + "]", {}, {}}}});
        mSize += sectionName.size() + 2 + mBreak.size();
        target = &mSections.back();
    }
    Line* line = const_cast<Line*>(FindKey(*target, keyName));
    if (!line) {
        // After the section's last key (or its header), so blank lines and
        // comments about the next section stay with it.
        auto place = target->lines.begin() + 1;
        for (auto it = target->lines.begin(); it != target->lines.end(); ++it)
            if (!it->key.empty()) place = it + 1;
        line = &*target->lines.insert(place, Line{{}, keyName, {}});
        mSize += mBreak.size();
    }
    mSize -= line->text.size();
    line->value = text;
    line->text = line->key + "=" + text;
    mSize += line->text.size();
    mChanged = true;
    return true;
}

bool IniFile::KeyExists(std::string_view section, std::string_view key) const { return Read(section, key).has_value(); }

bool IniFile::SectionExists(std::string_view section) const { return Find(section) != nullptr; }

bool IniFile::DeleteKey(std::string_view section, std::string_view key) {
    Section* found = Find(section);
    const Line* line = found ? FindKey(*found, key) : nullptr;
    if (!line) return false;
    mSize -= line->text.size() + mBreak.size();
    found->lines.erase(found->lines.begin() + (line - found->lines.data()));
    mChanged = true;
    return true;
}

bool IniFile::DeleteSection(std::string_view section) {
    Section* found = Find(section);
    if (!found) return false;
    for (const Line& line : found->lines) mSize -= line.text.size() + mBreak.size();
    mSections.erase(mSections.begin() + (found - mSections.data()));
    mChanged = true;
    return true;
}

std::string IniFile::Text() const {
    std::string text;
    text.reserve(mSize);
    for (const Section& section : mSections)
        for (const Line& line : section.lines) text += line.text + mBreak;
    return text;
}

}  // namespace kestrin::engine
