// Import and export of script text files.

#include "storage/script_text_file.h"

#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "storage/game.h"
#include "storage/resource_tree.h"

namespace kestrin {

namespace {

constexpr const char* kDefine = "#define";
constexpr char kCtrlZ = 26;  // an old end-of-file mark some editors still append

bool IsDefinition(const std::string& line) { return line.find(kDefine) != std::string::npos; }

bool IsBlankOrControl(char ch) { return static_cast<unsigned char>(ch) <= 32; }

}  // namespace

std::vector<std::string> ScriptFileLines(const std::string& text) {
    std::string_view rest(text);
    while (!rest.empty() && rest.back() == kCtrlZ) rest.remove_suffix(1);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < rest.size()) {
        std::size_t lf = rest.find('\n', start);
        if (lf == std::string_view::npos) {
            lines.emplace_back(rest.substr(start));
            break;
        }
        std::size_t end = (lf > start && rest[lf - 1] == '\r') ? lf - 1 : lf;
        lines.emplace_back(rest.substr(start, end - start));
        start = lf + 1;
    }
    return lines;
}

std::string DefinitionName(const std::string& line) {
    std::size_t at = line.find(kDefine);
    if (at == std::string::npos) return {};
    std::size_t first = at + std::char_traits<char>::length(kDefine);
    std::size_t last = line.size();
    while (first < last && IsBlankOrControl(line[first])) ++first;
    while (last > first && IsBlankOrControl(line[last - 1])) --last;
    return line.substr(first, last - first);
}

void ImportScripts(const std::string& fileName, Game& game, CResourceTree& tree) {
    std::vector<std::string> lines = ScriptFileLines(ReadFileText(fileName));
    std::size_t definitions = 0;
    for (const std::string& line : lines)
        if (IsDefinition(line)) ++definitions;
    if (definitions == 0) {
        ShowMessage(kNoScriptsMessage);
        return;
    }
    ResourceNode* target = tree.Section(kTypeScripts);
    if (definitions > 1) {
        target = tree.AddGroup(target, ChangeFileExt(ExtractFileName(fileName), ""));
    }

    std::size_t current = 0;
    while (!IsDefinition(lines[current])) ++current;
    // A definition on the last line starts no script.
    while (current + 1 < lines.size()) {
        std::string name = DefinitionName(lines[current]);
        ResourceNode* node = tree.AddResourceNode(target, kTypeScripts);
        if (!node) return;
        tree.RenameNode(node, name);
        std::string code;
        ++current;
        while (current < lines.size() && !IsDefinition(lines[current])) {
            if (!lines[current].empty()) {
                code += lines[current];
                code += '\n';
            }
            ++current;
        }
        if (CScript* script = game.Scripts().ResourceAt(CResourceTree::NodeIndex(node))) script->Code = std::move(code);
        if (current >= lines.size()) break;
    }
}

void ExportScripts(const std::string& fileName, Game& game, const ResourceNode* start) {
    std::string text;
    auto& scripts = game.Scripts();
    std::vector<const ResourceNode*> pending;
    if (start) pending.push_back(start);
    while (!pending.empty()) {
        const ResourceNode* node = pending.back();
        pending.pop_back();
        const CScript* script = nullptr;
        if (node->Data.Kind == kNodeResource && node->Data.Type == kTypeScripts)
            script = scripts.ResourceAt(node->Data.Index);
        if (script) {
            text += "\r\n#define ";
            text += scripts.ResourceName(node->Data.Index);
            text += "\r\n";
            text += script->Code;
            text += "\r\n";
        }
        for (int row = node->ChildCount() - 1; row >= 0; --row) pending.push_back(node->Child(row));
    }
    WriteFileAtomically(fileName, text.data(), text.size());
}

void ExportAllScripts(const std::string& fileName, Game& game, const CResourceTree& tree) {
    ExportScripts(fileName, game, tree.Section(kTypeScripts));
}

}  // namespace kestrin
