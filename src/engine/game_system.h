#pragma once
// What a running game has open or has chosen on the system: its text and
// binary files (by handle), the one file of the single-file functions, a
// file search under way, the open ini file, the settings root, and the
// multiplayer connection and the external libraries (each made when the
// game first asks for it).

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "engine/external_libraries.h"
#include "engine/ini_file.h"
#include "engine/multiplayer.h"
#include "engine/open_files.h"

namespace kestrin::engine {

struct GameSystem {
    // Handles run from 1 to this, for each kind of file.
    static constexpr int kMaxOpenFiles = 32;

    std::array<std::unique_ptr<TextFile>, kMaxOpenFiles> textFiles;
    std::array<std::unique_ptr<BinaryFile>, kMaxOpenFiles> binaryFiles;
    std::unique_ptr<TextFile> singleFile;

    std::vector<std::string> found;  // of the search under way, the next first
    std::size_t nextFound = 0;

    std::unique_ptr<IniFile> ini;
    std::string iniPath;

    int settingsRoot = 0;

    std::unique_ptr<Multiplayer> multiplayer;
    std::unique_ptr<ExternalLibraries> externals;

    // Writes the open ini file when it changed; false with the error text
    // when it could not be written.
    bool SaveIni(std::string& error);
    // What a game that ends or starts again leaves open: every file is
    // closed, the search ends, and the ini file is saved and closed, so
    // nothing the game wrote is lost. False with the error text when the
    // ini file could not be written.
    bool CloseAll(std::string& error);
};

}  // namespace kestrin::engine
