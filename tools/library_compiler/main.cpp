// kestrin-libc: compiles action library sources into the ".lib" files that
// Kestrin loads from its "lib" folder.
//
//   kestrin-libc OUTPUT_FOLDER SOURCE...
//
// Each SOURCE (name.actions) becomes OUTPUT_FOLDER/name.lib. Every icon of
// one run must differ from every other, so look-alike buttons are caught here.

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "actions/action_definition.h"
#include "library_source.h"
#include "platform/file_system.h"
#include "stream/stream.h"

using namespace kestrin;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "Usage: kestrin-libc OUTPUT_FOLDER SOURCE...\n");
        return 2;
    }
    const std::string output = argv[1];
    if (!FolderExists(output) && !CreateFolders(output)) {
        std::fprintf(stderr, "kestrin-libc: cannot make the folder %s\n", output.c_str());
        return 1;
    }
    std::map<std::string, std::string> iconOwners;  // BMP bytes -> "file: action"
    for (int i = 2; i < argc; ++i) {
        const std::string source = argv[i];
        try {
            CActionLibrary library;
            tools::ParseLibrarySource(ReadFileText(source), source, library);
            for (const auto& definition : library.Definitions) {
                if (definition->Image.empty()) continue;
                const std::string owner = source + ": " + definition->Description;
                const auto [it, added] = iconOwners.emplace(definition->Image, owner);
                if (!added) throw tools::SourceError(owner + ": the same icon as " + it->second);
            }
            CStream stream;
            library.SaveToStream(stream);
            const std::string name = ChangeFileExt(ExtractFileName(source), ".lib");
            stream.SaveToFile(JoinPath(output, name));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "kestrin-libc: %s\n", error.what());
            return 1;
        }
    }
    return 0;
}
