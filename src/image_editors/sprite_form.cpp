// TSpriteForm: the sprite properties window.

#include "image_editors/sprite_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/text_convert.h"
#include "editors/editor_dialogs.h"
#include "image_editors/file_messages.h"
#include "image_editors/named_controls.h"
#include "image_editors/picture_filter.h"
#include "image_editors/pointing_picture.h"
#include "image_editors/qt_draw_target.h"
#include "image_editors/value_edit.h"
#include "image_editors/xor_marks.h"
#include "platform/preferences.h"
#include "platform/user_interface.h"

namespace kestrin {

namespace {

constexpr int kCrossArm = 32;

TValueEdit* MakeValueEdit(const char* name, QWidget* parent) {
    auto* edit = new TValueEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(60);
    return edit;
}

}  // namespace

TSpriteForm::TSpriteForm(Game& game, int index, QWidget* parent) : ResourceForm<CSprite>(game, index, parent) {
    setObjectName(QStringLiteral("TSpriteForm"));
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

    auto* loadButton = MakeButton("LoadBtn", "Load Sprite", body);
    side->addWidget(loadButton);
    mWidthLabel = MakeNamed<QLabel>("WidthLabel", "", body);
    mHeightLabel = MakeNamed<QLabel>("HeightLabel", "", body);
    mCountLabel = MakeNamed<QLabel>("CountLabel", "", body);
    side->addWidget(mWidthLabel);
    side->addWidget(mHeightLabel);
    side->addWidget(mCountLabel);
    auto* editButton = MakeButton("EditBtn", "Edit Sprite", body);
    side->addWidget(editButton);
    mTransparentCheck = MakeCheck("TransparentCheck", "Transparent", body);
    side->addWidget(mTransparentCheck);
    side->addWidget(BuildAdvancedPanel(body));
    mAdvancedPanel->setVisible(Prefs().Advanced);
    side->addStretch();
    auto* okButton = MakeButton("OKBtn", "OK", body);
    side->addWidget(okButton);

    auto* view = new QVBoxLayout;
    auto* frameRow = new QHBoxLayout;
    mPreviousButton = new QToolButton(body);
    mPreviousButton->setObjectName(QStringLiteral("PreviousBtn"));
    mPreviousButton->setArrowType(Qt::LeftArrow);
    mNextButton = new QToolButton(body);
    mNextButton->setObjectName(QStringLiteral("NextBtn"));
    mNextButton->setArrowType(Qt::RightArrow);
    mFrameLabel = MakeNamed<QLabel>("FrameLabel", "Subimage:", body);
    mFrameNumber = MakeNamed<QLabel>("FrameNumber", "0", body);
    frameRow->addWidget(mPreviousButton);
    frameRow->addWidget(mFrameLabel);
    frameRow->addWidget(mFrameNumber);
    frameRow->addWidget(mNextButton);
    frameRow->addStretch();
    view->addLayout(frameRow);
    mPictureArea = new QScrollArea(body);
    mPictureArea->setObjectName(QStringLiteral("PictureArea"));
    mPicture = new TPointingPicture;
    mPicture->setObjectName(QStringLiteral("Picture"));
    mPictureArea->setWidget(mPicture);
    mPictureArea->setMinimumSize(260, 220);
    view->addWidget(mPictureArea, 1);
    columns->addLayout(view, 1);
    setWidget(body);
    AttachNameEdit(mNameEdit);

    connect(loadButton, &QPushButton::clicked, this, [this] { LoadSprite(); });
    connect(editButton, &QPushButton::clicked, this, [this] { EditSprite(); });
    connect(okButton, &QPushButton::clicked, this, [this] { CloseWithOk(); });
    connect(mPreviousButton, &QToolButton::clicked, this, [this] { ShowFrame(mFrame - 1); });
    connect(mNextButton, &QToolButton::clicked, this, [this] { ShowFrame(mFrame + 1); });
    connect(mPicture, &TPointingPicture::Pointed, this, [this](int x, int y) {
        if (MarksShown()) SetOrigin(x, y);
    });
    connect(mTransparentCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (Filling()) return;
        Resource()->SetTransparent(on);
        Mark();
        ShowBox();
        FramesChanged();
    });
    Open();
}

QWidget* TSpriteForm::BuildAdvancedPanel(QWidget* parent) {
    mAdvancedPanel = new QGroupBox(QStringLiteral("Advanced"), parent);
    mAdvancedPanel->setObjectName(QStringLiteral("AdvancedPanel"));
    auto* layout = new QVBoxLayout(mAdvancedPanel);
    mPreciseCheck = MakeCheck("PreciseCheck", "Precise collision checking", mAdvancedPanel);
    mVideoCheck = MakeCheck("VideoCheck", "Use video memory", mAdvancedPanel);
    mLoadOnUseCheck = MakeCheck("LoadOnUseCheck", "Load only on use", mAdvancedPanel);
    layout->addWidget(mPreciseCheck);
    layout->addWidget(mVideoCheck);
    layout->addWidget(mLoadOnUseCheck);
    auto connectCheck = [this](QCheckBox* check, bool CSprite::*field) {
        connect(check, &QCheckBox::toggled, this, [this, field](bool on) {
            if (Filling()) return;
            Resource()->*field = on;
            Mark();
        });
    };
    connectCheck(mPreciseCheck, &CSprite::PreciseCollision);
    connectCheck(mVideoCheck, &CSprite::VideoMemory);
    connectCheck(mLoadOnUseCheck, &CSprite::LoadOnUse);

    auto* origin = new QGroupBox(QStringLiteral("Origin"), mAdvancedPanel);
    auto* originRow = new QHBoxLayout(origin);
    mXEdit = MakeValueEdit("XEdit", origin);
    mYEdit = MakeValueEdit("YEdit", origin);
    auto* centreButton = MakeButton("CentreBtn", "Centre", origin);
    originRow->addWidget(new QLabel(QStringLiteral("X:"), origin));
    originRow->addWidget(mXEdit);
    originRow->addWidget(new QLabel(QStringLiteral("Y:"), origin));
    originRow->addWidget(mYEdit);
    originRow->addWidget(centreButton);
    layout->addWidget(origin);
    auto originEdited = [this] {
        if (Filling()) return;
        Resource()->XOrigin = mXEdit->Value();
        Resource()->YOrigin = mYEdit->Value();
        Mark();
        ShowPicture();
    };
    connect(mXEdit, &TValueEdit::ValueChanged, this, originEdited);
    connect(mYEdit, &TValueEdit::ValueChanged, this, originEdited);
    connect(centreButton, &QPushButton::clicked, this,
            [this] { SetOrigin(Resource()->Width / 2, Resource()->Height / 2); });

    auto* box = new QGroupBox(QStringLiteral("Bounding Box"), mAdvancedPanel);
    auto* boxLayout = new QGridLayout(box);
    mAutomaticButton = MakeNamed<QRadioButton>("AutomaticBtn", "Automatic", box);
    mFullImageButton = MakeNamed<QRadioButton>("FullImageBtn", "Full image", box);
    mManualButton = MakeNamed<QRadioButton>("ManualBtn", "Manual", box);
    auto* modes = new QButtonGroup(box);
    modes->addButton(mAutomaticButton, kBoxAutomatic);
    modes->addButton(mFullImageButton, kBoxFullImage);
    modes->addButton(mManualButton, kBoxManual);
    boxLayout->addWidget(mAutomaticButton, 0, 0, 1, 4);
    boxLayout->addWidget(mFullImageButton, 1, 0, 1, 4);
    boxLayout->addWidget(mManualButton, 2, 0, 1, 4);
    mLeftEdit = MakeValueEdit("LeftEdit", box);
    mRightEdit = MakeValueEdit("RightEdit", box);
    mTopEdit = MakeValueEdit("TopEdit", box);
    mBottomEdit = MakeValueEdit("BottomEdit", box);
    boxLayout->addWidget(new QLabel(QStringLiteral("Left:"), box), 3, 0);
    boxLayout->addWidget(mLeftEdit, 3, 1);
    boxLayout->addWidget(new QLabel(QStringLiteral("Right:"), box), 3, 2);
    boxLayout->addWidget(mRightEdit, 3, 3);
    boxLayout->addWidget(new QLabel(QStringLiteral("Top:"), box), 4, 0);
    boxLayout->addWidget(mTopEdit, 4, 1);
    boxLayout->addWidget(new QLabel(QStringLiteral("Bottom:"), box), 4, 2);
    boxLayout->addWidget(mBottomEdit, 4, 3);
    layout->addWidget(box);
    connect(modes, &QButtonGroup::idToggled, this, [this](int mode, bool on) {
        if (on) SetBoxMode(mode);
    });
    for (TValueEdit* edit : {mLeftEdit, mRightEdit, mTopEdit, mBottomEdit})
        connect(edit, &TValueEdit::ValueChanged, this, [this] { SetManualBox(); });
    return mAdvancedPanel;
}

void TSpriteForm::FillControls() {
    const CSprite& sprite = *Resource();
    mTransparentCheck->setChecked(sprite.Transparent);
    mPreciseCheck->setChecked(sprite.PreciseCollision);
    mVideoCheck->setChecked(sprite.VideoMemory);
    mLoadOnUseCheck->setChecked(sprite.LoadOnUse);
    mXEdit->SetValue(sprite.XOrigin);
    mYEdit->SetValue(sprite.YOrigin);
    QRadioButton* mode = sprite.BoxMode == kBoxManual      ? mManualButton
                         : sprite.BoxMode == kBoxFullImage ? mFullImageButton
                                                           : mAutomaticButton;
    mode->setChecked(true);
    ShowBox();
    mFrame = 0;
    ShowSizes();
}

bool TSpriteForm::MarksShown() const { return Prefs().Advanced && Prefs().SpriteOrigin; }

void TSpriteForm::ShowSizes() {
    const CSprite& sprite = *Resource();
    mWidthLabel->setText(QStringLiteral("Width: %1").arg(sprite.Width));
    mHeightLabel->setText(QStringLiteral("Height: %1").arg(sprite.Height));
    mCountLabel->setText(QStringLiteral("Number of subimages: %1").arg(sprite.FrameCount()));
    ShowFrame(mFrame);
}

void TSpriteForm::ShowFrame(int frame) {
    const CSprite& sprite = *Resource();
    const int count = sprite.FrameCount();
    mFrame = std::clamp(frame, 0, std::max(count - 1, 0));
    mPreviousButton->setVisible(mFrame > 0);
    mNextButton->setVisible(mFrame < count - 1);
    mFrameLabel->setVisible(count > 1);
    mFrameNumber->setVisible(count > 1);
    mFrameNumber->setText(QString::number(mFrame));
    mDisplay = sprite.GetDisplayImage(mFrame);
    mPicture->setVisible(mDisplay != nullptr);
    ShowPicture();
}

void TSpriteForm::ShowPicture() {
    if (!mDisplay) {
        mPicture->SetImage(QImage());
        return;
    }
    const CSprite& sprite = *Resource();
    Bitmap24 marked = *mDisplay;
    if (MarksShown()) {
        XorCross(marked, sprite.XOrigin, sprite.YOrigin, kCrossArm);
        // The box names its last pixels; the outline goes round them.
        XorRectOutline(marked, sprite.BoxLeft, sprite.BoxTop, std::int64_t{sprite.BoxRight} + 1,
                       std::int64_t{sprite.BoxBottom} + 1);
    }
    mPicture->SetImage(ToQImage(marked, false));
}

void TSpriteForm::ShowBox() {
    const CSprite& sprite = *Resource();
    FillScope muted(*this);
    mLeftEdit->SetValue(sprite.BoxLeft);
    mRightEdit->SetValue(sprite.BoxRight);
    mTopEdit->SetValue(sprite.BoxTop);
    mBottomEdit->SetValue(sprite.BoxBottom);
    const bool manual = sprite.BoxMode == kBoxManual;
    for (TValueEdit* edit : {mLeftEdit, mRightEdit, mTopEdit, mBottomEdit}) edit->setEnabled(manual);
}

void TSpriteForm::SetBoxMode(std::int32_t mode) {
    if (Filling()) return;
    CSprite& sprite = *Resource();
    sprite.BoxMode = mode;
    if (mode != kBoxManual) sprite.UpdateBoundingBox();
    Mark();
    ShowBox();
    ShowPicture();
}

void TSpriteForm::SetManualBox() {
    if (Filling()) return;
    CSprite& sprite = *Resource();
    sprite.BoxLeft = mLeftEdit->Value();
    sprite.BoxRight = mRightEdit->Value();
    sprite.BoxTop = mTopEdit->Value();
    sprite.BoxBottom = mBottomEdit->Value();
    Mark();
    ShowPicture();
}

void TSpriteForm::SetOrigin(int x, int y) {
    CSprite& sprite = *Resource();
    if (sprite.XOrigin == x && sprite.YOrigin == y) return;
    sprite.XOrigin = x;
    sprite.YOrigin = y;
    {
        FillScope muted(*this);
        mXEdit->SetValue(x);
        mYEdit->SetValue(y);
    }
    Mark();
    ShowPicture();
}

void TSpriteForm::FramesChanged() {
    ShowSizes();
    IconChanged();
}

void TSpriteForm::LoadSprite() {
    FileDialogSpec spec;
    spec.objectName = "SpriteOpenDialog";
    spec.title = "Load a sprite";
    spec.filter = PictureFileFilter();
    spec.mustExist = true;
    spec.folder = Prefs().SpriteDir;
    const std::optional<std::string> file = ChooseFileNested(spec, &Prefs().SpriteDir);
    if (!file) return;
    if (!Resource()->LoadFromFile(*file)) {
        ShowMessage(kFailedToLoadFileMessage);
        return;
    }
    Mark();
    mFrame = 0;
    ShowBox();
    FramesChanged();
}

void TSpriteForm::EditSprite() {
    bool replaced;
    {
        BusyScope busy(*this);
        replaced = kestrin::EditSprite(*Resource());
    }
    if (Forgotten() || !replaced) return;
    Mark();
    {
        // The editor may have changed the transparency with the frames.
        FillScope muted(*this);
        mTransparentCheck->setChecked(Resource()->Transparent);
    }
    ShowBox();
    FramesChanged();
}

}  // namespace kestrin
