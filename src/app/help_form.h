#pragma once
// THelpForm (object name "THelpForm"): the game information
// window, a rich-text editor with a menu and a tool bar. It is made once and
// shown and hidden. Every change of its text goes straight into the game's
// information (through the rich-text bridge), so what the game file saves is
// the game's own RTF; opening the window takes a snapshot that closing with
// No puts back.
//
// The platform's file, colour, font, input and print dialogs are replaceable,
// so tests drive the window without them.

#include <QColor>
#include <QFont>
#include <QMainWindow>
#include <QString>
#include <functional>
#include <optional>

#include "resources/rich_text.h"

class QAction;
class QComboBox;
class QTextCharFormat;
class QTextDocument;
class QTextEdit;
class QToolButton;

namespace kestrin {

class Game;

inline constexpr const char* kSaveInformationQuestion = "Save changes in game information?";

struct HelpFormDialogs {
    // A file name, or empty when dismissed. `proposal` is the name offered.
    std::function<QString(QWidget* parent, const QString& proposal)> OpenFile;
    // The save dialog asks before overwriting.
    std::function<QString(QWidget* parent, const QString& proposal)> SaveFile;
    std::function<std::optional<QColor>(QWidget* parent, const QColor& current)> ChooseColor;
    std::function<std::optional<QFont>(QWidget* parent, const QFont& current)> ChooseFont;
    // The text entered, or none when dismissed.
    std::function<std::optional<QString>(QWidget* parent, const QString& caption, const QString& prompt,
                                         const QString& proposal)>
        InputText;
    // Print dialog, then the document is printed.
    std::function<void(QWidget* parent, const QTextDocument& document)> Print;
};

// The platform's dialogs.
HelpFormDialogs DefaultHelpFormDialogs();

class THelpForm : public QMainWindow {
    Q_OBJECT
public:
    // A window of its own above `parent`, hidden until EditGameInformation.
    explicit THelpForm(Game& game, QWidget* parent = nullptr);
    ~THelpForm() override;

    HelpFormDialogs& Dialogs() { return mDialogs; }
    QTextEdit* Editor() const { return mEditor; }

    // Shows the window (or brings it forward) with a new snapshot; the
    // editor takes the game's text when the game's information was replaced
    // since it last showed it (a new or loaded game).
    void EditGameInformation();
    // Hides the window without a question; the edits stay in the game.
    void HideWindow();
    // Closes the window keeping the changes, without a question.
    void CloseSavingChanges();
    bool Edited() const { return mEdited; }

    // The commands of the menu and the tool bar.
    void LoadFromFile();
    void SaveToFile();
    void GotoLine();
    void ChooseTextColor();
    void ChooseBackgroundColor();
    void ChooseFont();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    // The game's information into the editor and the page colour.
    void ShowGameText();
    void ShowBackground();
    void TextChanged();
    void UpdateControls();
    void MergeFormat(const QTextCharFormat& format);
    void SetAlignment(Qt::Alignment alignment);
    void ToggleBullets(bool on);
    QAction* Action(const char* name, const QString& text, const char* icon = nullptr);

    Game& mGame;
    HelpFormDialogs mDialogs;
    QTextEdit* mEditor;
    bool mEdited = false;
    bool mClosingSavingChanges = false;
    bool mUpdating = false;  // the editor is being filled, not edited
    // The text and colour as they were when the window was opened.
    struct Snapshot {
        CRichText text;
        std::int32_t backColor = 0;
    };
    std::optional<Snapshot> mSnapshot;
    // The game's text as the editor last showed or wrote it.
    CRichText mShownText;
    QString mFileName;

    QAction *mLoad, *mSave, *mPrint, *mCloseSaving, *mUndo, *mCut, *mCopy, *mPaste, *mSelectAll, *mGotoLine;
    QAction *mFont, *mBold, *mItalic, *mUnderline, *mColor, *mBackColor, *mMimic;
    QAction *mAlignLeft, *mAlignCenter, *mAlignRight, *mBullets;
    QComboBox *mFontName, *mFontSize;
};

// The one game information window of the run.
// Made once at start; later calls do nothing.
void CreateHelpForm(Game& game, QWidget* parent);
// The window, or null before CreateHelpForm.
THelpForm* HelpForm();
// Opens the game information window (not modal).
void EditGameInformation();
// Hides it without a question (closing every child window does this).
void HideHelpForm();
// Frees the window at the end of the run.
void DestroyHelpForm();

}  // namespace kestrin
