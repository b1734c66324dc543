// TBackgroundForm: the background window.

#include "image_editors/background_form.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "app/text_convert.h"
#include "editors/editor_dialogs.h"
#include "image_editors/file_messages.h"
#include "image_editors/picture_filter.h"
#include "image_editors/qt_draw_target.h"
#include "platform/preferences.h"
#include "platform/user_interface.h"

namespace kestrin {

namespace {

constexpr int kNewImageSize = 64;

}  // namespace

TBackgroundForm::TBackgroundForm(Game& game, int index, QWidget* parent)
    : ResourceForm<CBackground>(game, index, parent) {
    setObjectName(QStringLiteral("TBackgroundForm"));
    auto* body = new QWidget(this);
    auto* columns = new QHBoxLayout(body);
    auto* side = new QVBoxLayout;
    columns->addLayout(side);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("Name:"), body));
    mNameEdit = new QLineEdit(body);
    mNameEdit->setObjectName(QStringLiteral("NameEdit"));
    nameRow->addWidget(mNameEdit);
    side->addLayout(nameRow);

    auto* loadButton = new QPushButton(QStringLiteral("Load Background"), body);
    loadButton->setObjectName(QStringLiteral("LoadBtn"));
    side->addWidget(loadButton);
    auto* sizeRow = new QHBoxLayout;
    mWidthLabel = new QLabel(body);
    mWidthLabel->setObjectName(QStringLiteral("WidthLabel"));
    mHeightLabel = new QLabel(body);
    mHeightLabel->setObjectName(QStringLiteral("HeightLabel"));
    sizeRow->addWidget(mWidthLabel);
    sizeRow->addWidget(mHeightLabel);
    side->addLayout(sizeRow);
    auto* editButton = new QPushButton(QStringLiteral("Edit Background"), body);
    editButton->setObjectName(QStringLiteral("EditBtn"));
    side->addWidget(editButton);
    mTransparentCheck = new QCheckBox(QStringLiteral("Transparent"), body);
    mTransparentCheck->setObjectName(QStringLiteral("TransparentCheck"));
    side->addWidget(mTransparentCheck);

    mAdvancedPanel = new QGroupBox(QStringLiteral("Advanced"), body);
    mAdvancedPanel->setObjectName(QStringLiteral("AdvancedPanel"));
    auto* advanced = new QVBoxLayout(mAdvancedPanel);
    mVideoCheck = new QCheckBox(QStringLiteral("Use Video Memory"), mAdvancedPanel);
    mVideoCheck->setObjectName(QStringLiteral("VideoCheck"));
    mLoadOnUseCheck = new QCheckBox(QStringLiteral("Load Only on Use"), mAdvancedPanel);
    mLoadOnUseCheck->setObjectName(QStringLiteral("LoadOnUseCheck"));
    advanced->addWidget(mVideoCheck);
    advanced->addWidget(mLoadOnUseCheck);
    side->addWidget(mAdvancedPanel);
    mAdvancedPanel->setVisible(Prefs().Advanced);
    side->addStretch();
    auto* okButton = new QPushButton(QStringLiteral("OK"), body);
    okButton->setObjectName(QStringLiteral("OKBtn"));
    side->addWidget(okButton);

    mPictureArea = new QScrollArea(body);
    mPictureArea->setObjectName(QStringLiteral("PictureArea"));
    mPicture = new QLabel;
    mPicture->setObjectName(QStringLiteral("Picture"));
    mPicture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    mPictureArea->setWidget(mPicture);
    mPictureArea->setMinimumSize(260, 200);
    columns->addWidget(mPictureArea, 1);
    setWidget(body);
    AttachNameEdit(mNameEdit);

    connect(loadButton, &QPushButton::clicked, this, [this] { LoadBackground(); });
    connect(editButton, &QPushButton::clicked, this, [this] { EditBackground(); });
    connect(okButton, &QPushButton::clicked, this, [this] { CloseWithOk(); });
    auto connectCheck = [this](QCheckBox* check, bool CBackground::*field) {
        connect(check, &QCheckBox::toggled, this, [this, field](bool on) {
            if (Filling()) return;
            Resource()->*field = on;
            Mark();
            // Transparency changes how the picture shows.
            ShowPicture();
        });
    };
    connectCheck(mTransparentCheck, &CBackground::Transparent);
    connectCheck(mVideoCheck, &CBackground::VideoMemory);
    connectCheck(mLoadOnUseCheck, &CBackground::LoadOnUse);
    Open();
}

void TBackgroundForm::FillControls() {
    const CBackground& background = *Resource();
    mTransparentCheck->setChecked(background.Transparent);
    mVideoCheck->setChecked(background.VideoMemory);
    mLoadOnUseCheck->setChecked(background.LoadOnUse);
    ShowPicture();
}

void TBackgroundForm::ShowPicture() {
    const CBackground& background = *Resource();
    mWidthLabel->setText(QStringLiteral("Width: %1").arg(background.Width));
    mHeightLabel->setText(QStringLiteral("Height: %1").arg(background.Height));
    Image display = background.GetDisplayImage();
    mPicture->setVisible(display != nullptr);
    mPicture->setPixmap(display ? QPixmap::fromImage(ToQImage(*display, false)) : QPixmap());
    mPicture->adjustSize();
}

void TBackgroundForm::ImageChanged() {
    Mark();
    ShowPicture();
    IconChanged();
}

void TBackgroundForm::LoadBackground() {
    FileDialogSpec spec;
    spec.objectName = "BackgroundOpenDialog";
    spec.title = "Load a background";
    spec.filter = PictureFileFilter();
    spec.mustExist = true;
    spec.folder = Prefs().BackgroundDir;
    const std::optional<std::string> file = ChooseFileNested(spec, &Prefs().BackgroundDir);
    if (!file) return;
    if (!Resource()->LoadFromFile(*file)) {
        ShowMessage(kFailedToLoadFileMessage);
        return;
    }
    ImageChanged();
}

void TBackgroundForm::EditBackground() {
    Image image = Resource()->GetImage();
    if (!image) image = std::make_unique<Bitmap24>(kNewImageSize, kNewImageSize, kWhite);
    bool transparent = Resource()->Transparent;
    bool changed;
    {
        BusyScope busy(*this);
        changed = EditImage(*image, true, transparent);
    }
    if (Forgotten() || !changed) return;
    Resource()->SetImage(image.get());
    ImageChanged();
}

}  // namespace kestrin
