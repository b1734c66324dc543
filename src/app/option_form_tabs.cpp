// TOptionForm: the seven tabs and their controls.

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <limits>

#include "app/option_form.h"
#include "app/option_form_radio_group.h"
#include "platform/user_interface.h"
#include "resources/game_options.h"
#include "storage/game.h"

namespace kestrin {

namespace {

template <typename T, typename... Args>
T* Named(const char* name, Args&&... args) {
    T* widget = new T(std::forward<Args>(args)...);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QCheckBox* Check(const char* name, const char* text) { return Named<QCheckBox>(name, QString::fromLatin1(text)); }

QSpinBox* Spin(const char* name, int minimum, int maximum) {
    auto* spin = Named<QSpinBox>(name);
    spin->setRange(minimum, maximum);
    return spin;
}

QWidget* Sheet(QTabWidget* tabs, const char* name, const char* caption) {
    auto* sheet = Named<QWidget>(name);
    tabs->addTab(sheet, QString::fromLatin1(caption));
    return sheet;
}

// A label and a control in one row.
QHBoxLayout* Row(const char* label, QWidget* control) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QString::fromLatin1(label)));
    row->addWidget(control);
    row->addStretch();
    return row;
}

}  // namespace

void TOptionForm::BuildGraphicsTab(QTabWidget* tabs) {
    QWidget* sheet = Sheet(tabs, "TabSheet1", "Graphics");
    auto* layout = new QVBoxLayout(sheet);
    mFullscreen = Check("FullscreenCheck", "Start in full-screen mode");
    mNoBorder = Check("NoBorderCheck", "Don't draw a border in windowed mode");
    mShowCursor = Check("ShowcursorCheck", "Display the cursor");
    mWinScale = Spin("WinScaleValue", 1, 999);
    mWinScale->setSuffix(QStringLiteral(" %"));
    mFullScale = Spin("FullScaleValue", 0, 999);
    mFullScale->setSuffix(QStringLiteral(" %"));
    mFullScale->setSpecialValueText(QStringLiteral("maximal"));
    mScaleHardware = Check("ScaleHardwareCheck", "Only scale when there is hardware support");
    mWait = Check("WaitCheck", "Wait for vertical blank before drawing");
    mCaption = Check("CaptionCheck", "Display the caption in full-screen mode");
    mFreeze = Check("FreezeCheck", "Freeze the game when the form loses focus");
    mNoClose = Check("NoCloseCheck", "Don't show the buttons in the window caption");
    layout->addWidget(mFullscreen);
    layout->addWidget(mNoBorder);
    layout->addWidget(mShowCursor);
    layout->addLayout(Row("Scaling in windowed mode:", mWinScale));
    layout->addLayout(Row("Scaling in full-screen mode (0 = maximal):", mFullScale));
    layout->addWidget(mScaleHardware);
    layout->addWidget(mWait);
    layout->addWidget(mCaption);
    layout->addWidget(mFreeze);
    layout->addWidget(mNoClose);
    layout->addStretch();
}

void TOptionForm::BuildResolutionTab(QTabWidget* tabs) {
    mResolutionSheet = Sheet(tabs, "ResolutionSheet", "Resolution");
    auto* layout = new QVBoxLayout(mResolutionSheet);
    mResolutionCheck = Check("ResolutionCheck", "Set the resolution of the screen");
    layout->addWidget(mResolutionCheck);

    mResolutionPanel = Named<QWidget>("ResolutionPanel");
    auto* panel = new QGridLayout(mResolutionPanel);
    panel->setContentsMargins(0, 0, 0, 0);
    mColorGroup = new TRadioGroup(QStringLiteral("Color Depth"), {QStringLiteral("16-bit"), QStringLiteral("32-bit")});
    mColorGroup->setObjectName(QStringLiteral("ColorGroup"));
    QStringList resolutions;
    for (int position = 0; position < kResolutionCount; ++position)
        resolutions << QString::fromLatin1(kResolutionNames[ResolutionCode(position)]);
    mResolutionGroup = new TRadioGroup(QStringLiteral("Resolution"), resolutions);
    mResolutionGroup->setObjectName(QStringLiteral("ResolutionGroup"));
    mFrequencyGroup = new TRadioGroup(QStringLiteral("Frequency"),
                                      {QStringLiteral("60"), QStringLiteral("70"), QStringLiteral("85"),
                                       QStringLiteral("100"), QStringLiteral("default")});
    mFrequencyGroup->setObjectName(QStringLiteral("FrequencyGroup"));
    mExclusive = Check("ExclusiveCheck", "Use exclusive graphics mode");
    panel->addWidget(mColorGroup, 0, 0);
    panel->addWidget(mResolutionGroup, 0, 1, 2, 1);
    panel->addWidget(mFrequencyGroup, 1, 0);
    panel->addWidget(mExclusive, 2, 0, 1, 2);
    layout->addWidget(mResolutionPanel);
    layout->addStretch();

    connect(mResolutionCheck, &QCheckBox::toggled, mResolutionPanel, &QWidget::setVisible);
    // Only the user's click warns, and only when the game did not use it yet.
    connect(mExclusive, &QCheckBox::clicked, this, [this](bool checked) {
        if (checked && !mGame.Options.Exclusive) ShowMessage(kExclusiveModeWarning);
    });
}

void TOptionForm::BuildOtherTab(QTabWidget* tabs) {
    QWidget* sheet = Sheet(tabs, "TabSheet2", "Other");
    auto* layout = new QVBoxLayout(sheet);
    auto* keys = new QGroupBox(QStringLiteral("Default keys"));
    auto* keyLayout = new QVBoxLayout(keys);
    mQuitKey = Check("QuitkeyCheck", "Let <Esc> end the game");
    mSaveKey = Check("SaveKeyCheck", "Let <F5> save the game and <F6> load a game");
    mHelpKey = Check("HelpkeyCheck", "Let <F1> show the game information");
    mScreenKey = Check("ScreenkeyCheck", "Let <F4> switch between screen modes");
    keyLayout->addWidget(mQuitKey);
    keyLayout->addWidget(mSaveKey);
    keyLayout->addWidget(mHelpKey);
    keyLayout->addWidget(mScreenKey);
    layout->addWidget(keys);
    mPriorityGroup = new TRadioGroup(QStringLiteral("Game Process Priority"),
                                     {QStringLiteral("Normal"), QStringLiteral("High"), QStringLiteral("Highest")});
    mPriorityGroup->setObjectName(QStringLiteral("PriorityGroup"));
    layout->addWidget(mPriorityGroup);
    layout->addStretch();
}

void TOptionForm::BuildLoadingTab(QTabWidget* tabs) {
    QWidget* sheet = Sheet(tabs, "TabSheet4", "Loading");
    auto* layout = new QVBoxLayout(sheet);

    auto* image = new QGroupBox(QStringLiteral("Loading image"));
    auto* imageLayout = new QVBoxLayout(image);
    mShowLoadImage = Check("ShowLoadImageCheck", "Show your own image while loading");
    mLoadImageBtn = Named<QPushButton>("LoadImage", QStringLiteral("Change Image"));
    auto* imageRow = new QHBoxLayout;
    imageRow->addWidget(mShowLoadImage);
    imageRow->addWidget(mLoadImageBtn);
    imageRow->addStretch();
    imageLayout->addLayout(imageRow);
    mLoadTransparent = Check("LoadTransparentCheck", "Make image partially transparent");
    imageLayout->addWidget(mLoadTransparent);
    mLoadAlpha = Spin("LoadAlphaValue", 0, 255);
    imageLayout->addLayout(Row("Make translucent with alpha value:", mLoadAlpha));
    layout->addWidget(image);

    auto* bar = new QGroupBox(QStringLiteral("Loading progress bar"));
    auto* barLayout = new QGridLayout(bar);
    mNoBar = Named<QRadioButton>("NoBarBtn", QStringLiteral("No loading progress bar"));
    mDefaultBar = Named<QRadioButton>("DefaultBarBtn", QStringLiteral("Default loading progress bar"));
    mOwnBar = Named<QRadioButton>("OwnBarBtn", QStringLiteral("Own loading progress bar"));
    mBackImageBtn = Named<QPushButton>("BackImage", QStringLiteral("Back Image"));
    mFrontImageBtn = Named<QPushButton>("FrontImage", QStringLiteral("Front Image"));
    mScaleProgress = Check("ScaleProgressCheck", "Scale progress bar image");
    barLayout->addWidget(mNoBar, 0, 0);
    barLayout->addWidget(mDefaultBar, 1, 0);
    barLayout->addWidget(mOwnBar, 2, 0);
    barLayout->addWidget(mBackImageBtn, 2, 1);
    barLayout->addWidget(mFrontImageBtn, 2, 2);
    barLayout->addWidget(mScaleProgress, 3, 0, 1, 3);
    layout->addWidget(bar);

    auto* identity = new QHBoxLayout;
    mGameId = Spin("GameIdEdit", 0, 100000000);
    identity->addLayout(Row("Game Identifier:", mGameId));
    mGameIcon = Named<QLabel>("GameIcon");
    mGameIcon->setFixedSize(36, 36);
    mGameIcon->setAlignment(Qt::AlignCenter);
    mGameIcon->setFrameShape(QFrame::StyledPanel);
    mChangeIconBtn = Named<QPushButton>("ChangeIconBtn", QStringLiteral("Change Icon"));
    identity->addWidget(new QLabel(QStringLiteral("Game Icon:")));
    identity->addWidget(mGameIcon);
    identity->addWidget(mChangeIconBtn);
    layout->addLayout(identity);
    layout->addStretch();

    connect(mLoadImageBtn, &QPushButton::clicked, this, [this] {
        if (std::string file = ChoosePictureFile(); !file.empty()) mLoadImageFile = file;
    });
    connect(mBackImageBtn, &QPushButton::clicked, this, [this] {
        if (std::string file = ChoosePictureFile(); !file.empty()) mBackImageFile = file;
    });
    connect(mFrontImageBtn, &QPushButton::clicked, this, [this] {
        if (std::string file = ChoosePictureFile(); !file.empty()) mFrontImageFile = file;
    });
    for (QRadioButton* button : {mNoBar, mDefaultBar, mOwnBar})
        connect(button, &QRadioButton::toggled, this, &TOptionForm::ShowBarImageButtons);
    connect(mChangeIconBtn, &QPushButton::clicked, this, &TOptionForm::ChangeIcon);
}

void TOptionForm::BuildConstantsTab(QTabWidget* tabs) {
    mConstantsSheet = Sheet(tabs, "ConstantsSheet", "Constants");
    auto* layout = new QVBoxLayout(mConstantsSheet);
    mConstantList = Named<QTableWidget>("ConstantList", 0, 2);
    mConstantList->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Value")});
    mConstantList->horizontalHeader()->setStretchLastSection(true);
    mConstantList->horizontalHeader()->resizeSection(0, 160);
    mConstantList->verticalHeader()->setVisible(false);
    mConstantList->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(mConstantList);
    auto* buttons = new QHBoxLayout;
    auto* add = Named<QPushButton>("AddConstantBtn", QStringLiteral("Add"));
    auto* remove = Named<QPushButton>("DeleteConstantBtn", QStringLiteral("Delete"));
    auto* clear = Named<QPushButton>("ClearConstantBtn", QStringLiteral("Clear"));
    auto* sort = Named<QPushButton>("SortConstantBtn", QStringLiteral("Sort"));
    for (QPushButton* button : {add, remove, clear, sort}) buttons->addWidget(button);
    layout->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, &TOptionForm::AddConstant);
    connect(remove, &QPushButton::clicked, this, &TOptionForm::DeleteConstant);
    connect(clear, &QPushButton::clicked, this, &TOptionForm::ClearConstants);
    connect(sort, &QPushButton::clicked, this, &TOptionForm::SortConstants);
}

void TOptionForm::BuildErrorsTab(QTabWidget* tabs) {
    mErrorSheet = Sheet(tabs, "ErrorSheet", "Errors");
    auto* layout = new QVBoxLayout(mErrorSheet);
    mDisplayErrors = Check("DisplayErrorsCheck", "Display error messages");
    mWriteErrors = Check("WriteErrorsCheck", "Write error messages to file game_errors.log");
    mAbortErrors = Check("AbortErrorsCheck", "Abort on all error messages");
    mVariableErrors = Check("VariableErrorsCheck", "Treat uninitialized variables as value 0");
    for (QCheckBox* check : {mDisplayErrors, mWriteErrors, mAbortErrors, mVariableErrors}) layout->addWidget(check);
    layout->addStretch();
}

void TOptionForm::BuildInformationTab(QTabWidget* tabs) {
    QWidget* sheet = Sheet(tabs, "TabSheet3", "Info");
    auto* layout = new QFormLayout(sheet);
    mAuthor = Named<QLineEdit>("Edit_Author");
    mVersion = Spin("Edit_Version", std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    mLastChanged = Named<QLineEdit>("Edit_LastChanged");
    mLastChanged->setReadOnly(true);
    mInformation = Named<QPlainTextEdit>("Memo_Information");
    layout->addRow(QStringLiteral("Author:"), mAuthor);
    layout->addRow(QStringLiteral("Version:"), mVersion);
    layout->addRow(QStringLiteral("Last changed:"), mLastChanged);
    layout->addRow(QStringLiteral("Information:"), mInformation);
}

}  // namespace kestrin
