#pragma once
// The tutorials menu: one entry per file of the "tutorials" folder beside the
// executable. An example game opens in Kestrin itself; any other file (the
// tutorial pages) opens with the application the desktop associates with it.

#include <functional>
#include <string>
#include <vector>

class QMenu;

namespace kestrin {

struct TutorialEntry {
    std::string caption;  // the file name
    std::string path;     // the whole path of the file
};

// The folder the entries come from: "tutorials" beside the executable.
std::string TutorialsFolder();

// The plain files of the folder, by name; empty when the folder is missing
// or holds none. Hidden files (a leading dot) are left out.
std::vector<TutorialEntry> TutorialEntries(const std::string& folder = TutorialsFolder());

// Whether the entry is a game file, which Kestrin opens itself.
bool IsExampleGame(const TutorialEntry& entry);

// Opens the file with its associated application; false when that fails.
bool OpenTutorial(const TutorialEntry& entry);

// Fills the menu with the entries (captions as they are, no accelerators)
// and hides the menu when there are none. Choosing a game hands its path to
// openGame; any other entry opens with OpenTutorial. Returns the number of
// entries.
int FillTutorialsMenu(QMenu* menu, std::function<void(const std::string& path)> openGame,
                      const std::string& folder = TutorialsFolder());

}  // namespace kestrin
