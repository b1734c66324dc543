// The tutorials folder and its menu.

#include "app/tutorials.h"

#include <QAction>
#include <QDesktopServices>
#include <QMenu>
#include <QUrl>
#include <algorithm>

#include "app/text_convert.h"
#include "platform/file_system.h"

namespace kestrin {

std::string TutorialsFolder() { return ExecutableFolder() + "tutorials"; }

std::vector<TutorialEntry> TutorialEntries(const std::string& folder) {
    std::vector<TutorialEntry> entries;
    for (const FolderEntry& entry : ListFolder(folder)) {
        if (entry.isFolder || entry.name.empty() || entry.name[0] == '.') continue;
        entries.push_back({entry.name, JoinPath(folder, entry.name)});
    }
    std::sort(entries.begin(), entries.end(),
              [](const TutorialEntry& a, const TutorialEntry& b) { return a.caption < b.caption; });
    return entries;
}

bool IsExampleGame(const TutorialEntry& entry) { return LowerFileExt(entry.path) == ".ksd"; }

bool OpenTutorial(const TutorialEntry& entry) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(PathToQt(entry.path)));
}

int FillTutorialsMenu(QMenu* menu, std::function<void(const std::string& path)> openGame,
                      const std::string& folder) {
    menu->clear();
    std::vector<TutorialEntry> entries = TutorialEntries(folder);
    for (const TutorialEntry& entry : entries) {
        // A "&" in a file name is shown, not taken as an accelerator.
        QString caption = PathToQt(entry.caption);
        caption.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* action = menu->addAction(caption);
        QObject::connect(action, &QAction::triggered, menu, [entry, openGame] {
            if (IsExampleGame(entry))
                openGame(entry.path);
            else
                OpenTutorial(entry);
        });
    }
    menu->menuAction()->setVisible(!entries.empty());
    return static_cast<int>(entries.size());
}

}  // namespace kestrin
