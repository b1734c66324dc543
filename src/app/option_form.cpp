// TOptionForm: filling the controls from the game, the commands while the
// dialog is open, and taking the controls back on OK.

#include "app/option_form.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFileDialog>
#include <QLocale>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "app/option_form_radio_group.h"
#include "app/text_convert.h"
#include "imaging/picture.h"
#include "platform/file_system.h"
#include "platform/preferences.h"
#include "platform/user_interface.h"
#include "storage/game.h"

namespace kestrin {

namespace {

constexpr std::size_t kIconFileSizes[] = {766, 2238, 3262, 4286};

// Days since 30 December 1899 with the time of day as fraction, as text.
QString DateTimeText(double days) {
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6) return QString();
    const double whole = std::trunc(days);
    const auto millis = static_cast<int>(std::lround(std::fabs(days - whole) * 86400000.0));
    const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(whole));
    const QTime time = QTime(0, 0).addMSecs(std::min(millis, 86399999));
    return QLocale::system().toString(QDateTime(date, time), QLocale::ShortFormat);
}

// The multi-line memo keeps line feeds; the options keep CR LF.
QString MemoText(const std::string& text) {
    QString result = ToQt(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

std::string StoredText(const QString& memo) {
    QString text = memo;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return FromQt(text);
}

// A picture file as a 24-bit image; none when it cannot be loaded.
std::optional<Bitmap24> LoadPicture(const std::string& file) {
    std::optional<Picture> picture = ReadPictureFile(file);
    if (!picture || !picture->image) return std::nullopt;
    Image image = Bitmap24_FromGraphic(*picture, true);
    if (!image) return std::nullopt;
    return std::move(*image);
}

QString DefaultFileDialog(QWidget* parent, const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
}

// Case folded for comparing: Latin-1 letters in lower case.
std::string Folded(const QString& text) {
    std::string bytes = FromQt(text);
    for (char& ch : bytes) {
        auto c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) ch = static_cast<char>(c + 32);
    }
    return bytes;
}

}  // namespace

bool IconFileSizeAccepted(std::size_t size) {
    return std::find(std::begin(kIconFileSizes), std::end(kIconFileSizes), size) != std::end(kIconFileSizes);
}

void SortConstantRows(std::vector<ConstantRow>& rows) {
    std::vector<std::pair<std::string, ConstantRow>> keyed;
    keyed.reserve(rows.size());
    for (ConstantRow& row : rows) keyed.emplace_back(Folded(row.name + QLatin1Char('=') + row.value), std::move(row));
    // By character code after case folding, the same under every locale
    // (a locale's collation may pass over the "=" between name and value).
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return std::lexicographical_compare(a.first.begin(), a.first.end(), b.first.begin(), b.first.end(),
                                            [](char x, char y) {
                                                return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
                                            });
    });
    rows.clear();
    for (auto& entry : keyed) rows.push_back(std::move(entry.second));
}

TOptionForm::TOptionForm(Game& game, QWidget* parent)
    : QDialog(parent), mGame(game), mChoosePicture(DefaultFileDialog), mChooseIcon(DefaultFileDialog) {
    setObjectName(QStringLiteral("TOptionForm"));
    setWindowTitle(QStringLiteral("Game Options"));

    auto* layout = new QVBoxLayout(this);
    mTabs = new QTabWidget(this);
    mTabs->setObjectName(QStringLiteral("PageControl1"));
    mTabs->setUsesScrollButtons(false);
    layout->addWidget(mTabs);
    BuildGraphicsTab(mTabs);
    BuildResolutionTab(mTabs);
    BuildOtherTab(mTabs);
    BuildLoadingTab(mTabs);
    BuildConstantsTab(mTabs);
    BuildErrorsTab(mTabs);
    BuildInformationTab(mTabs);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TOptionForm::accept);
    connect(cancel, &QPushButton::clicked, this, &TOptionForm::reject);
    // The dialog keeps the size its contents need.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    // Advanced-only parts.
    const bool advanced = Prefs().Advanced;
    mTabs->setTabVisible(mTabs->indexOf(mResolutionSheet), advanced);
    mTabs->setTabVisible(mTabs->indexOf(mConstantsSheet), advanced);
    mTabs->setTabVisible(mTabs->indexOf(mErrorSheet), advanced);
    mPriorityGroup->setVisible(advanced);

    FillControls();
}

TOptionForm::~TOptionForm() = default;

void TOptionForm::FillControls() {
    const CGameOptions& o = mGame.Options;
    mFullscreen->setChecked(o.Fullscreen);
    mNoBorder->setChecked(o.NoBorder);
    mShowCursor->setChecked(o.ShowCursor);
    mWinScale->setValue(o.WinScale);
    mFullScale->setValue(o.FullScale);
    mScaleHardware->setChecked(o.ScaleHardware);
    mWait->setChecked(o.WaitVBlank);
    mCaption->setChecked(o.FullscreenCaption);
    mFreeze->setChecked(o.Freeze);
    mNoClose->setChecked(o.NoClose);

    mResolutionCheck->setChecked(o.SetResolution);
    mResolutionPanel->setVisible(o.SetResolution);
    mColorGroup->SetItemIndex(o.ColorDepth);
    mResolutionGroup->SetItemIndex(ResolutionPosition(o.Resolution));
    mFrequencyGroup->SetItemIndex(o.Frequency);
    mExclusive->setChecked(o.Exclusive);

    mPriorityGroup->SetItemIndex(o.Priority);
    mQuitKey->setChecked(o.QuitKey);
    mSaveKey->setChecked(o.SaveKey);
    mHelpKey->setChecked(o.HelpKey);
    mScreenKey->setChecked(o.ScreenKey);

    mShowLoadImage->setChecked(o.ShowLoadImage);
    mLoadTransparent->setChecked(o.LoadTransparent);
    mLoadAlpha->setValue(o.LoadAlpha);
    mNoBar->setChecked(o.ProgressBar == 0);
    mDefaultBar->setChecked(o.ProgressBar == 1);
    mOwnBar->setChecked(o.ProgressBar == 2);
    ShowBarImageButtons();
    mScaleProgress->setChecked(o.ScaleProgress);
    mGameId->setValue(mGame.GameId);
    mIcon = o.GameIcon;
    ShowIcon();
    mLoadImageFile.clear();
    mBackImageFile.clear();
    mFrontImageFile.clear();

    mConstantList->setRowCount(0);
    for (const UserConstant& constant : o.Constants) AppendConstantRow(ToQt(constant.Name), ToQt(constant.Value));
    if (mConstantList->rowCount() > 0) mConstantList->setCurrentCell(0, 0);

    mDisplayErrors->setChecked(o.DisplayErrors);
    mWriteErrors->setChecked(o.WriteErrors);
    mAbortErrors->setChecked(o.AbortErrors);
    mVariableErrors->setChecked(o.VariableErrors);

    mAuthor->setText(ToQt(o.Author));
    mVersion->setValue(o.Version);
    mLastChanged->setText(DateTimeText(o.LastChanged));
    mInformation->setPlainText(MemoText(o.Information));
}

void TOptionForm::ApplyControls() {
    CGameOptions& o = mGame.Options;
    o.Fullscreen = mFullscreen->isChecked();
    o.NoBorder = mNoBorder->isChecked();
    o.ShowCursor = mShowCursor->isChecked();
    o.WinScale = mWinScale->value();
    o.FullScale = mFullScale->value();
    o.ScaleHardware = mScaleHardware->isChecked();
    o.WaitVBlank = mWait->isChecked();
    o.FullscreenCaption = mCaption->isChecked();
    o.Freeze = mFreeze->isChecked();
    o.NoClose = mNoClose->isChecked();

    o.SetResolution = mResolutionCheck->isChecked();
    // Exclusive mode only goes with a resolution of the game's own.
    o.Exclusive = mExclusive->isChecked() && o.SetResolution;
    if (mColorGroup->ItemIndex() >= 0) o.ColorDepth = mColorGroup->ItemIndex();
    if (mResolutionGroup->ItemIndex() >= 0) o.Resolution = ResolutionCode(mResolutionGroup->ItemIndex());
    if (mFrequencyGroup->ItemIndex() >= 0) o.Frequency = mFrequencyGroup->ItemIndex();

    if (mPriorityGroup->ItemIndex() >= 0) o.Priority = mPriorityGroup->ItemIndex();
    o.QuitKey = mQuitKey->isChecked();
    o.SaveKey = mSaveKey->isChecked();
    o.HelpKey = mHelpKey->isChecked();
    o.ScreenKey = mScreenKey->isChecked();

    o.ShowLoadImage = mShowLoadImage->isChecked();
    if (o.ShowLoadImage && !mLoadImageFile.empty()) {
        if (std::optional<Bitmap24> image = LoadPicture(mLoadImageFile)) o.LoadImage = std::move(image);
        else o.ShowLoadImage = false;
    }
    o.LoadTransparent = mLoadTransparent->isChecked();
    o.LoadAlpha = mLoadAlpha->value();
    o.ProgressBar = mNoBar->isChecked() ? 0 : mOwnBar->isChecked() ? 2 : 1;
    if (o.ProgressBar == 2) {
        if (!mBackImageFile.empty()) o.BackImage = LoadPicture(mBackImageFile);
        if (!mFrontImageFile.empty()) o.FrontImage = LoadPicture(mFrontImageFile);
    }
    o.ScaleProgress = mScaleProgress->isChecked();
    if (mGame.GameId != mGameId->value()) {
        mGame.GameId = mGameId->value();
        mGame.GameGuid = NewGuid(mGame.RandomNumbers());
    }
    o.GameIcon = mIcon;

    o.Constants.clear();
    for (int row = 0; row < mConstantList->rowCount(); ++row) {
        const QTableWidgetItem* name = mConstantList->item(row, 0);
        const QTableWidgetItem* value = mConstantList->item(row, 1);
        if (!name || name->text().isEmpty()) continue;
        o.Constants.push_back({FromQt(name->text()), value ? FromQt(value->text()) : std::string()});
    }

    o.DisplayErrors = mDisplayErrors->isChecked();
    o.WriteErrors = mWriteErrors->isChecked();
    o.AbortErrors = mAbortErrors->isChecked();
    o.VariableErrors = mVariableErrors->isChecked();

    o.Author = FromQt(mAuthor->text());
    o.Version = mVersion->value();
    // Text the user left alone keeps its own line ends (and every character
    // the memo would show differently).
    if (mInformation->document()->isModified()) o.Information = StoredText(mInformation->toPlainText());

    mGame.SetChangedFlag(ChangedFlag::Options, true);
}

void TOptionForm::accept() {
    ApplyControls();
    QDialog::accept();
}

void TOptionForm::ShowIcon() {
    QImage image;
    if (!mIcon.empty()) {
        image.loadFromData(reinterpret_cast<const uchar*>(mIcon.data()), static_cast<int>(mIcon.size()), "ICO");
    }
    if (image.isNull()) {
        mGameIcon->setPixmap(QPixmap());
        mGameIcon->setText(QStringLiteral("?"));
    } else {
        mGameIcon->setPixmap(QPixmap::fromImage(image.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
}

void TOptionForm::ShowBarImageButtons() {
    const bool own = mOwnBar->isChecked();
    mBackImageBtn->setVisible(own);
    mFrontImageBtn->setVisible(own);
}

std::string TOptionForm::ChoosePictureFile() {
    const QString file = mChoosePicture(
        this,
        QStringLiteral("All pictures (*.bmp *.png *.jpg *.jpeg *.gif *.ico *.tif *.tiff *.tga *.webp);;All files (*)"),
        QString());
    if (file.isEmpty()) return {};
    std::string path = PathFromQt(file);
    return FileExists(path) ? path : std::string();
}

void TOptionForm::ChangeIcon() {
    const QString file = mChooseIcon(this, QStringLiteral("Icon files (*.ico)"), QStringLiteral("ico"));
    if (file.isEmpty()) return;
    const std::string path = PathFromQt(file);
    // The size decides before anything is read, so a huge file is never loaded.
    std::error_code sizeError;
    const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
    if (!sizeError && !IconFileSizeAccepted(size)) {
        ShowMessage(kIconSizeMessage);
        return;
    }
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const FileError& error) {
        ShowMessage(error.what());
        return;
    }
    if (!IconFileSizeAccepted(bytes.size())) {
        ShowMessage(kIconSizeMessage);
        return;
    }
    mIcon.assign(bytes.begin(), bytes.end());
    ShowIcon();
}

void TOptionForm::AppendConstantRow(const QString& name, const QString& value) {
    const int row = mConstantList->rowCount();
    mConstantList->insertRow(row);
    mConstantList->setItem(row, 0, new QTableWidgetItem(name));
    mConstantList->setItem(row, 1, new QTableWidgetItem(value));
}

void TOptionForm::AddConstant() {
    const int row = mConstantList->rowCount();
    mConstantList->insertRow(row);
    mConstantList->setItem(row, 0, new QTableWidgetItem);
    mConstantList->setItem(row, 1, new QTableWidgetItem);
    mConstantList->setCurrentCell(row, 0);
    mConstantList->setFocus();
    mConstantList->editItem(mConstantList->item(row, 0));
}

void TOptionForm::DeleteConstant() {
    if (mConstantList->rowCount() == 0) return;
    const int row = std::max(0, mConstantList->currentRow());
    mConstantList->removeRow(row);
    if (mConstantList->rowCount() > 0) mConstantList->setCurrentCell(std::min(row, mConstantList->rowCount() - 1), 0);
}

void TOptionForm::ClearConstants() { mConstantList->setRowCount(0); }

void TOptionForm::SortConstants() {
    std::vector<ConstantRow> rows;
    for (int row = 0; row < mConstantList->rowCount(); ++row) {
        const QTableWidgetItem* name = mConstantList->item(row, 0);
        const QTableWidgetItem* value = mConstantList->item(row, 1);
        rows.push_back({name ? name->text() : QString(), value ? value->text() : QString()});
    }
    SortConstantRows(rows);
    mConstantList->setRowCount(0);
    for (const ConstantRow& row : rows) AppendConstantRow(row.name, row.value);
}

bool EditGameOptions(Game& game, QWidget* parent) {
    TOptionForm form(game, parent);
    return form.exec() == QDialog::Accepted;
}

}  // namespace kestrin
