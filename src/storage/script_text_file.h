#pragma once
// Script text files: many scripts in one plain text file, each introduced by
// a line "#define " + its name. Export writes the scripts at or below a tree
// node; import adds one new script per definition, inside a new group named
// after the file when it holds more than one. File errors raise FileError.

#include <string>
#include <vector>

namespace kestrin {

class CResourceTree;
class Game;
class ResourceNode;

inline constexpr const char* kNoScriptsMessage = "File contains no scripts.";

void ImportScripts(const std::string& fileName, Game& game, CResourceTree& tree);
// Every script at or below the start node, depth first in tree order.
void ExportScripts(const std::string& fileName, Game& game, const ResourceNode* start);
void ExportAllScripts(const std::string& fileName, Game& game, const CResourceTree& tree);

// The file's lines: split at CR LF and at a lone LF, the break not part of a
// line; a final break adds no line.
std::vector<std::string> ScriptFileLines(const std::string& text);
// The script name of a definition line: the text after the first "#define",
// without leading and trailing blanks and control characters.
std::string DefinitionName(const std::string& line);

}  // namespace kestrin
