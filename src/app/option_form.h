#pragma once
// TOptionForm: the modal game options dialog. It shows the stored options and
// the game id on seven tabs (resolution, constants and errors only in advanced
// mode); OK takes every control back into the game with the dialog's rules,
// Cancel leaves the game as it was.
//
// The picture and icon file choosers are replaceable, so tests drive the
// dialog without the platform's file dialogs.

#include <QDialog>
#include <QString>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QWidget;

namespace kestrin {

class Game;
class TRadioGroup;

inline constexpr const char* kExclusiveModeWarning =
    "Please realize that in exclusive mode no dialogs, highscore table, or debug information can be shown!";
inline constexpr const char* kIconSizeMessage = "Only 32x32, single icons are supported.";

// Whether an icon file of this many bytes is a single 32 x 32 icon (16 colours,
// 256 colours, 24-bit or 32-bit colour).
bool IconFileSizeAccepted(std::size_t size);

// Sorts constant rows ascending without regard to case, each row compared as
// its name, "=" and its value; rows that compare equal keep their order.
struct ConstantRow {
    QString name;
    QString value;
};
void SortConstantRows(std::vector<ConstantRow>& rows);

class TOptionForm : public QDialog {
    Q_OBJECT
public:
    // A file to open, or empty when dismissed.
    using FileChooser = std::function<QString(QWidget* parent, const QString& filter, const QString& defaultSuffix)>;

    // Fills the controls from the game's options and id.
    explicit TOptionForm(Game& game, QWidget* parent = nullptr);
    ~TOptionForm() override;

    void SetPictureChooser(FileChooser chooser) { mChoosePicture = std::move(chooser); }
    void SetIconChooser(FileChooser chooser) { mChooseIcon = std::move(chooser); }

public slots:
    // Takes every control into the game and closes.
    void accept() override;

private:
    void BuildGraphicsTab(QTabWidget* tabs);
    void BuildResolutionTab(QTabWidget* tabs);
    void BuildOtherTab(QTabWidget* tabs);
    void BuildLoadingTab(QTabWidget* tabs);
    void BuildConstantsTab(QTabWidget* tabs);
    void BuildErrorsTab(QTabWidget* tabs);
    void BuildInformationTab(QTabWidget* tabs);

    void FillControls();
    void ApplyControls();
    void ShowIcon();
    void ShowBarImageButtons();

    // A picture file that exists, or empty.
    std::string ChoosePictureFile();
    void ChangeIcon();
    void AddConstant();
    void DeleteConstant();
    void ClearConstants();
    void SortConstants();
    void AppendConstantRow(const QString& name, const QString& value);

    Game& mGame;
    FileChooser mChoosePicture;
    FileChooser mChooseIcon;
    // Picture files chosen in this run of the dialog.
    std::string mLoadImageFile, mBackImageFile, mFrontImageFile;
    std::string mIcon;  // the icon shown, as the bytes of an icon file

    QTabWidget* mTabs;
    QWidget *mResolutionSheet, *mConstantsSheet, *mErrorSheet;
    QCheckBox *mFullscreen, *mNoBorder, *mShowCursor, *mScaleHardware, *mWait, *mCaption, *mFreeze, *mNoClose;
    QSpinBox *mWinScale, *mFullScale;
    QCheckBox *mResolutionCheck, *mExclusive;
    QWidget* mResolutionPanel;
    TRadioGroup *mColorGroup, *mResolutionGroup, *mFrequencyGroup, *mPriorityGroup;
    QCheckBox *mQuitKey, *mSaveKey, *mHelpKey, *mScreenKey;
    QCheckBox *mShowLoadImage, *mLoadTransparent, *mScaleProgress;
    QPushButton *mLoadImageBtn, *mBackImageBtn, *mFrontImageBtn, *mChangeIconBtn;
    QSpinBox *mLoadAlpha, *mGameId;
    QRadioButton *mNoBar, *mDefaultBar, *mOwnBar;
    QLabel* mGameIcon;
    QTableWidget* mConstantList;
    QCheckBox *mDisplayErrors, *mWriteErrors, *mAbortErrors, *mVariableErrors;
    QLineEdit *mAuthor, *mLastChanged;
    QSpinBox* mVersion;
    QPlainTextEdit* mInformation;
};

// Shows the dialog modally over `parent` and applies it on OK; true when the
// user pressed OK.
bool EditGameOptions(Game& game, QWidget* parent);

}  // namespace kestrin
