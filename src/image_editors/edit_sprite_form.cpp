// The sprite editor window: menus from the menu table, thumbnails, status
// bar, the animated preview and the close question.

#include "image_editors/edit_sprite_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/text_convert.h"
#include "editors/editor_dialogs.h"
#include "image_editors/picture_filter.h"
#include "image_editors/qt_draw_target.h"
#include "image_editors/sprite_frame_list.h"
#include "image_editors/value_edit.h"
#include "platform/user_interface.h"
#include "resources/sprite.h"

namespace kestrin {

namespace {

constexpr int kEnableInterval = 300;
constexpr int kStartSpeed = 20;
constexpr int kMaxSpeed = 1000;

class QtBitmapClipboard : public BitmapClipboard {
public:
    void Put(const Bitmap24& picture) override { QApplication::clipboard()->setImage(ToQImage(picture, false)); }
    Image Take() const override {
        QImage image = QApplication::clipboard()->image();
        if (image.isNull() || !WithinImageLimits(image.width(), image.height())) return nullptr;
        image = image.convertToFormat(QImage::Format_RGB888);
        auto picture = std::make_unique<Bitmap24>(image.width(), image.height());
        for (int y = 0; y < image.height(); ++y) {
            const uchar* from = image.constScanLine(y);
            std::uint8_t* to = picture->Row(y);
            for (int x = 0; x < image.width(); ++x)
                PutPixel(to + 3 * x, MakeColor(from[3 * x], from[3 * x + 1], from[3 * x + 2]));
        }
        return picture;
    }
    bool HasPicture() const override {
        const QMimeData* data = QApplication::clipboard()->mimeData();
        return data && data->hasImage();
    }
};

QColor ToQColor(ColorValue color) { return QColor(RedOf(color), GreenOf(color), BlueOf(color)); }

// The toolbar's commands, in order; nullptr for a separator.
constexpr const char* kToolbarItems[] = {
    "CloseSavingChanges1", nullptr, "Undo1", "Cut1", "Copy1", "Paste1", nullptr, "AddEmpty1", "DeleteImage1",
    "MoveLeftImage1", "MoveRightImage1", "EditImage1",
};
constexpr int kPreviewSide = 128;

}  // namespace

std::unique_ptr<TAnimation> FramesForEditing(const CSprite& sprite) {
    std::unique_ptr<TAnimation> frames = TAnimation::FromSprite(sprite);
    if (frames->FrameCount() > 0) return frames;
    auto empty = std::make_unique<TAnimation>(32, 32);
    empty->SetTransparent(sprite.Transparent);
    empty->AddEmpty();
    return empty;
}

TEditSpriteForm::TEditSpriteForm(std::unique_ptr<TAnimation> frames, bool changed, QWidget* parent)
    : QDialog(parent),
      mClipboard(std::make_unique<QtBitmapClipboard>()),
      mSession(std::move(frames), *mClipboard, PictureFileFilter()) {
    setObjectName(QStringLiteral("TEditSpriteForm"));
    setWindowTitle(QStringLiteral("Sprite Editor"));
    if (changed) mSession.MarkChanged();
    mSession.SetBusyHandler([](bool busy) {
        if (busy) QApplication::setOverrideCursor(Qt::WaitCursor);
        else QApplication::restoreOverrideCursor();
    });
    BuildMenus();
    BuildBody();
    mPreviewTimer = new QTimer(this);
    connect(mPreviewTimer, &QTimer::timeout, this, [this] { StepPreview(1); });
    mEnableTimer = new QTimer(this);
    mEnableTimer->setInterval(kEnableInterval);
    connect(mEnableTimer, &QTimer::timeout, this, &TEditSpriteForm::UpdateEnabled);
    mEnableTimer->start();
    resize(760, 520);
    Refresh();
}

TEditSpriteForm::~TEditSpriteForm() = default;

QAction* TEditSpriteForm::Action(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name));
}

void TEditSpriteForm::BuildMenus() {
    auto* bar = new QMenuBar(this);
    const char* menuTexts[] = {"&File", "&Edit", "&Transform", "&Images", "&Animation"};
    QMenu* menus[5];
    for (int i = 0; i < 5; ++i) menus[i] = bar->addMenu(QString::fromLatin1(menuTexts[i]));
    QMenu* submenu = nullptr;
    const char* submenuText = nullptr;
    for (const SpriteMenuItem& item : SpriteMenuItems()) {
        QMenu* menu = menus[static_cast<int>(item.menu)];
        if (item.submenu) {
            if (!submenuText || std::string_view(submenuText) != item.submenu) {
                submenu = menu->addMenu(QString::fromLatin1(item.submenu));
                submenuText = item.submenu;
            }
            menu = submenu;
        }
        QAction* action = menu->addAction(QString::fromLatin1(item.text));
        action->setObjectName(QString::fromLatin1(item.name));
        if (*item.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
        connect(action, &QAction::triggered, this, [this, &item] { RunItem(item); });
        mActions[&item] = action;
        if (item.command == SpriteCommand::CloseSaving || item.command == SpriteCommand::AddFromStrip ||
            item.command == SpriteCommand::EditImage || item.command == SpriteCommand::Scale ||
            item.command == SpriteCommand::CycleRight || item.command == SpriteCommand::AddReverse)
            menu->addSeparator();
    }
    auto* tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("ToolBar"));
    for (const char* name : kToolbarItems) {
        if (!name) {
            tools->addSeparator();
            continue;
        }
        tools->addAction(Action(name));
    }
    auto* top = new QVBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->setMenuBar(bar);
    top->addWidget(tools);
    setLayout(top);
}

void TEditSpriteForm::BuildBody() {
    auto* body = new QHBoxLayout;
    mList = new TSpriteFrameList(this);
    connect(mList, &QListWidget::currentRowChanged, this, [this](int row) {
        mSession.Select(row);
        UpdateEnabled();
    });
    connect(mList, &QListWidget::itemDoubleClicked, this,
            [this] { RunItem(SpriteMenuItemOf(SpriteCommand::EditImage)); });
    connect(mList, &TSpriteFrameList::FrameDropped, this, [this](int from, int to) {
        if (mSession.MoveFrame(from, to)) Refresh();
    });
    body->addWidget(mList, 1);

    auto* side = new QVBoxLayout;
    mPreview = new QLabel(this);
    mPreview->setObjectName(QStringLiteral("PreviewImage"));
    mPreview->setMinimumSize(kPreviewSide, kPreviewSide);
    mPreview->setAlignment(Qt::AlignCenter);
    side->addWidget(mPreview);
    mPreviewCheck = new QCheckBox(QStringLiteral("Show preview"), this);
    mPreviewCheck->setObjectName(QStringLiteral("PreviewCheck"));
    connect(mPreviewCheck, &QCheckBox::toggled, this, &TEditSpriteForm::PreviewToggled);
    side->addWidget(mPreviewCheck);
    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(new QLabel(QStringLiteral("Speed:"), this));
    mSpeed = new TValueEdit(this);
    mSpeed->setObjectName(QStringLiteral("SpeedEdit"));
    mSpeed->SetMinValue(1);
    mSpeed->SetMaxValue(kMaxSpeed);
    mSpeed->SetValue(kStartSpeed);
    mSpeed->setFixedWidth(60);
    connect(mSpeed, &TValueEdit::ValueChanged, this, &TEditSpriteForm::SpeedChanged);
    speedRow->addWidget(mSpeed);
    side->addLayout(speedRow);
    auto* steps = new QHBoxLayout;
    auto* back = new QPushButton(QStringLiteral("<"), this);
    back->setObjectName(QStringLiteral("PreviousFrameBtn"));
    back->setToolTip(QStringLiteral("Previous frame"));
    connect(back, &QPushButton::clicked, this, [this] { StepPreview(-1); });
    auto* forward = new QPushButton(QStringLiteral(">"), this);
    forward->setObjectName(QStringLiteral("NextFrameBtn"));
    forward->setToolTip(QStringLiteral("Next frame"));
    connect(forward, &QPushButton::clicked, this, [this] { StepPreview(1); });
    steps->addWidget(back);
    steps->addWidget(forward);
    side->addLayout(steps);
    auto* color = new QPushButton(QStringLiteral("Color..."), this);
    color->setObjectName(QStringLiteral("ColorButton"));
    connect(color, &QPushButton::clicked, this, &TEditSpriteForm::ChoosePreviewColor);
    side->addWidget(color);
    side->addStretch(1);
    body->addLayout(side);
    static_cast<QVBoxLayout*>(layout())->addLayout(body, 1);

    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    mFramesLabel = new QLabel(this);
    mFramesLabel->setObjectName(QStringLiteral("FramesLabel"));
    mSizeLabel = new QLabel(this);
    mSizeLabel->setObjectName(QStringLiteral("SizeLabel"));
    mTransparentLabel = new QLabel(this);
    mTransparentLabel->setObjectName(QStringLiteral("TransparentLabel"));
    status->addWidget(mFramesLabel);
    status->addWidget(mSizeLabel);
    status->addWidget(mTransparentLabel);
    layout()->addWidget(status);
}

void TEditSpriteForm::RunItem(const SpriteMenuItem& item) {
    if (!mSession.Enabled(item.command)) return;
    bool changed = mSession.Run(item);
    if (changed || item.command == SpriteCommand::Cut) Refresh();
    else UpdateEnabled();
    if (item.command == SpriteCommand::CloseSaving) accept();
}

void TEditSpriteForm::Refresh() {
    RefreshThumbnails();
    mFramesLabel->setText(ToQt(mSession.FramesText()));
    mSizeLabel->setText(ToQt(mSession.SizeText()));
    mTransparentLabel->setText(ToQt(mSession.TransparentText()));
    if (mPreviewFrame >= mSession.Frames().FrameCount()) mPreviewFrame = 0;
    ShowPreview();
    UpdateEnabled();
}

void TEditSpriteForm::RefreshThumbnails() { mList->ShowFrames(mSession.Frames(), mSession.Selected()); }

void TEditSpriteForm::UpdateEnabled() {
    for (auto& [item, action] : mActions) action->setEnabled(mSession.Enabled(item->command));
}

int TEditSpriteForm::PreviewInterval() const { return 1000 / std::clamp(mSpeed->Value(), 1, kMaxSpeed); }

void TEditSpriteForm::SpeedChanged() {
    if (mPreviewTimer->isActive()) mPreviewTimer->start(PreviewInterval());
}

void TEditSpriteForm::PreviewToggled(bool on) {
    if (on) mPreviewTimer->start(PreviewInterval());
    else mPreviewTimer->stop();
}

void TEditSpriteForm::StepPreview(int by) {
    int count = mSession.Frames().FrameCount();
    mPreviewFrame = count > 0 ? ((mPreviewFrame + by) % count + count) % count : 0;
    ShowPreview();
}

void TEditSpriteForm::ShowPreview() {
    const TAnimation& frames = mSession.Frames();
    const Bitmap24* frame = frames.GetImage(mPreviewFrame);
    if (!frame) {
        mPreview->clear();
        return;
    }
    QImage picture(frames.Width(), frames.Height(), QImage::Format_RGB32);
    picture.fill(ToQColor(mPreviewColor));
    QPainter painter(&picture);
    painter.drawImage(0, 0, ToQImage(*frame, frames.Transparent()));
    painter.end();
    // Small frames are shown larger by a whole factor, so pixels stay sharp.
    int factor = std::max(kPreviewSide / std::max(frames.Width(), frames.Height()), 1);
    if (factor > 1) picture = picture.scaled(picture.size() * factor);
    mPreview->setPixmap(QPixmap::fromImage(picture));
}

void TEditSpriteForm::ChoosePreviewColor() {
    std::optional<std::int32_t> color = UsedEditorDialogs().ChooseColor(mPreviewColor);
    if (!color) return;
    mPreviewColor = *color;
    ShowPreview();
}

void TEditSpriteForm::reject() { close(); }

void TEditSpriteForm::closeEvent(QCloseEvent* event) {
    if (mSession.Changed() && !mSession.SaveOnClose()) {
        switch (AskYesNoCancel("Save the changes to the sprite?")) {
        case Answer::Cancel: event->ignore(); return;
        case Answer::Yes: mSession.SetSaveOnClose(); break;
        case Answer::No: break;
        }
    }
    mPreviewTimer->stop();
    mEnableTimer->stop();
    QDialog::reject();
    event->accept();
}

bool RunEditSpriteForm(CSprite& sprite) {
    bool empty = sprite.FrameCount() == 0;
    TEditSpriteForm form(FramesForEditing(sprite), empty, QApplication::activeWindow());
    form.exec();
    SpriteEditSession& session = form.Session();
    if (!session.Changed() || !session.SaveOnClose()) return false;
    session.Frames().StoreInSprite(sprite);
    return true;
}

}  // namespace kestrin
