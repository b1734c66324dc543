#pragma once
// TScriptInfoForm: the information window that shows a listing or a check as
// coloured lines. A click on a line that names a resource opens it (a script
// at its line); the list can be refreshed, saved as rich or plain text and
// printed.
//
// ScriptInfoWindows keeps the one-window-per-type rule: every listing and
// check reuses its open window, every search opens a new one.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "language/project_checks.h"

class QLabel;
class QMdiArea;
class QPrinter;
class QTextEdit;

namespace kestrin {

class Game;

// Computes the lines of a window of the given type; searchText is used by
// searches only.
using InfoLineSource = std::function<std::vector<InfoLine>(InfoType type, const std::string& searchText)>;
// Opens the resource that a line names (only called for lines with a kind).
using InfoLineOpener = std::function<void(const InfoLine& line)>;

// The lines as a listing file: each line's text and CR LF.
std::string InfoLinesAsText(const std::vector<InfoLine>& lines);
// The lines as Rich Text Format, each line in its colour.
std::string InfoLinesAsRtf(const std::vector<InfoLine>& lines);
// Writes the lines to the file: plain text when its extension is ".txt" in
// any case, rich text otherwise. Shows the failure and returns false when
// the file cannot be written.
bool SaveInfoLines(const std::vector<InfoLine>& lines, const std::string& fileName);

// The lines of the given game's listings, in the current code colours.
InfoLineSource GameInfoLines(Game& game);
// Opens a line's resource through its list; scripts at the line.
InfoLineOpener OpenGameInfoLine(Game& game);

class TScriptInfoForm : public QWidget {
    Q_OBJECT
public:
    TScriptInfoForm(InfoType type, std::string searchText, InfoLineSource source, InfoLineOpener opener,
                    QWidget* parent = nullptr);

    InfoType Type() const { return mType; }
    const std::vector<InfoLine>& Lines() const { return mLines; }

    // Recomputes the list (a search with the same text).
    void Refresh();
    // Shows these lines; more than kMaxInfoLines are cut off.
    void SetLines(std::vector<InfoLine> lines);
    // Opens the resource of the line in that row when the line has a kind.
    void OpenLine(int row);
    // Plain text or rich text by the file's extension.
    bool SaveToFile(const QString& fileName);
    // The list as shown, colours included.
    void PrintTo(QPrinter& printer);

public slots:
    void AskSaveFile();
    void AskPrint();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    InfoType mType;
    std::string mSearchText;
    InfoLineSource mSource;
    InfoLineOpener mOpener;
    std::vector<InfoLine> mLines;
    QTextEdit* mText;
    QLabel* mStatus;
};

class ScriptInfoWindows {
public:
    // Windows are children of the client area when one is given, top-level
    // windows otherwise.
    ScriptInfoWindows(InfoLineSource source, InfoLineOpener opener, QMdiArea* area = nullptr);
    ScriptInfoWindows(const ScriptInfoWindows&) = delete;
    ScriptInfoWindows& operator=(const ScriptInfoWindows&) = delete;

    // Shows the listing or check of the type: its open window is reused,
    // recomputed and brought to the front; a search always gets a new window.
    TScriptInfoForm* Show(InfoType type, const std::string& searchText = {});

    // The open window of a type that has one window at most; null otherwise.
    TScriptInfoForm* WindowOf(InfoType type) const;
    std::vector<TScriptInfoForm*> OpenWindows() const;
    void CloseAll();

private:
    void BringToFront(TScriptInfoForm* form);

    InfoLineSource mSource;
    InfoLineOpener mOpener;
    QPointer<QMdiArea> mArea;
    std::vector<QPointer<TScriptInfoForm>> mWindows;
};

}  // namespace kestrin
