#pragma once
// TCodeEditorFrame: what the script editor and the code editor share — the
// tool row, the code edit control above the function help list, the status
// panels, the pop-up menu, the find and replace dialogs and the timer that
// follows the preferences — and every command of both windows. The windows
// add their own controls to the tool row and say what an edit means to them.

#include <QFont>
#include <QWidget>
#include <functional>
#include <string>

#include "language/code_search.h"

class QHBoxLayout;
class QLabel;
class QListWidget;
class QMenu;
class QSplitter;
class QTimer;
class QToolButton;

namespace kestrin {

class NameResolver;
class TFindDialog;
class TMyRichEdit;

inline constexpr const char* kSearchStringPrefix = "Search string \"";
inline constexpr const char* kNotFoundSuffix = "\" not found.";

class TCodeEditorFrame : public QWidget {
    Q_OBJECT
public:
    TCodeEditorFrame(const NameResolver& names, bool scriptEditor, QWidget* parent = nullptr);
    ~TCodeEditorFrame() override;

    TMyRichEdit* Text() const { return mText; }
    // Where the windows put their own controls, after the OK button.
    QHBoxLayout* ToolRow() const { return mToolRow; }
    QToolButton* Button(const char* name) const;
    // A row of the window's own under the tool row.
    void AddRowBelowTools(QWidget* row);

    // Code mode: the check button is shown and colouring is allowed.
    void SetCodeMode(bool on);
    bool CodeMode() const { return mCodeMode; }
    bool ColorSwitch() const { return mColorSwitch; }

    // Applies the preferences, puts the code in (muted), starts undo afresh,
    // takes the colouring switch from the preferences and fills the help list.
    void LoadCode(const std::string& code);
    bool Busy() const { return mBusy > 0; }
    QString Panel(int index) const;

    // After every change of the text not made by the window itself.
    std::function<void()> Edited;
    // F4; the code editor has none.
    std::function<void()> ResourceProperties;
    // Runs a nested dialog or menu; false when the window is gone after it.
    std::function<bool(const std::function<void()>&)> Nested;

    // Commands of the tool row, the menu and the keys.
    void Check();
    void GotoLineCommand();
    void FindCommand();
    void ReplaceCommand();
    void SearchAgain();
    void ReplaceOnce();
    void ReplaceAll();
    void LoadFromFile();
    void SaveToFile();
    void Print();
    void ToggleColor();
    void InsertFromHelp();
    // The work of Timer1: follow the preferences.
    void FollowPreferences();
    // Resource names or colours changed: colour everything again.
    void Recolor();
    void CloseDialogs();
    TFindDialog* FindDialog();
    TFindDialog* ReplaceDialog();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void TextChanged();
    void SelectionChanged();
    void UpdateButtons();
    void SyncHelp();
    void ApplySettings();
    void ApplyColoring();
    void ShowMenu(const QPoint& at);
    void BuildMenu(bool scriptEditor);
    bool RunNested(const std::function<void()>& work);
    int Find(int from, bool fromStartToo);

    class BusyScope {
    public:
        explicit BusyScope(TCodeEditorFrame& frame) : mFrame(frame) { ++mFrame.mBusy; }
        ~BusyScope() { --mFrame.mBusy; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        TCodeEditorFrame& mFrame;
    };

    const NameResolver& mNames;
    TMyRichEdit* mText;
    QHBoxLayout* mToolRow;
    QListWidget* mHelpList;
    QSplitter* mHelpSplitter;
    QLabel* mPanels[3];
    QMenu* mEditMenu;
    QTimer* mTimer;
    TFindDialog* mFindDialog = nullptr;
    TFindDialog* mReplaceDialog = nullptr;
    bool mCodeMode = true;
    bool mColorSwitch = true;
    bool mLastColorPreference = true;
    bool mClipboardHasText = false;
    QString mRequestedFontName;
    int mRequestedFontSize = 0;
    std::string mFileName;
    int mBusy = 0;
};

}  // namespace kestrin
