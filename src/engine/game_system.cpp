// Saving the ini file and closing what a game left open.

#include "engine/game_system.h"

#include "platform/file_system.h"

namespace kestrin::engine {

bool GameSystem::SaveIni(std::string& error) {
    if (!ini || !ini->Changed()) return true;
    const std::string text = ini->Text();
    try {
        WriteFileAtomically(iniPath, text.data(), text.size());
    } catch (const FileError&) {
        error = "Cannot write the ini file " + iniPath + ".";
        return false;
    }
    return true;
}

bool GameSystem::CloseAll(std::string& error) {
    for (auto& file : textFiles) file.reset();
    for (auto& file : binaryFiles) file.reset();
    singleFile.reset();
    found.clear();
    nextFound = 0;
    const bool saved = SaveIni(error);
    ini.reset();
    iniPath.clear();
    return saved;
}

}  // namespace kestrin::engine
