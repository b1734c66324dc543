#pragma once
// TPreferencesForm: the modal preferences dialog. It shows the current
// preferences on six tabs; the code colours change live while it is open and
// come back on Cancel; OK takes every control's value and saves.
//
// The file, colour and font choosers are replaceable, so tests drive the
// dialog without opening the platform's dialogs.

#include <QDialog>
#include <QFont>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/preferences.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QFrame;
class QTabWidget;

namespace kestrin {

// The names of the sixteen colour classes, in class order.
extern const std::array<const char*, kColorClassCount> kColorClassNames;

class TPreferencesForm : public QDialog {
    Q_OBJECT
public:
    // A program file for a box, given its current text; empty when dismissed.
    using ProgramChooser = std::function<QString(QWidget* parent, const QString& current)>;
    using ColorChooser = std::function<std::optional<QColor>(QWidget* parent, const QColor& current)>;
    using FontChooser = std::function<std::optional<QFont>(QWidget* parent, const QFont& current)>;

    // The dialog edits `preferences`; OK saves them into `store` when given.
    explicit TPreferencesForm(Preferences& preferences, SettingsStore* store = nullptr, QWidget* parent = nullptr);

    void SetProgramChooser(ProgramChooser chooser) { mChooseProgram = std::move(chooser); }
    void SetColorChooser(ColorChooser chooser) { mChooseColor = std::move(chooser); }
    void SetFontChooser(FontChooser chooser) { mChooseFont = std::move(chooser); }

public slots:
    // Takes every value from the controls, saves, closes.
    void accept() override;
    // Restores the colours as they were when the dialog opened, closes.
    void reject() override;

private:
    void BuildGeneralTab(QTabWidget* tabs);
    void BuildFormsTab(QTabWidget* tabs);
    void BuildCodeTab(QTabWidget* tabs);
    void BuildColorsTab(QTabWidget* tabs);
    void BuildImageTab(QTabWidget* tabs);
    void BuildSoundTab(QTabWidget* tabs);
    void FillControls();
    void StoreControls();
    void ShowSelectedColor();
    void ChangeSelectedColor();
    void ChooseFont();
    void ShowFontOnButton();
    // Asks for a program for the box; true when one was chosen.
    bool ChooseProgramInto(QLineEdit* box);

    Preferences& mPrefs;
    SettingsStore* mStore;
    std::array<std::int32_t, kColorClassCount> mSavedColors;
    QFont mFont;
    ProgramChooser mChooseProgram;
    ColorChooser mChooseColor;
    FontChooser mChooseFont;

    QCheckBox *mShowRecent, *mLoadLast, *mBackup, *mShowProgress, *mRemoveTemp, *mHideWait, *mWarning;
    QSpinBox* mMaxBackup;
    QCheckBox *mActionHints, *mRemoveOutside, *mRememberRoomSettings, *mSpriteOrigin;
    QCheckBox *mColorCode, *mGroupUndo, *mAutomaticIndent, *mSmartTabs, *mFunctionHelp;
    QSpinBox *mUndoValue, *mIndentValue;
    QPushButton* mFontButton;
    QRadioButton *mRadioCode1, *mRadioCode2;
    QLineEdit* mCodeEdit;
    QListWidget* mColorList;
    QFrame* mColorShape;
    QRadioButton *mRadioEditor1, *mRadioEditor2;
    QLineEdit* mEditorEdit;
    QLineEdit *mWaveEditorEdit, *mMidiEditorEdit, *mMp3EditorEdit;
};

// Shows the dialog on the process-wide preferences; on OK they are saved
// into the store. Returns whether the user confirmed.
bool ShowPreferencesDialog(QWidget* parent, SettingsStore& store);

}  // namespace kestrin
