// The image editor window: tools on the left, the zoomed image in the
// middle, every image operation in the menus. Commands ask their dialog
// first and take the undo image only when there is a result to keep.

#include "image_editors/image_edit_form.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <functional>

#include "app/color_value.h"
#include "app/text_convert.h"
#include "editors/editor_dialogs.h"
#include "image_editors/color_pick_image.h"
#include "image_editors/external_image_edit.h"
#include "image_editors/image_canvas.h"
#include "image_editors/image_dialogs.h"
#include "image_editors/qt_draw_target.h"
#include "imaging/bitmap24_ops.h"
#include "imaging/bmp_codec.h"
#include "imaging/gradient_fill.h"
#include "imaging/png_codec.h"
#include "platform/file_system.h"
#include "platform/preferences.h"
#include "platform/user_interface.h"

namespace kestrin {

namespace {

constexpr const char* kTooLarge = "The image would be too large.";
constexpr const char* kSaveFailed = "Failed to save the image file.";

TextAlign& TextAlignment() {
    static TextAlign align = TextAlign::Left;
    return align;
}

QIcon ColorIcon(ColorValue color) {
    QPixmap pixmap(28, 20);
    pixmap.fill(ToQColor(static_cast<std::int32_t>(color)));
    return QIcon(pixmap);
}

QToolButton* MakeButton(QWidget* parent, const char* name, const QString& text, bool checkable = false) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(text);
    button->setCheckable(checkable);
    button->setAutoRaise(true);
    return button;
}

// Only the part that lands on the picture is converted: a pasted picture
// larger than the limits must not be copied whole.
Bitmap24 FromClipboardImage(const QImage& source, int width, int height) {
    QImage image = source.copy(0, 0, std::min(width, source.width()), std::min(height, source.height()))
                       .convertToFormat(QImage::Format_RGB32);
    Bitmap24 result(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) result.SetPixel(x, y, MakeColor(qRed(s[x]), qGreen(s[x]), qBlue(s[x])));
    }
    return result;
}

}  // namespace

QFont& TImgEditForm::TextFont() {
    static QFont font(QStringLiteral("Sans Serif"), 12);
    return font;
}

DrawingSettings& TImgEditForm::Settings() {
    static DrawingSettings settings;
    return settings;
}

TImgEditForm::TImgEditForm(const Bitmap24& image, bool allowResize, bool transparent, QWidget* parent,
                           const ImageEditContext& context)
    : QDialog(parent), mSettings(Settings()), mSession(image, mSettings), mAllowResize(allowResize),
      mTransparent(transparent) {
    setObjectName(QStringLiteral("TImgEditForm"));
    setWindowTitle(QStringLiteral("Image Editor"));
    setSizeGripEnabled(true);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* menuBar = new QMenuBar(this);
    outer->setMenuBar(menuBar);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(4, 4, 4, 4);
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("ToolPanel"));
    mCanvas = new TImageCanvas;
    mCanvas->SetSeeThrough(transparent);
    mCanvas->SetImage(&mSession.Picture());
    mCanvas->SetOnionSkin(context.neighbours);
    mScroll = new QScrollArea(this);
    mScroll->setObjectName(QStringLiteral("ImageScroll"));
    mScroll->setWidget(mCanvas);
    mScroll->setAlignment(Qt::AlignCenter);
    mScroll->setBackgroundRole(QPalette::Dark);
    body->addWidget(panel);
    body->addWidget(mScroll, 1);
    outer->addLayout(body, 1);
    mStatus = new QStatusBar(this);
    mStatus->setObjectName(QStringLiteral("StatusBar"));
    mStatus->setSizeGripEnabled(false);
    outer->addWidget(mStatus);

    mSprayTimer = new QTimer(this);
    mSprayTimer->setInterval(50);
    connect(mSprayTimer, &QTimer::timeout, this, &TImgEditForm::SprayTick);

    BuildMenus();
    BuildToolPanel(panel, !context.neighbours.empty());
    connect(mCanvas, &TImageCanvas::PixelPressed, this, &TImgEditForm::PixelPressed);
    connect(mCanvas, &TImageCanvas::PixelMoved, this, &TImgEditForm::PixelMoved);
    connect(mCanvas, &TImageCanvas::PixelReleased, this, &TImgEditForm::PixelReleased);
    connect(mCanvas, &TImageCanvas::ZoomWheel, this, &TImgEditForm::ZoomWheel);
    for (QMenu* menu : menuBar->findChildren<QMenu*>()) connect(menu, &QMenu::aboutToShow, this, &TImgEditForm::EndText);

    ChooseTool(ImageTool::Paint);
    RefreshColors();
    resize(820, 600);
}

TImgEditForm::~TImgEditForm() = default;

QAction* TImgEditForm::AddCommand(QMenu* menu, const char* name, const QString& text, const QKeySequence& key,
                                  void (TImgEditForm::*handler)()) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty()) action->setShortcut(key);
    // A shortcut does not open the menu, so the command itself ends the
    // text first: its result must not be drawn over by the typed line.
    connect(action, &QAction::triggered, this, [this, handler] {
        EndText();
        (this->*handler)();
    });
    mCommands[name] = action;
    return action;
}

QAction* TImgEditForm::Command(const char* name) const {
    auto it = mCommands.find(name);
    return it == mCommands.end() ? nullptr : it->second;
}

void TImgEditForm::BuildMenus() {
    auto* bar = findChild<QMenuBar*>();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    if (mAllowResize) AddCommand(file, "New1", QStringLiteral("&New..."), QKeySequence(QStringLiteral("Ctrl+N")), &TImgEditForm::NewImage);
    AddCommand(file, "SaveAs1", QStringLiteral("&Save as..."), QKeySequence(QStringLiteral("Ctrl+S")), &TImgEditForm::SaveAs);
    file->addSeparator();
    AddCommand(file, "CloseSavingChanges1", QStringLiteral("&Close saving changes"), {}, &TImgEditForm::CloseSaving);

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("Edit1"));
    AddCommand(edit, "Undo1", QStringLiteral("&Undo"), QKeySequence(QStringLiteral("Ctrl+Z")), &TImgEditForm::UndoCommand);
    edit->addSeparator();
    AddCommand(edit, "Copy1", QStringLiteral("&Copy"), QKeySequence(QStringLiteral("Ctrl+C")), &TImgEditForm::CopyImage);
    AddCommand(edit, "Paste1", QStringLiteral("&Paste"), QKeySequence(QStringLiteral("Ctrl+V")), &TImgEditForm::PasteImage);

    QMenu* transform = bar->addMenu(QStringLiteral("&Transform"));
    transform->setObjectName(QStringLiteral("Transform1"));
    AddCommand(transform, "MoveLeft1", QStringLiteral("Move &left"), QKeySequence(QStringLiteral("Ctrl+L")), &TImgEditForm::MoveLeft);
    AddCommand(transform, "MoveRight1", QStringLiteral("Move &right"), QKeySequence(QStringLiteral("Ctrl+R")), &TImgEditForm::MoveRight);
    AddCommand(transform, "MoveUp1", QStringLiteral("Move &up"), QKeySequence(QStringLiteral("Ctrl+U")), &TImgEditForm::MoveUp);
    AddCommand(transform, "MoveDown1", QStringLiteral("Move &down"), QKeySequence(QStringLiteral("Ctrl+D")), &TImgEditForm::MoveDown);
    transform->addSeparator();
    AddCommand(transform, "Mirrorhorizontal1", QStringLiteral("&Mirror horizontal"), QKeySequence(QStringLiteral("Ctrl+Alt+M")), &TImgEditForm::MirrorImage);
    AddCommand(transform, "Flipvertical1", QStringLiteral("&Flip vertical"), QKeySequence(QStringLiteral("Ctrl+Alt+F")), &TImgEditForm::FlipImage);
    AddCommand(transform, "Shift1", QStringLiteral("S&hift..."), QKeySequence(QStringLiteral("Ctrl+Alt+H")), &TImgEditForm::ShiftImage);
    transform->addSeparator();
    AddCommand(transform, "Rotate90clockwise1", QStringLiteral("Rotate 90 clockwise"), QKeySequence(QStringLiteral("Ctrl+Alt+L")), &TImgEditForm::Rotate90Clockwise);
    AddCommand(transform, "Rotate90counter1", QStringLiteral("Rotate 90 counter-clockwise"), QKeySequence(QStringLiteral("Ctrl+Alt+O")), &TImgEditForm::Rotate90Counter);
    AddCommand(transform, "Rotate1801", QStringLiteral("Rotate 180"), QKeySequence(QStringLiteral("Ctrl+Alt+T")), &TImgEditForm::Rotate180);
    AddCommand(transform, "Rotate1", QStringLiteral("&Rotate..."), QKeySequence(QStringLiteral("Ctrl+Alt+R")), &TImgEditForm::RotateByAngle);
    transform->addSeparator();
    if (mAllowResize) {
        AddCommand(transform, "Resizecanvas1", QStringLiteral("Resize &canvas..."), QKeySequence(QStringLiteral("Ctrl+Alt+C")), &TImgEditForm::ResizeCanvas);
        AddCommand(transform, "Stretch1", QStringLiteral("&Stretch..."), QKeySequence(QStringLiteral("Ctrl+Alt+E")), &TImgEditForm::StretchImage);
    }
    AddCommand(transform, "Scale1", QStringLiteral("Sc&ale..."), QKeySequence(QStringLiteral("Ctrl+Alt+S")), &TImgEditForm::ScaleImage);

    QMenu* image = bar->addMenu(QStringLiteral("&Image"));
    image->setObjectName(QStringLiteral("Image1"));
    AddCommand(image, "Clear1", QStringLiteral("C&lear"), QKeySequence(QStringLiteral("Ctrl+Shift+L")), &TImgEditForm::ClearImage);
    AddCommand(image, "GradientFill1", QStringLiteral("&Gradient fill..."), QKeySequence(QStringLiteral("Ctrl+Shift+G")), &TImgEditForm::GradientFillCommand);
    image->addSeparator();
    AddCommand(image, "BlackandWhite1", QStringLiteral("Black and &white"), QKeySequence(QStringLiteral("Ctrl+Shift+W")), &TImgEditForm::BlackAndWhite);
    AddCommand(image, "Colorize1", QStringLiteral("&Colorize..."), QKeySequence(QStringLiteral("Ctrl+Shift+C")), &TImgEditForm::Colorize);
    AddCommand(image, "ColorizePartial1", QStringLiteral("Colorize &partial..."), QKeySequence(QStringLiteral("Ctrl+Shift+O")), &TImgEditForm::ColorizePartial);
    AddCommand(image, "ShiftHue1", QStringLiteral("Shift &hue..."), QKeySequence(QStringLiteral("Ctrl+Shift+H")), &TImgEditForm::ShiftHueCommand);
    AddCommand(image, "Intensity1", QStringLiteral("&Intensity..."), QKeySequence(QStringLiteral("Ctrl+Shift+I")), &TImgEditForm::Intensity);
    image->addSeparator();
    AddCommand(image, "Fade1", QStringLiteral("&Fade..."), QKeySequence(QStringLiteral("Ctrl+Shift+F")), &TImgEditForm::Fade);
    AddCommand(image, "Transparency1", QStringLiteral("&Transparency..."), QKeySequence(QStringLiteral("Ctrl+Shift+T")), &TImgEditForm::Transparency);
    AddCommand(image, "Blur1", QStringLiteral("&Blur..."), QKeySequence(QStringLiteral("Ctrl+Shift+B")), &TImgEditForm::Blur);

    QMenu* text = bar->addMenu(QStringLiteral("Te&xt"));
    text->setObjectName(QStringLiteral("Text1"));
    AddCommand(text, "Font1", QStringLiteral("&Font..."), {}, &TImgEditForm::ChooseFont);
    auto* aligns = new QActionGroup(this);
    QAction* left = text->addAction(QStringLiteral("&Left aligned"));
    QAction* centre = text->addAction(QStringLiteral("&Centered"));
    QAction* right = text->addAction(QStringLiteral("&Right aligned"));
    const std::pair<QAction*, TextAlign> alignActions[] = {
        {left, TextAlign::Left}, {centre, TextAlign::Center}, {right, TextAlign::Right}};
    const char* alignNames[] = {"LeftAlign1", "CenterAlign1", "RightAlign1"};
    int i = 0;
    for (auto [action, align] : alignActions) {
        action->setObjectName(QString::fromLatin1(alignNames[i]));
        mCommands[alignNames[i++]] = action;
        action->setCheckable(true);
        action->setChecked(TextAlignment() == align);
        aligns->addAction(action);
        connect(action, &QAction::triggered, this, [this, align = align] { SetAlign(align); });
    }
}

void TImgEditForm::BuildToolPanel(QWidget* panel, bool onionSkin) {
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* top = new QHBoxLayout;
    if (mAllowResize) {
        QToolButton* newBtn = MakeButton(panel, "NewBtn", QStringLiteral("New"));
        connect(newBtn, &QToolButton::clicked, this, &TImgEditForm::NewImage);
        top->addWidget(newBtn);
    }
    QToolButton* undoBtn = MakeButton(panel, "UndoBtn", QStringLiteral("Undo"));
    connect(undoBtn, &QToolButton::clicked, this, &TImgEditForm::UndoCommand);
    mZoomInBtn = MakeButton(panel, "ZoomInBtn", QStringLiteral("+"));
    mZoomInBtn->setToolTip(QStringLiteral("Zoom in"));
    connect(mZoomInBtn, &QToolButton::clicked, this, [this] { ZoomBy(1, {}); });
    QToolButton* zoomOut = MakeButton(panel, "ZoomOutBtn", QStringLiteral("-"));
    zoomOut->setToolTip(QStringLiteral("Zoom out"));
    connect(zoomOut, &QToolButton::clicked, this, [this] { ZoomBy(-1, {}); });
    QToolButton* grid = MakeButton(panel, "GridBtn", QStringLiteral("Grid"), true);
    grid->setChecked(true);
    connect(grid, &QToolButton::toggled, mCanvas, &TImageCanvas::SetGrid);
    QToolButton* ok = MakeButton(panel, "OkBtn", QStringLiteral("OK"));
    ok->setToolTip(QStringLiteral("Close saving changes"));
    connect(ok, &QToolButton::clicked, this, &TImgEditForm::CloseSaving);
    for (QToolButton* b : {undoBtn, mZoomInBtn, zoomOut, grid}) top->addWidget(b);
    if (onionSkin) {
        QToolButton* onion = MakeButton(panel, "OnionSkinBtn", QStringLiteral("Onion skin"), true);
        onion->setToolTip(QStringLiteral("Show the frames before and after this one faintly"));
        onion->setChecked(true);
        connect(onion, &QToolButton::toggled, mCanvas, &TImageCanvas::SetOnionSkinShown);
        top->addWidget(onion);
    }
    top->addWidget(ok);
    top->addStretch();
    layout->addLayout(top);

    // Tools.
    struct ToolEntry {
        ImageTool tool;
        const char* name;
        const char* text;
        const char* key;
    };
    const ToolEntry tools[] = {
        {ImageTool::Paint, "PaintBtn", "Paint", "B"},       {ImageTool::Pick, "PickBtn", "Pick", "I"},
        {ImageTool::Fill, "FillBtn", "Fill", "F"},          {ImageTool::Line, "LineBtn", "Line", "L"},
        {ImageTool::Rectangle, "RectangleBtn", "Rect", "R"}, {ImageTool::Ellipse, "EllipseBtn", "Ellipse", "E"},
        {ImageTool::RoundRect, "RoundRectBtn", "Round", "O"}, {ImageTool::Spray, "SprayBtn", "Spray", "S"},
        {ImageTool::Text, "TextBtn", "Text", "T"},
    };
    auto* toolGrid = new QGridLayout;
    int index = 0;
    for (const ToolEntry& entry : tools) {
        QToolButton* button = MakeButton(panel, entry.name, QString::fromLatin1(entry.text), true);
        button->setToolTip(QStringLiteral("%1 (%2)").arg(QString::fromLatin1(entry.text), QString::fromLatin1(entry.key)));
        button->setMinimumWidth(56);
        connect(button, &QToolButton::clicked, this, [this, tool = entry.tool] { ChooseTool(tool); });
        mToolButtons[entry.tool] = button;
        toolGrid->addWidget(button, index / 3, index % 3);
        ++index;
    }
    layout->addLayout(toolGrid);

    // Fill style, pen width, spray size.
    // Each row its own parent, so that its buttons exclude only each other.
    auto addChoices = [&](const char* prefix, const std::vector<std::pair<int, QString>>& choices, int current,
                          std::function<void(int)> choose) {
        auto* rowWidget = new QWidget(panel);
        auto* row = new QHBoxLayout(rowWidget);
        row->setContentsMargins(0, 0, 0, 0);
        for (const auto& [value, text] : choices) {
            std::string name = std::string(prefix) + std::to_string(value) + "Btn";
            QToolButton* b = MakeButton(rowWidget, name.c_str(), text, true);
            b->setAutoExclusive(true);
            b->setChecked(value == current);
            connect(b, &QToolButton::clicked, this, [choose, value = value] { choose(value); });
            row->addWidget(b);
        }
        row->addStretch();
        layout->addWidget(rowWidget);
    };
    addChoices("FillStyle", {{0, QStringLiteral("Outline")}, {1, QStringLiteral("Both")}, {2, QStringLiteral("Filled")}},
               static_cast<int>(mSettings.fillStyle), [this](int v) { mSettings.fillStyle = static_cast<FillStyle>(v); });
    addChoices("Width", {{1, QStringLiteral("1")}, {2, QStringLiteral("2")}, {3, QStringLiteral("3")}, {4, QStringLiteral("4")}, {5, QStringLiteral("5")}},
               mSettings.penWidth, [this](int v) { mSettings.penWidth = v; });
    addChoices("Spray", {{12, QStringLiteral("Spray 12")}, {24, QStringLiteral("24")}, {36, QStringLiteral("36")}},
               mSettings.spraySize, [this](int v) { mSettings.spraySize = v; });

    // Colours.
    auto* colors = new QHBoxLayout;
    mLeftColorBtn = MakeButton(panel, "LeftColorBtn", QStringLiteral("Left colour"));
    mRightColorBtn = MakeButton(panel, "RightColorBtn", QStringLiteral("Right colour"));
    mLeftColorBtn->setIconSize(QSize(28, 20));
    mRightColorBtn->setIconSize(QSize(28, 20));
    connect(mLeftColorBtn, &QToolButton::clicked, this, [this] { ChooseBoxColor(false); });
    connect(mRightColorBtn, &QToolButton::clicked, this, [this] { ChooseBoxColor(true); });
    QToolButton* swap = MakeButton(panel, "SwapColorsBtn", QStringLiteral("<>"));
    swap->setToolTip(QStringLiteral("Swap the colours (X)"));
    connect(swap, &QToolButton::clicked, this, &TImgEditForm::SwapColors);
    mTransparentBox = new TColorPickImage(QStringLiteral("TransparentColorBox"), panel);
    mTransparentBox->setToolTip(QStringLiteral("The transparent colour"));
    connect(mTransparentBox, &TColorPickImage::ColorPicked, this, [this](ColorValue c, bool right) { SetColor(right, c); });
    for (QWidget* w : std::initializer_list<QWidget*>{mLeftColorBtn, swap, mRightColorBtn, mTransparentBox}) colors->addWidget(w);
    colors->addStretch();
    layout->addLayout(colors);
    QToolButton* change = MakeButton(panel, "ChangeColorBtn", QStringLiteral("Change left colour into right"));
    connect(change, &QToolButton::clicked, this, &TImgEditForm::ChangeColor);
    layout->addWidget(change);

    auto* pickers = new QHBoxLayout;
    auto* palette = new TColorPickImage(QStringLiteral("Bitmap24_Palette"), panel);
    palette->SetPicture(*Bitmap24_Palette(96, 108));
    auto* picker = new TColorPickImage(QStringLiteral("Bitmap24_ColorPicker"), panel);
    picker->SetPicture(*Bitmap24_ColorPicker(96, 108));
    for (TColorPickImage* image : {palette, picker}) {
        connect(image, &TColorPickImage::ColorPicked, this, [this](ColorValue c, bool right) { SetColor(right, c); });
        pickers->addWidget(image);
    }
    pickers->addStretch();
    layout->addLayout(pickers);
    layout->addStretch();
}

// ---- Drawing ----

void TImgEditForm::PixelPressed(int x, int y, bool right) {
    EndText();
    PixelArea area = mSession.Press(x, y, right);
    if (auto start = mSession.TakeTextStart()) {
        mTextRight = mSession.TextStartedRight();
        StartText(start->first, start->second);
        return;
    }
    if (mSession.Running() && mSession.Tool() == ImageTool::Spray) mSprayTimer->start();
    if (!area.Empty()) mCanvas->RepaintArea(area);
    RefreshColors();
}

void TImgEditForm::PixelMoved(int x, int y, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    mStatus->showMessage(QStringLiteral("  (%1,%2)").arg(x).arg(y));
    if (!mSession.Running()) return;
    if (!(buttons & (Qt::LeftButton | Qt::RightButton))) {
        PixelReleased();
        return;
    }
    PixelArea area = mSession.Move(x, y, modifiers & Qt::ShiftModifier);
    if (!area.Empty()) mCanvas->RepaintArea(area);
    if (mSession.Tool() == ImageTool::Pick) RefreshColors();
}

void TImgEditForm::PixelReleased() {
    mSprayTimer->stop();
    mSession.Release();
    RefreshColors();
}

void TImgEditForm::SprayTick() {
    PixelArea area = mSession.SprayTick();
    if (!area.Empty()) mCanvas->RepaintArea(area);
}

void TImgEditForm::ChooseTool(ImageTool tool) {
    EndText();
    mSession.Release();
    mSession.SetTool(tool);
    for (auto& [t, button] : mToolButtons) button->setChecked(t == tool);
}

int TImgEditForm::Zoom() const { return mCanvas->Zoom(); }

void TImgEditForm::SetZoom(int zoom) {
    // The enlarged picture is never made (the canvas paints what is exposed),
    // so every zoom up to 16 can be shown.
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    mCanvas->SetZoom(zoom);
    mZoomInBtn->setVisible(zoom < kMaxZoom);
}

void TImgEditForm::ZoomBy(int steps, QPoint anchor) {
    int old = Zoom();
    int zoom = std::clamp(old + steps, kMinZoom, kMaxZoom);
    if (zoom == old) return;
    // Keep the image point under the anchor (the viewport centre for the
    // buttons) where it is.
    QWidget* viewport = mScroll->viewport();
    QPoint inViewport = anchor.isNull() ? viewport->rect().center() : mCanvas->mapTo(viewport, anchor);
    QPointF imagePoint = QPointF(mCanvas->mapFrom(viewport, inViewport)) / old;
    SetZoom(zoom);
    QPointF canvasPoint = imagePoint * zoom;
    mScroll->horizontalScrollBar()->setValue(static_cast<int>(canvasPoint.x()) - inViewport.x());
    mScroll->verticalScrollBar()->setValue(static_cast<int>(canvasPoint.y()) - inViewport.y());
}

void TImgEditForm::ZoomWheel(int steps, QPoint position) { ZoomBy(steps, position); }

void TImgEditForm::keyPressEvent(QKeyEvent* event) {
    if (mTyping) {
        switch (event->key()) {
        case Qt::Key_Escape:
            EndText();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            TextNewLine();
            return;
        case Qt::Key_Backspace:
            mTextLine.chop(1);
            TextTyped();
            return;
        default:
            break;
        }
        QString typed = event->text();
        if (!typed.isEmpty() && typed.at(0).isPrint() && typed.at(0).unicode() < 256) {
            mTextLine += typed;
            TextTyped();
            return;
        }
        QDialog::keyPressEvent(event);
        return;
    }
    bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::ShiftModifier;
    if (plain && ToolKey(event->key())) return;
    QDialog::keyPressEvent(event);
}

bool TImgEditForm::ToolKey(int key) {
    static const std::map<int, ImageTool> keys = {
        {Qt::Key_B, ImageTool::Paint},     {Qt::Key_I, ImageTool::Pick},    {Qt::Key_F, ImageTool::Fill},
        {Qt::Key_L, ImageTool::Line},      {Qt::Key_R, ImageTool::Rectangle}, {Qt::Key_E, ImageTool::Ellipse},
        {Qt::Key_O, ImageTool::RoundRect}, {Qt::Key_S, ImageTool::Spray},   {Qt::Key_T, ImageTool::Text},
    };
    if (key == Qt::Key_X) {
        SwapColors();
        return true;
    }
    auto it = keys.find(key);
    if (it == keys.end()) return false;
    ChooseTool(it->second);
    return true;
}

// ---- Text ----

void TImgEditForm::StartText(int x, int y) {
    mTyping = true;
    mTextUndoTaken = false;
    mTextX = x;
    mTextY = y;
    mTextLine.clear();
    mTextBase = mSession.Picture();
    mTextArea = {};
    RedrawText(true);
}

void TImgEditForm::RedrawText(bool caret) {
    if (!mTyping) return;
    Bitmap24& image = mSession.Picture();
    PixelArea dirty = mTextArea;
    if (!mTextArea.Empty())
        image.CopyRect(mTextBase, mTextArea.left, mTextArea.top, mTextArea.right, mTextArea.bottom, mTextArea.left,
                       mTextArea.top);
    ColorValue color = mTextRight ? mSettings.rightColor : mSettings.leftColor;
    const QFont& font = TextFont();
    // The caret follows the text but does not move it.
    TextAlign align = TextAlignment();
    int width = TextLineWidth(mTextLine, font);
    int left = align == TextAlign::Left ? mTextX : align == TextAlign::Center ? mTextX - width / 2 : mTextX - width;
    mTextArea = DrawTextLine(image, left, mTextY, mTextLine, font, TextAlign::Left, color);
    if (caret) {
        PixelArea caretArea = DrawTextLine(image, left + width, mTextY, QStringLiteral("|"), font, TextAlign::Left, color);
        mTextArea.Add(caretArea);
    }
    dirty.Add(mTextArea);
    mCanvas->RepaintArea(dirty.Empty() ? PixelArea{mTextX, mTextY, mTextX + 1, mTextY + 1} : dirty);
}

void TImgEditForm::TextTyped() {
    // The undo image is the picture before the first typed key: a press of
    // the text tool alone changes nothing.
    if (!mTextUndoTaken) {
        mSession.TakeUndo(mTextBase);
        mTextUndoTaken = true;
    }
    RedrawText(true);
}

void TImgEditForm::TextNewLine() {
    RedrawText(false);
    mTextBase = mSession.Picture();
    mTextArea = {};
    mTextY += TextLineHeight(TextFont());
    mTextLine.clear();
    RedrawText(true);
}

void TImgEditForm::EndText() {
    if (!mTyping) return;
    RedrawText(false);
    mTyping = false;
}

// ---- Colours ----

void TImgEditForm::SetColor(bool right, ColorValue color) {
    (right ? mSettings.rightColor : mSettings.leftColor) = color;
    RefreshColors();
    RedrawText(true);
}

void TImgEditForm::ChooseBoxColor(bool right) {
    ColorValue current = right ? mSettings.rightColor : mSettings.leftColor;
    auto chosen = UsedEditorDialogs().ChooseColor(static_cast<std::int32_t>(current));
    if (chosen) SetColor(right, static_cast<ColorValue>(*chosen) & 0xFFFFFF);
}

void TImgEditForm::SwapColors() {
    std::swap(mSettings.leftColor, mSettings.rightColor);
    RefreshColors();
    RedrawText(true);
}

void TImgEditForm::RefreshColors() {
    mLeftColorBtn->setIcon(ColorIcon(mSettings.leftColor));
    mRightColorBtn->setIcon(ColorIcon(mSettings.rightColor));
    mTransparentBox->SetPicture(Bitmap24(28, 20, mSession.Picture().TransparentColor()));
}

void TImgEditForm::ChangeColor() {
    EndText();
    ApplyResult(Bitmap24_ReplaceColor(&mSession.Picture(), mSettings.leftColor, mSettings.rightColor));
}

// ---- Results ----

void TImgEditForm::ApplyResult(Image result) {
    if (mSession.Apply(std::move(result))) ImageReplaced();
}

void TImgEditForm::ImageReplaced() {
    mCanvas->ImageResized();
    RefreshColors();
}

bool TImgEditForm::SizeAllowed(std::int64_t width, std::int64_t height) {
    if (WithinImageLimits(width, height)) return true;
    ShowMessage(kTooLarge);
    return false;
}

// ---- Commands ----

void TImgEditForm::NewImage() {
    if (!mAllowResize) return;
    std::int32_t w = mSession.Picture().Width(), h = mSession.Picture().Height();
    if (!AskValues2("Create a new image", "Width:", w, "Height:", h) || w <= 0 || h <= 0) return;
    if (!SizeAllowed(w, h)) return;
    ApplyResult(Bitmap24_CreateFilled(w, h, mSettings.leftColor));
}

void TImgEditForm::SaveAs() {
    FileDialogSpec spec;
    spec.objectName = "SaveImageDialog";
    spec.title = "Save the image";
    spec.filter = "Bitmap files (*.bmp);;PNG files (*.png)";
    spec.defaultExtension = "bmp";
    spec.save = true;
    std::optional<std::string> file = UsedEditorDialogs().ChooseFile(spec);
    if (!file) return;
    std::vector<std::uint8_t> bytes =
        LowerFileExt(*file) == ".png" ? EncodePng(mSession.Picture()) : EncodeBmp(mSession.Picture());
    if (bytes.empty()) {
        ShowMessage(kSaveFailed);
        return;
    }
    try {
        WriteFileAtomically(*file, bytes.data(), bytes.size());
    } catch (const FileError&) {
        ShowMessage(kSaveFailed);
    }
}

void TImgEditForm::CloseSaving() {
    mSaveOnClose = true;
    accept();
}

void TImgEditForm::UndoCommand() {
    EndText();
    if (!mSession.HasUndo()) return;
    mSession.Undo();
    ImageReplaced();
}

void TImgEditForm::CopyImage() {
    QApplication::clipboard()->setImage(ToQImage(mSession.Picture(), false));
}

void TImgEditForm::PasteImage() {
    QImage pasted = QApplication::clipboard()->image();
    if (pasted.isNull()) return;
    Image result = Bitmap24_CreateCopy(&mSession.Picture());
    result->Draw(FromClipboardImage(pasted, result->Width(), result->Height()), 0, 0);
    ApplyResult(std::move(result));
}

void TImgEditForm::MoveLeft() { ApplyResult(MoveByOne(mSession.Picture(), -1, 0, mSettings.leftColor, mSettings.penWidth)); }
void TImgEditForm::MoveRight() { ApplyResult(MoveByOne(mSession.Picture(), 1, 0, mSettings.leftColor, mSettings.penWidth)); }
void TImgEditForm::MoveUp() { ApplyResult(MoveByOne(mSession.Picture(), 0, -1, mSettings.leftColor, mSettings.penWidth)); }
void TImgEditForm::MoveDown() { ApplyResult(MoveByOne(mSession.Picture(), 0, 1, mSettings.leftColor, mSettings.penWidth)); }
void TImgEditForm::MirrorImage() { ApplyResult(Bitmap24_Mirror(&mSession.Picture())); }
void TImgEditForm::FlipImage() { ApplyResult(Bitmap24_Flip(&mSession.Picture())); }

void TImgEditForm::ShiftImage() {
    std::int32_t dx = 0, dy = 0;
    if (!AskValues2("Shift the images", "horizontal:", dx, "vertical:", dy)) return;
    ApplyResult(Bitmap24_Shift(&mSession.Picture(), dx, dy));
}

void TImgEditForm::Rotate90Clockwise() { ApplyResult(Bitmap24_Rotate90(&mSession.Picture(), true, mAllowResize)); }
void TImgEditForm::Rotate90Counter() { ApplyResult(Bitmap24_Rotate90(&mSession.Picture(), false, mAllowResize)); }
void TImgEditForm::Rotate180() { ApplyResult(Bitmap24_Rotate180(&mSession.Picture())); }

void TImgEditForm::RotateByAngle() {
    std::int32_t angle = 45, quality = 3;
    if (!AskValues2("Rotate the image", "Angle in degrees (0-360):", angle, "Quality (1-9):", quality)) return;
    ApplyResult(Bitmap24_Rotate(&mSession.Picture(), std::clamp(quality, 1, 9), mTransparent, angle));
}

void TImgEditForm::ResizeCanvas() { Resize(ResizeKind::Canvas); }
void TImgEditForm::StretchImage() { Resize(ResizeKind::Stretch); }
void TImgEditForm::ScaleImage() { Resize(ResizeKind::Scale); }

void TImgEditForm::Resize(ResizeKind kind) {
    if (kind != ResizeKind::Scale && !mAllowResize) return;
    EndText();
    const Bitmap24& image = mSession.Picture();
    auto choice = UsedImageDialogs().AskResize(kind, image.Width(), image.Height());
    if (!choice || !SizeAllowed(choice->width, choice->height)) return;
    switch (kind) {
    case ResizeKind::Canvas:
        ApplyResult(Bitmap24_Resize(&image, choice->width, choice->height, choice->placement));
        break;
    case ResizeKind::Stretch:
        ApplyResult(Bitmap24_Stretch(&image, choice->width, choice->height, mTransparent, choice->quality));
        break;
    case ResizeKind::Scale:
        ApplyResult(Bitmap24_ScaleSize(&image, choice->width, choice->height, mTransparent, false, choice->placement,
                                       choice->quality));
        break;
    }
}

void TImgEditForm::ClearImage() {
    const Bitmap24& image = mSession.Picture();
    ApplyResult(Bitmap24_CreateFilled(image.Width(), image.Height(), mSettings.leftColor));
}

void TImgEditForm::GradientFillCommand() {
    auto choice = UsedImageDialogs().AskGradient();
    if (!choice) return;
    Image result = Bitmap24_CreateCopy(&mSession.Picture());
    GradientFill(*result, choice->kind, choice->color1, choice->color2);
    ApplyResult(std::move(result));
}

void TImgEditForm::BlackAndWhite() { ApplyResult(Bitmap24_BW(&mSession.Picture(), mTransparent)); }
void TImgEditForm::Colorize() { Hue(HueMode::Set); }
void TImgEditForm::ColorizePartial() { Hue(HueMode::Partial); }
void TImgEditForm::ShiftHueCommand() { Hue(HueMode::Shift); }

void TImgEditForm::Hue(HueMode mode) {
    auto choice = UsedImageDialogs().AskHue(mode, mSession.Picture(), mTransparent);
    if (choice) ApplyResult(ApplyHue(mSession.Picture(), mode, *choice, mTransparent));
}

void TImgEditForm::Intensity() {
    auto choice = UsedImageDialogs().AskIntensity(mSession.Picture(), mTransparent);
    if (choice && (choice->value || choice->saturation))
        ApplyResult(ApplyIntensity(mSession.Picture(), *choice, mTransparent));
}

void TImgEditForm::Fade() {
    std::int32_t amount = 128;
    if (!AskValue("Fade to a color", "Amount (0-256):", amount) || amount < 0) return;
    auto color = UsedEditorDialogs().ChooseColor(static_cast<std::int32_t>(mSettings.leftColor));
    if (!color) return;
    ApplyResult(Bitmap24_Fade(&mSession.Picture(), static_cast<ColorValue>(*color) & 0xFFFFFF, std::min(amount, 256),
                              mTransparent));
}

void TImgEditForm::Transparency() {
    std::int32_t amount = 128;
    if (!AskValue("Screen door transparency", "Transparency (0-256):", amount) || amount < 0) return;
    ApplyResult(Bitmap24_Transparency(&mSession.Picture(), std::min(amount, 256)));
}

void TImgEditForm::Blur() {
    std::int32_t amount = 3;
    if (!AskValue("Blurring the Image", "Amount of blur (1-9):", amount) || amount <= 0) return;
    ApplyResult(Bitmap24_Blur(&mSession.Picture(), std::min(amount, 9), mTransparent));
}

void TImgEditForm::ChooseFont() {
    auto font = UsedEditorDialogs().ChooseFont(TextFont());
    if (!font) return;
    TextFont() = *font;
    RedrawText(true);
}

void TImgEditForm::SetAlign(TextAlign align) {
    TextAlignment() = align;
    RedrawText(true);
}

// ---- Closing ----

void TImgEditForm::done(int result) {
    EndText();
    mSprayTimer->stop();
    mSession.Release();
    if (!mSaveOnClose && mSession.Changed()) {
        switch (AskYesNoCancel(kSaveImageQuestion)) {
        case Answer::Cancel:
            return;
        case Answer::Yes:
            mSaveOnClose = true;
            break;
        case Answer::No:
            break;
        }
    }
    QDialog::done(result);
}

bool TImgEditForm::TakeResult(Bitmap24& image) const {
    if (!mSession.Changed() || !mSaveOnClose) return false;
    image = mSession.Picture();
    return true;
}

bool RunImageEditor(Bitmap24& image, bool allowResize, bool transparent, const ImageEditContext& context) {
    const Preferences& prefs = Prefs();
    if (!prefs.ImageEditorInternal && !prefs.ImageEditor.empty() && FileExists(prefs.ImageEditor)) {
        QWidget* main = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("TMainForm") && w->isVisible()) main = w;
        return EditImageExternally(image, allowResize, prefs.ImageEditor, [main](bool show) {
            if (main) main->setVisible(show);
        });
    }
    TImgEditForm form(image, allowResize, transparent, QApplication::activeWindow(), context);
    form.exec();
    return form.TakeResult(image);
}

}  // namespace kestrin
