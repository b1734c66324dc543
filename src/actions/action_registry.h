#pragma once
// The process-wide registry of loaded action libraries, the loader that fills
// it from the "lib" folder at start-up, and the icon store of palette images.
// After loading the registry is only read.

#include <cstdint>
#include <string>
#include <vector>

#include "actions/action_definition.h"
#include "actions/icon_store.h"
#include "imaging/bitmap24.h"

namespace kestrin {

inline constexpr int kMaxActionLibraries = 100;

inline constexpr const char* kNoLibraryFolderMessage = "Cannot locate action library directory.";
inline constexpr const char* kLibraryLoadErrorMessage = "Error loading action library: ";
inline constexpr const char* kNoLibrariesMessage = "No action libraries have been found.";
inline constexpr const char* kTooManyLibrariesMessage = "Not all action libraries could be loaded.";

// The folder libraries are read from: the executable's folder + "lib" + separator.
std::string ActionLibraryFolder();

// Loads every regular file "*.lib" of ActionLibraryFolder() (a link to one
// counts; folders, pipes and dangling links do not), showing the load messages
// through the user-interface seam. Called once at start-up, before any window.
bool LoadActionLibraries();

// The same from a given folder, adding to what is loaded (tests, tools).
bool LoadActionLibrariesFrom(const std::string& folder);

// Reads the bytes of one library file and decodes the definitions' pictures,
// one per definition, null for none; false for anything that is not a
// well-formed library file: a refused version, cut short, a broken picture.
bool ReadActionLibrary(const std::vector<std::uint8_t>& bytes, CActionLibrary& library, std::vector<Image>& pictures);

// Empties the registry and the icon store (tests).
void ClearActionLibraries();

// Number of loaded libraries, 0 to 100.
int LibraryCount();
// The library at that load position, or null outside 0..count-1.
const CActionLibrary* LibraryAt(int index);

// The first definition with that action id in the libraries with that library
// id, searched in load order; null when none has it.
const CActionDefinition* FindActionDefinition(std::int32_t libraryId, std::int32_t actionId);

// The icon store holding the palette images of every loaded definition.
CIconStore& ActionIcons();

// Adds a picture (the bytes of a BMP file) to the icon store; the icon number,
// or -1 when no image list takes it.
int AddActionIcon(const std::string& bmpBytes);

}  // namespace kestrin
