// TPreferencesForm: building the tabs, filling them from the preferences and
// taking the values back.

#include "app/preferences_form.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/color_value.h"
#include "app/text_convert.h"

namespace kestrin {

const std::array<const char*, kColorClassCount> kColorClassNames = {
    "Normal text",      "Keywords",  "Comments",  "Objects", "Rooms", "Sprites",    "Sounds",     "Backgrounds",
    "Scripts",          "Local variables", "Global variables", "Functions", "Constants", "Paths", "Data files",
    "Time lines"};

namespace {

template <class W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QCheckBox* AddCheck(QVBoxLayout* layout, const char* name, const QString& caption) {
    auto* check = Named(new QCheckBox(caption), name);
    layout->addWidget(check);
    return check;
}

QSpinBox* MakeSpin(const char* name, int minimum, int maximum) {
    auto* spin = Named(new QSpinBox, name);
    spin->setRange(minimum, maximum);
    return spin;
}

// Programs on this platform rarely carry an extension, so all files come
// first; the .exe filter is there for programs run through a compatibility
// layer.
QString DefaultChooseProgram(QWidget* parent, const QString& current) {
    QString folder = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Select Program"), folder,
                                        QStringLiteral("All files (*);;Programs (*.exe)"));
}

std::optional<QColor> DefaultChooseColor(QWidget* parent, const QColor& current) {
    QColor color = QColorDialog::getColor(current, parent, QStringLiteral("Colour"));
    if (!color.isValid()) return std::nullopt;
    return color;
}

std::optional<QFont> DefaultChooseFont(QWidget* parent, const QFont& current) {
    bool ok = false;
    QFont font = QFontDialog::getFont(&ok, current, parent, QStringLiteral("Code Font"));
    if (!ok) return std::nullopt;
    return font;
}

QPixmap Swatch(std::int32_t value, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(ToQColor(value));
    return pixmap;
}

}  // namespace

TPreferencesForm::TPreferencesForm(Preferences& preferences, SettingsStore* store, QWidget* parent)
    : QDialog(parent),
      mPrefs(preferences),
      mStore(store),
      mSavedColors(preferences.Colors),
      mChooseProgram(DefaultChooseProgram),
      mChooseColor(DefaultChooseColor),
      mChooseFont(DefaultChooseFont) {
    setObjectName(QStringLiteral("TPreferencesForm"));
    setWindowTitle(QStringLiteral("Preferences"));
    setModal(true);

    auto* tabs = Named(new QTabWidget, "PageControl1");
    BuildGeneralTab(tabs);
    BuildFormsTab(tabs);
    BuildCodeTab(tabs);
    BuildColorsTab(tabs);
    BuildImageTab(tabs);
    BuildSoundTab(tabs);

    auto* ok = Named(new QPushButton(QStringLiteral("OK")), "OKBtn");
    auto* cancel = Named(new QPushButton(QStringLiteral("Cancel")), "CancelBtn");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TPreferencesForm::accept);
    connect(cancel, &QPushButton::clicked, this, &TPreferencesForm::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(buttons);
    // A fixed size: the pages are laid out for their controls, nothing grows.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    FillControls();
}

void TPreferencesForm::BuildGeneralTab(QTabWidget* tabs) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    mShowRecent = AddCheck(layout, "ShowRecentCheck", QStringLiteral("Show recently edited games in the file menu"));
    mLoadLast = AddCheck(layout, "LoadLastCheck", QStringLiteral("Load last opened file on startup"));
    mBackup = AddCheck(layout, "BackupCheck", QStringLiteral("Keep backup copies of files"));
    auto* backupRow = new QHBoxLayout;
    backupRow->addSpacing(20);
    backupRow->addWidget(new QLabel(QStringLiteral("Maximal number of backups:")));
    mMaxBackup = MakeSpin("MaxBackupValue", 1, 9);
    backupRow->addWidget(mMaxBackup);
    backupRow->addStretch();
    layout->addLayout(backupRow);
    connect(mBackup, &QCheckBox::toggled, mMaxBackup, &QSpinBox::setEnabled);
    mShowProgress = AddCheck(layout, "ShowProgressCheck", QStringLiteral("Show progress while loading and saving"));
    mRemoveTemp = AddCheck(layout, "RemoveTempCheck", QStringLiteral("Look for and remove old temporary files at startup"));
    mHideWait = AddCheck(layout, "HideWaitCheck", QStringLiteral("Hide Kestrin and wait while the game is running"));
    mWarning = AddCheck(layout, "WarningCheck", QStringLiteral("Run games in secure mode (no external programs)"));
    layout->addStretch();
    tabs->addTab(Named(page, "GeneralSheet"), QStringLiteral("General"));
}

void TPreferencesForm::BuildFormsTab(QTabWidget* tabs) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    mActionHints = AddCheck(layout, "ActionHintsCheck", QStringLiteral("Show hints for actions"));
    mRemoveOutside = AddCheck(layout, "RemoveOutsideCheck",
                              QStringLiteral("When closing the room editor, offer to remove instances outside the room"));
    mRememberRoomSettings = AddCheck(layout, "RememberRoomSettingsCheck",
                                     QStringLiteral("Remember room editor settings per room"));
    mSpriteOrigin = AddCheck(layout, "SpriteOriginCheck", QStringLiteral("Show the origin and bounding box on sprites"));
    layout->addStretch();
    tabs->addTab(Named(page, "FormsSheet"), QStringLiteral("Forms"));
}

void TPreferencesForm::BuildCodeTab(QTabWidget* tabs) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* editing = new QGroupBox(QStringLiteral("Editing"));
    auto* editingLayout = new QVBoxLayout(editing);
    mGroupUndo = AddCheck(editingLayout, "GroupUndoCheck", QStringLiteral("Group undo operations"));
    mAutomaticIndent = AddCheck(editingLayout, "AutomaticIndentCheck", QStringLiteral("Automatic indentation"));
    mSmartTabs = AddCheck(editingLayout, "SmartTabsCheck", QStringLiteral("Smart tabs"));
    mFunctionHelp = AddCheck(editingLayout, "FunctionHelpCheck", QStringLiteral("Show function argument help"));
    mColorCode = AddCheck(editingLayout, "ColorCodeCheck", QStringLiteral("Colour code"));
    auto* numbers = new QFormLayout;
    mUndoValue = MakeSpin("UndoValue", 0, 999);
    mIndentValue = MakeSpin("IndentValue", 1, 999);
    numbers->addRow(QStringLiteral("Number of undo steps:"), mUndoValue);
    numbers->addRow(QStringLiteral("Tab size and indent:"), mIndentValue);
    editingLayout->addLayout(numbers);
    mFontButton = Named(new QPushButton, "FontButton");
    connect(mFontButton, &QPushButton::clicked, this, &TPreferencesForm::ChooseFont);
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(new QLabel(QStringLiteral("Font:")));
    fontRow->addWidget(mFontButton, 1);
    editingLayout->addLayout(fontRow);
    layout->addWidget(editing);

    auto* editor = new QGroupBox(QStringLiteral("Code editor"));
    auto* editorLayout = new QVBoxLayout(editor);
    mRadioCode1 = Named(new QRadioButton(QStringLiteral("Use the built-in code editor")), "RadioCode1");
    mRadioCode2 = Named(new QRadioButton(QStringLiteral("Use an external code editor:")), "RadioCode2");
    mCodeEdit = Named(new QLineEdit, "CodeEdit");
    auto* codeButton = Named(new QPushButton(QStringLiteral("...")), "CodeButton");
    connect(codeButton, &QPushButton::clicked, this, [this] {
        if (ChooseProgramInto(mCodeEdit)) mRadioCode2->setChecked(true);
    });
    auto* programRow = new QHBoxLayout;
    programRow->addSpacing(20);
    programRow->addWidget(mCodeEdit, 1);
    programRow->addWidget(codeButton);
    editorLayout->addWidget(mRadioCode1);
    editorLayout->addWidget(mRadioCode2);
    editorLayout->addLayout(programRow);
    layout->addWidget(editor);
    layout->addStretch();
    tabs->addTab(Named(page, "CodeSheet"), QStringLiteral("Scripts and Code"));
}

void TPreferencesForm::BuildColorsTab(QTabWidget* tabs) {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    mColorList = Named(new QListWidget, "ColorList");
    for (const char* name : kColorClassNames) mColorList->addItem(QString::fromLatin1(name));
    mColorList->setMinimumHeight(16 * 18);
    connect(mColorList, &QListWidget::currentRowChanged, this, &TPreferencesForm::ShowSelectedColor);
    connect(mColorList, &QListWidget::itemDoubleClicked, this, &TPreferencesForm::ChangeSelectedColor);
    layout->addWidget(mColorList, 1);

    auto* side = new QVBoxLayout;
    mColorShape = Named(new QFrame, "ColorShape");
    mColorShape->setFrameShape(QFrame::Box);
    mColorShape->setFixedSize(64, 64);
    mColorShape->setAutoFillBackground(true);
    auto* change = Named(new QPushButton(QStringLiteral("Change Colour")), "ChangeColorBtn");
    connect(change, &QPushButton::clicked, this, &TPreferencesForm::ChangeSelectedColor);
    side->addWidget(mColorShape, 0, Qt::AlignHCenter);
    side->addWidget(change);
    side->addStretch();
    layout->addLayout(side);
    tabs->addTab(Named(page, "ColorsSheet"), QStringLiteral("Colours"));
}

void TPreferencesForm::BuildImageTab(QTabWidget* tabs) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    mRadioEditor1 = Named(new QRadioButton(QStringLiteral("Use the built-in image editor")), "RadioEditor1");
    mRadioEditor2 = Named(new QRadioButton(QStringLiteral("Use an external image editor:")), "RadioEditor2");
    mEditorEdit = Named(new QLineEdit, "EditorEdit");
    auto* editorButton = Named(new QPushButton(QStringLiteral("...")), "EditorButton");
    connect(editorButton, &QPushButton::clicked, this, [this] {
        if (ChooseProgramInto(mEditorEdit)) mRadioEditor2->setChecked(true);
    });
    auto* row = new QHBoxLayout;
    row->addSpacing(20);
    row->addWidget(mEditorEdit, 1);
    row->addWidget(editorButton);
    layout->addWidget(mRadioEditor1);
    layout->addWidget(mRadioEditor2);
    layout->addLayout(row);
    layout->addStretch();
    tabs->addTab(Named(page, "ImageSheet"), QStringLiteral("Image"));
}

void TPreferencesForm::BuildSoundTab(QTabWidget* tabs) {
    auto* page = new QWidget;
    auto* layout = new QFormLayout(page);
    auto addProgram = [&](const char* editName, const char* buttonName, const QString& label) {
        auto* edit = Named(new QLineEdit, editName);
        auto* button = Named(new QPushButton(QStringLiteral("...")), buttonName);
        connect(button, &QPushButton::clicked, this, [this, edit] { ChooseProgramInto(edit); });
        auto* row = new QHBoxLayout;
        row->addWidget(edit, 1);
        row->addWidget(button);
        layout->addRow(label, row);
        return edit;
    };
    mWaveEditorEdit = addProgram("WaveEditorEdit", "WaveEditorBtn", QStringLiteral("Wave file editor:"));
    mMidiEditorEdit = addProgram("MidiEditorEdit", "MidiEditorBtn", QStringLiteral("MIDI file editor:"));
    mMp3EditorEdit = addProgram("Mp3EditorEdit", "Mp3EditorBtn", QStringLiteral("MP3 file editor:"));
    tabs->addTab(Named(page, "SoundSheet"), QStringLiteral("Sound"));
}

void TPreferencesForm::FillControls() {
    const Preferences& p = mPrefs;
    mShowRecent->setChecked(p.ShowRecent);
    mLoadLast->setChecked(p.LoadLast);
    mBackup->setChecked(p.Backup);
    mMaxBackup->setValue(p.MaxBackup);
    mMaxBackup->setEnabled(p.Backup);
    mShowProgress->setChecked(p.ShowProgress);
    mRemoveTemp->setChecked(p.RemoveTemp);
    mHideWait->setChecked(p.HideWait);
    mWarning->setChecked(p.Warning);

    mActionHints->setChecked(p.ActionHints);
    mRemoveOutside->setChecked(p.RemoveOutside);
    mRememberRoomSettings->setChecked(p.RememberRoomSettings);
    mSpriteOrigin->setChecked(p.SpriteOrigin);

    mColorCode->setChecked(p.ColorCode);
    mGroupUndo->setChecked(p.GroupUndo);
    mAutomaticIndent->setChecked(p.AutomaticIndent);
    mSmartTabs->setChecked(p.SmartTabs);
    mFunctionHelp->setChecked(p.FunctionHelp);
    mUndoValue->setValue(p.UndoValue);
    mIndentValue->setValue(p.IndentValue);
    mFont = QFont(ToQt(p.FontName), p.FontSize);
    ShowFontOnButton();
    (p.CodeEditorInternal ? mRadioCode1 : mRadioCode2)->setChecked(true);
    mCodeEdit->setText(PathToQt(p.CodeEditor));

    for (int i = 0; i < kColorClassCount; ++i) mColorList->item(i)->setIcon(QIcon(Swatch(p.Colors[i], 12)));
    mColorList->setCurrentRow(0);
    ShowSelectedColor();

    (p.ImageEditorInternal ? mRadioEditor1 : mRadioEditor2)->setChecked(true);
    mEditorEdit->setText(PathToQt(p.ImageEditor));
    mWaveEditorEdit->setText(PathToQt(p.WaveEditor));
    mMidiEditorEdit->setText(PathToQt(p.MidiEditor));
    mMp3EditorEdit->setText(PathToQt(p.Mp3Editor));
}

void TPreferencesForm::StoreControls() {
    Preferences& p = mPrefs;
    p.ShowRecent = mShowRecent->isChecked();
    p.LoadLast = mLoadLast->isChecked();
    p.Backup = mBackup->isChecked();
    p.MaxBackup = mMaxBackup->value();
    p.ShowProgress = mShowProgress->isChecked();
    p.RemoveTemp = mRemoveTemp->isChecked();
    p.HideWait = mHideWait->isChecked();
    p.Warning = mWarning->isChecked();

    p.ActionHints = mActionHints->isChecked();
    p.RemoveOutside = mRemoveOutside->isChecked();
    p.RememberRoomSettings = mRememberRoomSettings->isChecked();
    p.SpriteOrigin = mSpriteOrigin->isChecked();

    p.ColorCode = mColorCode->isChecked();
    p.GroupUndo = mGroupUndo->isChecked();
    p.AutomaticIndent = mAutomaticIndent->isChecked();
    p.SmartTabs = mSmartTabs->isChecked();
    p.FunctionHelp = mFunctionHelp->isChecked();
    p.UndoValue = mUndoValue->value();
    p.IndentValue = mIndentValue->value();
    p.FontName = FromQt(mFont.family());
    if (mFont.pointSize() > 0) p.FontSize = mFont.pointSize();
    p.CodeEditorInternal = mRadioCode1->isChecked();
    p.CodeEditor = PathFromQt(mCodeEdit->text());

    p.ImageEditorInternal = mRadioEditor1->isChecked();
    p.ImageEditor = PathFromQt(mEditorEdit->text());
    p.WaveEditor = PathFromQt(mWaveEditorEdit->text());
    p.MidiEditor = PathFromQt(mMidiEditorEdit->text());
    p.Mp3Editor = PathFromQt(mMp3EditorEdit->text());
}

void TPreferencesForm::accept() {
    StoreControls();
    if (mStore) SavePreferences(*mStore, mPrefs);
    QDialog::accept();
}

void TPreferencesForm::reject() {
    mPrefs.Colors = mSavedColors;
    QDialog::reject();
}

void TPreferencesForm::ShowSelectedColor() {
    int row = mColorList->currentRow();
    if (row < 0 || row >= kColorClassCount) return;
    QPalette palette = mColorShape->palette();
    palette.setColor(QPalette::Window, ToQColor(mPrefs.Colors[row]));
    mColorShape->setPalette(palette);
}

void TPreferencesForm::ChangeSelectedColor() {
    int row = mColorList->currentRow();
    if (row < 0 || row >= kColorClassCount) return;
    std::optional<QColor> chosen = mChooseColor(this, ToQColor(mPrefs.Colors[row]));
    if (!chosen || !chosen->isValid()) return;
    // Into the live table at once, so open code editors show it already.
    mPrefs.Colors[row] = FromQColor(*chosen);
    mColorList->item(row)->setIcon(QIcon(Swatch(mPrefs.Colors[row], 12)));
    ShowSelectedColor();
}

void TPreferencesForm::ChooseFont() {
    std::optional<QFont> chosen = mChooseFont(this, mFont);
    if (!chosen) return;
    mFont = *chosen;
    ShowFontOnButton();
}

void TPreferencesForm::ShowFontOnButton() {
    mFontButton->setText(QStringLiteral("%1, %2").arg(mFont.family()).arg(mFont.pointSize()));
}

bool TPreferencesForm::ChooseProgramInto(QLineEdit* box) {
    QString file = mChooseProgram(this, box->text());
    if (file.isEmpty()) return false;
    box->setText(file);
    return true;
}

bool ShowPreferencesDialog(QWidget* parent, SettingsStore& store) {
    TPreferencesForm form(Prefs(), &store, parent);
    return form.exec() == QDialog::Accepted;
}

}  // namespace kestrin
