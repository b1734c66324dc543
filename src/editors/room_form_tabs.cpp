// TRoomForm's side panel: the objects, settings, tiles, backgrounds and
// views tabs and what their controls do to the room.

#include <QCheckBox>
#include <QEvent>
#include <QCursor>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/resource_menu_popup.h"
#include "app/text_convert.h"
#include "editors/editor_dialogs.h"
#include "editors/no_sprite_picture.h"
#include "editors/room_form.h"
#include "editors/room_tile_image.h"
#include "editors/room_view.h"
#include "editors/room_view_panel.h"
#include "image_editors/qt_draw_target.h"
#include "image_editors/value_edit.h"
#include "platform/external_program.h"
#include "platform/preferences.h"
#include "platform/user_interface.h"
#include "storage/resource_menu.h"
#include "resources/background.h"
#include "resources/object.h"
#include "resources/sprite.h"

namespace kestrin {

namespace {

// Resource type codes of the resource menus.
constexpr std::int32_t kObjectType = 1;
constexpr std::int32_t kBackgroundType = 6;

TValueEdit* ValueField(QWidget* parent, const char* name, std::int32_t min, std::int32_t max) {
    auto* edit = new TValueEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->SetMinValue(min);
    edit->SetMaxValue(max);
    return edit;
}

QCheckBox* Check(QWidget* parent, const char* name, const QString& text) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QPoint BelowOf(QWidget* widget) { return widget->mapToGlobal(QPoint(0, widget->height())); }

}  // namespace

// Objects tab.

QWidget* TRoomForm::BuildObjectsTab() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabObjects"));
    auto* layout = new QVBoxLayout(page);
    mObjectImage = new QLabel(page);
    mObjectImage->setObjectName(QStringLiteral("ObjectImage"));
    mObjectImage->setFixedSize(96, 96);
    mObjectImage->setAlignment(Qt::AlignCenter);
    mObjectImage->setFrameShape(QFrame::Panel);
    mObjectImage->setFrameShadow(QFrame::Sunken);
    mObjectImage->installEventFilter(this);
    layout->addWidget(mObjectImage, 0, Qt::AlignHCenter);
    auto* row = new QHBoxLayout;
    mObjectName = Button(page, "ObjectName", QString());
    auto* menu = new QToolButton(page);
    menu->setObjectName(QStringLiteral("ObjectMenu"));
    menu->setText(QStringLiteral("..."));
    row->addWidget(mObjectName, 1);
    row->addWidget(menu);
    layout->addLayout(row);
    connect(mObjectName, &QPushButton::clicked, this, [this] { ChooseObject(); });
    connect(menu, &QToolButton::clicked, this, [this] { ChooseObject(); });
    mUnderlyingObj = Check(page, "UnderlyingObjCheck", QStringLiteral("Delete underlying"));
    mUnderlyingObj->setChecked(true);
    connect(mUnderlyingObj, &QCheckBox::toggled, this, [this](bool on) { mController->deleteUnderlyingObjects = on; });
    layout->addWidget(mUnderlyingObj);
    auto* help = new QLabel(QStringLiteral("Left mouse button = add\n   <Alt> = no snap\n   <Shift> = multiple\n"
                                           "   <Ctrl> = move\nRight mouse button = delete\n   <Shift> = delete all\n"
                                           "   <Ctrl> = popup menu\nMiddle button = pan\nCtrl+wheel = zoom"),
                            page);
    layout->addWidget(help);
    layout->addStretch(1);
    return page;
}

bool TRoomForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mObjectImage && event->type() == QEvent::MouseButtonPress) {
        ChooseObject();
        return true;
    }
    return ResourceForm<CRoom>::eventFilter(watched, event);
}

void TRoomForm::ChooseObject() {
    std::int32_t chosen;
    {
        BusyScope busy(*this);
        chosen = ResourceMenu(GameData(), kObjectType, std::nullopt, BelowOf(mObjectName));
    }
    if (Forgotten() || chosen < 0) return;
    mController->currentObject = chosen;
    ShowCurrentObject();
}

void TRoomForm::ShowCurrentObject() {
    Game& game = GameData();
    if (!game.ObjectAt(mController->currentObject)) mController->currentObject = -1;
    const CObject* object = game.ObjectAt(mController->currentObject);
    mObjectName->setText(object ? ToQt(game.ResourceName(ResourceKind::Object, mController->currentObject))
                                : QStringLiteral("<undefined>"));
    const CSprite* sprite = object ? game.SpriteAt(object->Sprite) : nullptr;
    Image frame = sprite ? sprite->GetDisplayImage(0) : nullptr;
    if (!object) {
        mObjectImage->setPixmap(QPixmap());
        return;
    }
    if (!frame) {
        mObjectImage->setPixmap(QPixmap::fromImage(NoSpritePicture()));
        return;
    }
    // A white XOR cross through the origin, 32 pixels each way.
    QImage picture = ToQImage(*frame, false).convertToFormat(QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(Qt::white);
    painter.drawLine(sprite->XOrigin - 32, sprite->YOrigin, sprite->XOrigin + 32, sprite->YOrigin);
    painter.drawLine(sprite->XOrigin, sprite->YOrigin - 32, sprite->XOrigin, sprite->YOrigin + 32);
    painter.end();
    mObjectImage->setPixmap(QPixmap::fromImage(picture.width() > 96 || picture.height() > 96
                                                   ? picture.scaled(96, 96, Qt::KeepAspectRatio)
                                                   : picture));
}

// Settings tab.

QWidget* TRoomForm::BuildSettingsTab() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSettings"));
    auto* layout = new QFormLayout(page);
    mNameEdit = new QLineEdit(page);
    mNameEdit->setObjectName(QStringLiteral("NameEdit"));
    mCaption = new QLineEdit(page);
    mCaption->setObjectName(QStringLiteral("RoomCaption"));
    mWidth = ValueField(page, "WidthValue", 1, 999999);
    mHeight = ValueField(page, "HeightValue", 1, 999999);
    mSpeed = ValueField(page, "SpeedValue", 1, 9999);
    mPersistent = Check(page, "PersistentCheck", QStringLiteral("Persistent"));
    mCodeBtn = Button(page, "CodeBtn", QStringLiteral("Creation code"));
    layout->addRow(QStringLiteral("Name:"), mNameEdit);
    layout->addRow(QStringLiteral("Caption for the room:"), mCaption);
    layout->addRow(QStringLiteral("Width:"), mWidth);
    layout->addRow(QStringLiteral("Height:"), mHeight);
    layout->addRow(QStringLiteral("Speed:"), mSpeed);
    layout->addRow(mPersistent);
    layout->addRow(mCodeBtn);
    mPersistent->setVisible(Prefs().Advanced);
    mCodeBtn->setVisible(Prefs().Advanced);
    connect(mCaption, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (Filling()) return;
        Resource()->Caption = FromQt(text);
        Mark();
    });
    auto size = [this] {
        if (Filling() || mWidth->HasError() || mHeight->HasError()) return;
        SizeChanged();
    };
    connect(mWidth, &TValueEdit::ValueChanged, this, size);
    connect(mHeight, &TValueEdit::ValueChanged, this, size);
    connect(mSpeed, &TValueEdit::ValueChanged, this, [this](std::int32_t value) {
        if (Filling() || mSpeed->HasError()) return;
        Resource()->Speed = value;
        Mark();
    });
    connect(mPersistent, &QCheckBox::toggled, this, [this](bool on) {
        if (Filling()) return;
        Resource()->Persistent = on;
        Mark();
    });
    connect(mCodeBtn, &QPushButton::clicked, this, [this] { EditCreationCode(); });
    return page;
}

void TRoomForm::SizeChanged() {
    CRoom& room = *Resource();
    if (room.Width == mWidth->Value() && room.Height == mHeight->Value()) return;
    room.Width = mWidth->Value();
    room.Height = mHeight->Value();
    Mark();
    mPanel->UpdateRanges();
    mView->RepaintAll();
}

void TRoomForm::EditCreationCode() {
    const std::string before = Resource()->CreationCode;
    std::optional<std::string> text;
    bool external;
    {
        BusyScope busy(*this);
        external = ExternalCodeEditorChosen();
        if (external) {
            text = EditTextExternally(before, Prefs().CodeEditor);
        } else if (auto edited = EditCode({before, "Room Creation Code", true, false, -1})) {
            text = edited->text;
        }
    }
    if (Forgotten() || !text) return;
    Resource()->CreationCode = *text;
    Mark();
}

// Tiles tab.

QWidget* TRoomForm::BuildTilesTab() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabTiles"));
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    mTilesetName = Button(page, "TilesetName", QString());
    auto* menu = new QToolButton(page);
    menu->setObjectName(QStringLiteral("TilesetMenu"));
    menu->setText(QStringLiteral("..."));
    row->addWidget(mTilesetName, 1);
    row->addWidget(menu);
    layout->addLayout(row);
    connect(mTilesetName, &QPushButton::clicked, this, [this] { ChooseTileset(); });
    connect(menu, &QToolButton::clicked, this, [this] { ChooseTileset(); });
    auto* scroll = new QScrollArea(page);
    scroll->setObjectName(QStringLiteral("TileScroll"));
    mTileImage = new TTileImage(scroll);
    scroll->setWidget(mTileImage);
    scroll->setMinimumHeight(140);
    layout->addWidget(scroll, 1);
    connect(mTileImage, &TTileImage::SelectionChanged, this,
            [this](const TileSelection& selection) { mController->tileSelection = selection; });
    auto* settings = Button(page, "TileSettingsBtn", QStringLiteral("Tile settings..."));
    connect(settings, &QPushButton::clicked, this, [this] { EditTileSettings(); });
    layout->addWidget(settings);
    mUnderlyingTile = Check(page, "DeleteUnderlyingTileCheck", QStringLiteral("Delete underlying"));
    mUnderlyingTile->setChecked(true);
    connect(mUnderlyingTile, &QCheckBox::toggled, this, [this](bool on) { mController->deleteUnderlyingTiles = on; });
    layout->addWidget(mUnderlyingTile);
    mLayerList = new QListWidget(page);
    mLayerList->setObjectName(QStringLiteral("LayerList"));
    mLayerList->setMaximumHeight(110);
    layout->addWidget(mLayerList);
    connect(mLayerList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (Filling() || row < 0) return;
        mController->layers.Choose(row);
        UpdateRules();
    });
    auto* buttons = new QHBoxLayout;
    auto* add = Button(page, "AddLayerBtn", QStringLiteral("Add"));
    auto* del = Button(page, "DeleteLayerBtn", QStringLiteral("Delete"));
    auto* change = Button(page, "ChangeLayerBtn", QStringLiteral("Change"));
    buttons->addWidget(add);
    buttons->addWidget(del);
    buttons->addWidget(change);
    layout->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, [this] { AddLayer(); });
    connect(del, &QPushButton::clicked, this, [this] { DeleteLayer(); });
    connect(change, &QPushButton::clicked, this, [this] { ChangeLayer(); });
    return page;
}

void TRoomForm::ChooseTileset() {
    std::int32_t chosen;
    {
        BusyScope busy(*this);
        chosen = ResourceMenu(GameData(), kBackgroundType, std::nullopt, BelowOf(mTilesetName));
    }
    if (Forgotten() || chosen < 0) return;
    mController->currentTileset = chosen;
    ShowCurrentTileset();
}

void TRoomForm::ShowCurrentTileset() {
    Game& game = GameData();
    if (!game.BackgroundAt(mController->currentTileset)) mController->currentTileset = -1;
    mTilesetName->setText(mController->currentTileset >= 0
                              ? ToQt(game.ResourceName(ResourceKind::Background, mController->currentTileset))
                              : QStringLiteral("<undefined>"));
    const CBackground* background = game.BackgroundAt(mController->currentTileset);
    Image picture = background ? background->GetImage() : nullptr;
    mTileImage->SetPicture(picture ? ToQImage(*picture, false) : QImage());
    mTileImage->settings = mController->tileSettings;
    mTileImage->SetSelection(mController->tileSelection);
}

void TRoomForm::EditTileSettings() {
    TileSettings settings = mController->tileSettings;
    bool confirmed;
    {
        BusyScope busy(*this);
        confirmed = askTileSettings(settings);
    }
    if (Forgotten() || !confirmed) return;
    mController->tileSettings = settings;
    mController->tileSelection.width = settings.width;
    mController->tileSelection.height = settings.height;
    mTileImage->settings = settings;
    mTileImage->SetSelection(mController->tileSelection);
}

void TRoomForm::FillLayerList() {
    FillScope muted(*this);
    mLayerList->clear();
    for (std::int32_t depth : mController->layers.Depths())
        mLayerList->addItem(QStringLiteral("Layer %1").arg(depth));
    mLayerList->setCurrentRow(mController->layers.CurrentIndex());
}

void TRoomForm::AddLayer() {
    std::int32_t depth = mController->layers.CurrentDepth();
    bool confirmed;
    {
        BusyScope busy(*this);
        confirmed = AskValue("Add a new tile layer", "Depth:", depth);
    }
    if (Forgotten() || !confirmed) return;
    mController->layers.Add(depth);
    FillLayerList();
    UpdateRules();
}

void TRoomForm::DeleteLayer() {
    bool yes;
    {
        BusyScope busy(*this);
        yes = AskYesNo("Deleting the current layer will remove all tiles on it. Are you sure you want to continue?");
    }
    if (Forgotten() || !yes) return;
    mController->DeleteCurrentLayer();
    FillLayerList();
    UpdateRules();
    UpdateToolbar();
}

void TRoomForm::ChangeLayer() {
    std::int32_t depth = mController->layers.CurrentDepth();
    bool confirmed;
    {
        BusyScope busy(*this);
        confirmed = AskValue("Change the depth of a tile layer", "Depth:", depth);
    }
    if (Forgotten() || !confirmed) return;
    mController->ChangeCurrentLayer(depth);
    FillLayerList();
    UpdateRules();
    UpdateToolbar();
}

// Backgrounds tab.

QWidget* TRoomForm::BuildBackgroundsTab() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabBackgrounds"));
    auto* layout = new QVBoxLayout(page);
    auto* colorRow = new QHBoxLayout;
    mDrawColor = Check(page, "DrawBackgroundColorCheck", QStringLiteral("Draw background color"));
    mColorBtn = Button(page, "BackgroundColor", QString());
    mColorBtn->setFixedSize(48, 22);
    colorRow->addWidget(mDrawColor);
    colorRow->addWidget(mColorBtn);
    layout->addLayout(colorRow);
    connect(mDrawColor, &QCheckBox::toggled, this, [this](bool on) {
        if (Filling()) return;
        Resource()->DrawColor = on;
        Mark();
        mView->RepaintAll();
    });
    connect(mColorBtn, &QPushButton::clicked, this, [this] { ChooseColor(); });
    mBackgroundList = new QListWidget(page);
    mBackgroundList->setObjectName(QStringLiteral("BackgroundList"));
    mBackgroundList->setMaximumHeight(150);
    for (int i = 0; i < kRoomLayerCount; ++i) mBackgroundList->addItem(QStringLiteral("Background %1").arg(i));
    layout->addWidget(mBackgroundList);
    connect(mBackgroundList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (Filling() || row < 0) return;
        mBackgroundLayer = row;
        FillBackground();
        UpdateRules();
    });
    mLayerVisible = Check(page, "VisibleCheck", QStringLiteral("Visible when room starts"));
    mLayerForeground = Check(page, "ForegroundCheck", QStringLiteral("Foreground image"));
    layout->addWidget(mLayerVisible);
    layout->addWidget(mLayerForeground);
    auto* nameRow = new QHBoxLayout;
    mLayerBackground = Button(page, "BackgroundName", QString());
    auto* menu = new QToolButton(page);
    menu->setObjectName(QStringLiteral("BackgroundMenu"));
    menu->setText(QStringLiteral("..."));
    nameRow->addWidget(mLayerBackground, 1);
    nameRow->addWidget(menu);
    layout->addLayout(nameRow);
    connect(mLayerBackground, &QPushButton::clicked, this, [this] { ChooseLayerBackground(); });
    connect(menu, &QToolButton::clicked, this, [this] { ChooseLayerBackground(); });
    mTileH = Check(page, "HTiledBtn", QStringLiteral("Tile Hor."));
    mTileV = Check(page, "VTiledBtn", QStringLiteral("Tile Vert."));
    mStretch = Check(page, "StretchBtn", QStringLiteral("Stretch"));
    auto* tiling = new QHBoxLayout;
    tiling->addWidget(mTileH);
    tiling->addWidget(mTileV);
    tiling->addWidget(mStretch);
    layout->addLayout(tiling);
    auto* fields = new QFormLayout;
    mLayerX = ValueField(page, "XValueEdit", INT32_MIN, INT32_MAX);
    mLayerY = ValueField(page, "YValueEdit", INT32_MIN, INT32_MAX);
    mLayerHSpeed = ValueField(page, "HSpeedEdit", -999, 999);
    mLayerVSpeed = ValueField(page, "VSpeedEdit", -999, 999);
    fields->addRow(QStringLiteral("X:"), mLayerX);
    fields->addRow(QStringLiteral("Y:"), mLayerY);
    fields->addRow(QStringLiteral("Hor. speed:"), mLayerHSpeed);
    fields->addRow(QStringLiteral("Vert. speed:"), mLayerVSpeed);
    layout->addLayout(fields);
    layout->addStretch(1);
    for (QCheckBox* box : {mLayerVisible, mLayerForeground, mTileH, mTileV, mStretch})
        connect(box, &QCheckBox::toggled, this, [this] { WriteBackground(); });
    for (TValueEdit* edit : {mLayerX, mLayerY, mLayerHSpeed, mLayerVSpeed})
        connect(edit, &TValueEdit::ValueChanged, this, [this] { WriteBackground(); });
    return page;
}

void TRoomForm::ShowColor() {
    const std::int32_t color = Resource()->Color;
    mColorBtn->setStyleSheet(QStringLiteral("background-color: rgb(%1, %2, %3)")
                                 .arg(color & 0xFF)
                                 .arg((color >> 8) & 0xFF)
                                 .arg((color >> 16) & 0xFF));
}

void TRoomForm::ChooseColor() {
    std::optional<std::int32_t> color;
    {
        BusyScope busy(*this);
        color = UsedEditorDialogs().ChooseColor(Resource() ? Resource()->Color : 0);
    }
    if (Forgotten() || !color) return;
    // A system colour cannot be shown in the room.
    Resource()->Color = (static_cast<std::uint32_t>(*color) >> 24) == 0xFF ? 0 : *color;
    ShowColor();
    Mark();
    if (Resource()->DrawColor) mView->RepaintAll();
}

void TRoomForm::FillBackground() {
    FillScope muted(*this);
    const CRoom& room = *Resource();
    for (int i = 0; i < kRoomLayerCount; ++i) {
        QFont font = mBackgroundList->item(i)->font();
        font.setBold(room.GetLayer(i).Visible);
        mBackgroundList->item(i)->setFont(font);
    }
    mBackgroundList->setCurrentRow(mBackgroundLayer);
    const RoomBackground layer = room.GetLayer(mBackgroundLayer);
    mLayerVisible->setChecked(layer.Visible);
    mLayerForeground->setChecked(layer.Foreground);
    mLayerBackground->setText(GameData().ResourceExists(ResourceKind::Background, layer.Background)
                                  ? ToQt(GameData().ResourceName(ResourceKind::Background, layer.Background))
                                  : QStringLiteral("<no image>"));
    mTileH->setChecked(layer.TileH);
    mTileV->setChecked(layer.TileV);
    mStretch->setChecked(layer.Stretch);
    mLayerX->SetValue(layer.X);
    mLayerY->SetValue(layer.Y);
    mLayerHSpeed->SetValue(layer.HSpeed);
    mLayerVSpeed->SetValue(layer.VSpeed);
}

void TRoomForm::WriteBackground() {
    if (Filling()) return;
    CRoom& room = *Resource();
    const RoomBackground before = room.GetLayer(mBackgroundLayer);
    RoomBackground layer = before;
    layer.Visible = mLayerVisible->isChecked();
    layer.Foreground = mLayerForeground->isChecked();
    layer.TileH = mTileH->isChecked();
    layer.TileV = mTileV->isChecked();
    layer.Stretch = mStretch->isChecked();
    if (!mLayerX->HasError()) layer.X = mLayerX->Value();
    if (!mLayerY->HasError()) layer.Y = mLayerY->Value();
    if (!mLayerHSpeed->HasError()) layer.HSpeed = mLayerHSpeed->Value();
    if (!mLayerVSpeed->HasError()) layer.VSpeed = mLayerVSpeed->Value();
    if (layer == before) return;
    room.SetLayer(mBackgroundLayer, layer);
    Mark();
    QFont font = mBackgroundList->item(mBackgroundLayer)->font();
    font.setBold(layer.Visible);
    mBackgroundList->item(mBackgroundLayer)->setFont(font);
    // The speeds only matter to the running game.
    RoomBackground drawn = layer;
    drawn.HSpeed = before.HSpeed;
    drawn.VSpeed = before.VSpeed;
    if (drawn == before) return;
    UpdateRules();
    mView->RepaintAll();
}

void TRoomForm::ChooseLayerBackground() {
    std::int32_t chosen;
    {
        BusyScope busy(*this);
        chosen = ResourceMenu(GameData(), kBackgroundType, std::nullopt, BelowOf(mLayerBackground));
    }
    if (Forgotten() || chosen < 0) return;
    CRoom& room = *Resource();
    RoomBackground layer = room.GetLayer(mBackgroundLayer);
    if (!GameData().ResourceExists(ResourceKind::Background, layer.Background)) layer.Visible = true;
    layer.Background = chosen;
    room.SetLayer(mBackgroundLayer, layer);
    Mark();
    FillBackground();
    mView->RepaintAll();
}

// Views tab.

QWidget* TRoomForm::BuildViewsTab() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabViews"));
    auto* layout = new QVBoxLayout(page);
    mEnableViews = Check(page, "EnableViewsCheck", QStringLiteral("Enable the use of Views"));
    layout->addWidget(mEnableViews);
    connect(mEnableViews, &QCheckBox::toggled, this, [this](bool on) {
        if (Filling()) return;
        Resource()->ViewsEnabled = on;
        Mark();
        mView->RepaintAll();
    });
    mViewList = new QListWidget(page);
    mViewList->setObjectName(QStringLiteral("ViewList"));
    mViewList->setMaximumHeight(150);
    for (int i = 0; i < kRoomViewCount; ++i) mViewList->addItem(QStringLiteral("View %1").arg(i));
    layout->addWidget(mViewList);
    connect(mViewList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (Filling() || row < 0) return;
        mViewIndex = row;
        FillView();
    });
    mViewDefined = Check(page, "ViewDefined", QStringLiteral("Visible when room starts"));
    layout->addWidget(mViewDefined);
    connect(mViewDefined, &QCheckBox::toggled, this, [this] { WriteView(true); });
    auto* grid = new QGridLayout;
    struct Field {
        const char* name;
        const char* caption;
        std::int32_t min, max;
        bool area;
    };
    const Field fields[] = {{"LeftEdit", "X:", 0, 32000, true},       {"TopEdit", "Y:", 0, 32000, true},
                            {"WidthEdit", "W:", 1, 32000, true},      {"HeightEdit", "H:", 1, 32000, true},
                            {"XEdit", "Port X:", 0, 32000, false},    {"YEdit", "Port Y:", 0, 32000, false},
                            {"HBorderEdit", "Hbor:", 0, 32000, false}, {"VBorderEdit", "Vbor:", 0, 32000, false},
                            {"HSpEdit", "Hsp:", -1, 32000, false},     {"VSpEdit", "Vsp:", -1, 32000, false}};
    for (int i = 0; i < 10; ++i) {
        mViewFields[i] = ValueField(page, fields[i].name, fields[i].min, fields[i].max);
        grid->addWidget(new QLabel(QString::fromLatin1(fields[i].caption), page), i / 2, (i % 2) * 2);
        grid->addWidget(mViewFields[i], i / 2, (i % 2) * 2 + 1);
        const bool area = fields[i].area;
        connect(mViewFields[i], &TValueEdit::ValueChanged, this, [this, area] { WriteView(area); });
    }
    layout->addLayout(grid);
    layout->addWidget(new QLabel(QStringLiteral("Object following:"), page));
    mViewObject = Button(page, "ViewObjectName", QString());
    layout->addWidget(mViewObject);
    connect(mViewObject, &QPushButton::clicked, this, [this] { ChooseViewObject(); });
    layout->addStretch(1);
    return page;
}

void TRoomForm::FillViews() {
    FillScope muted(*this);
    const CRoom& room = *Resource();
    for (int i = 0; i < kRoomViewCount; ++i) {
        QFont font = mViewList->item(i)->font();
        font.setBold(room.GetView(i).Visible);
        mViewList->item(i)->setFont(font);
    }
    mViewList->setCurrentRow(mViewIndex);
    FillView();
}

void TRoomForm::FillView() {
    FillScope muted(*this);
    const RoomView view = Resource()->GetView(mViewIndex);
    mViewDefined->setChecked(view.Visible);
    const std::int32_t values[] = {view.ViewX,   view.ViewY,   view.ViewW,   view.ViewH,  view.PortX,
                                   view.PortY,   view.HBorder, view.VBorder, view.HSpeed, view.VSpeed};
    for (int i = 0; i < 10; ++i) mViewFields[i]->SetValue(values[i]);
    mViewObject->setText(GameData().ResourceExists(ResourceKind::Object, view.Follow)
                             ? ToQt(GameData().ResourceName(ResourceKind::Object, view.Follow))
                             : QStringLiteral("<no object>"));
}

void TRoomForm::WriteView(bool repaint) {
    if (Filling()) return;
    CRoom& room = *Resource();
    const RoomView before = room.GetView(mViewIndex);
    RoomView view = before;
    view.Visible = mViewDefined->isChecked();
    std::int32_t* targets[] = {&view.ViewX,   &view.ViewY,   &view.ViewW,   &view.ViewH,  &view.PortX,
                               &view.PortY,   &view.HBorder, &view.VBorder, &view.HSpeed, &view.VSpeed};
    for (int i = 0; i < 10; ++i)
        if (!mViewFields[i]->HasError()) *targets[i] = mViewFields[i]->Value();
    if (view == before) return;
    room.SetView(mViewIndex, view);
    Mark();
    QFont font = mViewList->item(mViewIndex)->font();
    font.setBold(view.Visible);
    mViewList->item(mViewIndex)->setFont(font);
    if (repaint) mView->RepaintAll();
}

void TRoomForm::ChooseViewObject() {
    std::int32_t chosen;
    {
        BusyScope busy(*this);
        chosen = ResourceMenu(GameData(), kObjectType, std::string("<no object>"), BelowOf(mViewObject));
    }
    if (Forgotten() || chosen == kMenuDismissed) return;
    CRoom& room = *Resource();
    RoomView view = room.GetView(mViewIndex);
    view.Follow = chosen;
    room.SetView(mViewIndex, view);
    Mark();
    FillView();
}

}  // namespace kestrin
