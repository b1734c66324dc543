// The object editor: properties, events and actions.

#include "editors/object_form.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "app/resource_icons.h"
#include "app/text_convert.h"
#include "editors/action_list_view.h"
#include "editors/action_palette_view.h"
#include "editors/event_chooser.h"
#include "editors/event_texts.h"
#include "editors/object_information_form.h"
#include "editors/popup_menu.h"
#include "image_editors/value_edit.h"
#include "platform/preferences.h"
#include "platform/user_interface.h"
#include "storage/resource_menu.h"
#include "storage/tree_codes.h"

namespace kestrin {

namespace {

constexpr int kEventLineHeight = 20;

const char* const kNoSprite = "<no sprite>";
const char* const kNoParent = "<no parent>";
const char* const kSameAsSprite = "<same as sprite>";

// A small picture per event type, so the list reads at a glance.
QIcon EventTypeIcon(int type) {
    static const char* const kLetters[kEventTypeCount] = {"C", "D", "A", "S", "X", "K", "M", "O", "W", "P", "R"};
    static const QColor kColors[kEventTypeCount] = {
        QColor(0, 128, 0),   QColor(160, 0, 0),  QColor(200, 120, 0), QColor(0, 80, 160),
        QColor(160, 0, 160), QColor(80, 80, 80), QColor(0, 128, 128), QColor(100, 60, 20),
        QColor(40, 40, 200), QColor(90, 90, 90), QColor(110, 110, 110)};
    if (type < 0 || type >= kEventTypeCount) return {};
    return LetterIcon(kLetters[type], kColors[type]);
}

QIcon SpriteIcon(const Game& game, int sprite) {
    if (!game.ResourceExists(ResourceKind::Sprite, sprite)) return {};
    return ResourceIconImage(game, game.ResourceIcon(ResourceKind::Sprite, sprite));
}

class EventLineDelegate : public QStyledItemDelegate {
public:
    EventLineDelegate(TObjectForm& form, QObject* parent) : QStyledItemDelegate(parent), mForm(form) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (index.row() >= mForm.Listed().Count()) return;
        const EventKey key = mForm.Listed().At(index.row());
        const Game& game = mForm.GameData();
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        if (selected) painter->fillRect(option.rect, option.palette.highlight());
        painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
        const QRect r = option.rect;
        EventTypeIcon(key.type).paint(painter, QRect(r.x() + 2, r.y() + 2, 16, 16));
        int textX = r.x() + 20;
        if (key.type == kCollisionEventType) {
            const CObject* other = game.ObjectAt(key.number);
            if (other) SpriteIcon(game, other->Sprite).paint(painter, QRect(r.x() + 20, r.y() + 2, 16, 16));
            textX = r.x() + 40;
        }
        painter->drawText(QRect(textX, r.y(), r.width() - textX, r.height()), Qt::AlignVCenter,
                          ToQt(EventShortNameIn(game, key.type, key.number)));
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {150, kEventLineHeight}; }

private:
    TObjectForm& mForm;
};

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QToolButton* MenuButton(const char* name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QStringLiteral("..."));
    return button;
}

QLineEdit* NameBox(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setCursor(Qt::PointingHandCursor);
    return box;
}

}  // namespace

TObjectForm::TObjectForm(Game& game, int index, QWidget* parent) : ResourceForm<CObject>(game, index, parent) {
    setObjectName(QStringLiteral("TObjectForm"));
    setWindowIcon(ResourceIconImage(game, game.ResourceIcon(ResourceKind::Object, index)));
    auto* content = new QWidget(this);
    auto* layout = new QHBoxLayout(content);
    layout->addWidget(BuildProperties());
    layout->addWidget(BuildEvents());

    auto* actionsBox = new QVBoxLayout;
    actionsBox->addWidget(new QLabel(tr("Actions:"), content));
    mActionList = new TActionListView(*this, ActionDragGroup::Objects, kNoEventForActions, content);
    mActionList->setMinimumSize(260, 300);
    actionsBox->addWidget(mActionList, 1);
    layout->addLayout(actionsBox, 1);
    connect(mActionList, &TActionListView::Changed, this, [this] { Mark(); });

    mActionPages = new TActionPages(content);
    layout->addWidget(mActionPages);
    connect(mActionPages, &TActionPages::ActionClicked, mActionList, &TActionListView::AddFromPalette);

    setWidget(content);
    connect(this, &QMdiSubWindow::aboutToActivate, this, [this] { Reactivated(); });
    Open();
}

QWidget* TObjectForm::BuildProperties() {
    auto* panel = new QWidget(this);
    auto* box = new QVBoxLayout(panel);
    box->setContentsMargins(0, 0, 0, 0);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(tr("Name:"), panel));
    auto* nameEdit = new QLineEdit(panel);
    nameEdit->setObjectName(QStringLiteral("NameEdit"));
    nameRow->addWidget(nameEdit);
    box->addLayout(nameRow);
    AttachNameEdit(nameEdit);

    box->addWidget(new QLabel(tr("Sprite:"), panel));
    auto* spriteRow = new QHBoxLayout;
    mSpriteImg = new QLabel(panel);
    mSpriteImg->setObjectName(QStringLiteral("SpriteImg"));
    mSpriteImg->setFixedSize(16, 16);
    mSpriteName = NameBox("SpriteName", panel);
    mSpriteName->installEventFilter(this);
    mSpriteMenu = MenuButton("SpriteMenu", panel);
    spriteRow->addWidget(mSpriteImg);
    spriteRow->addWidget(mSpriteName, 1);
    spriteRow->addWidget(mSpriteMenu);
    box->addLayout(spriteRow);
    connect(mSpriteMenu, &QToolButton::clicked, this, [this] { ChooseSprite(QCursor::pos()); });
    auto* spriteButtons = new QHBoxLayout;
    auto* newSprite = Button(tr("New"), "NewSpriteBtn", panel);
    mEditSpriteBtn = Button(tr("Edit"), "EditSpriteBtn", panel);
    spriteButtons->addWidget(newSprite);
    spriteButtons->addWidget(mEditSpriteBtn);
    box->addLayout(spriteButtons);
    connect(newSprite, &QPushButton::clicked, this, &TObjectForm::NewSprite);
    connect(mEditSpriteBtn, &QPushButton::clicked, this, &TObjectForm::EditSprite);

    mSolidCheck = new QCheckBox(tr("Solid"), panel);
    mSolidCheck->setObjectName(QStringLiteral("SolidCheck"));
    mVisibleCheck = new QCheckBox(tr("Visible"), panel);
    mVisibleCheck->setObjectName(QStringLiteral("VisibleCheck"));
    box->addWidget(mSolidCheck);
    box->addWidget(mVisibleCheck);
    connect(mSolidCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (Filling() || !Resource() || Resource()->Solid == on) return;
        Resource()->Solid = on;
        Mark();
    });
    connect(mVisibleCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (Filling() || !Resource() || Resource()->Visible == on) return;
        Resource()->Visible = on;
        Mark();
    });

    mAdvancedPanel = new QWidget(panel);
    mAdvancedPanel->setObjectName(QStringLiteral("AdvancedPanel"));
    auto* advanced = new QVBoxLayout(mAdvancedPanel);
    advanced->setContentsMargins(0, 0, 0, 0);
    auto* depthRow = new QHBoxLayout;
    depthRow->addWidget(new QLabel(tr("Depth:"), mAdvancedPanel));
    mDepthValue = new TValueEdit(mAdvancedPanel);
    mDepthValue->setObjectName(QStringLiteral("DepthValue"));
    depthRow->addWidget(mDepthValue);
    advanced->addLayout(depthRow);
    connect(mDepthValue, &TValueEdit::ValueChanged, this, [this](std::int32_t value) {
        if (Filling() || !Resource() || Resource()->Depth == value) return;
        Resource()->Depth = value;
        Mark();
    });
    mPersistentCheck = new QCheckBox(tr("Persistent"), mAdvancedPanel);
    mPersistentCheck->setObjectName(QStringLiteral("PersistentCheck"));
    advanced->addWidget(mPersistentCheck);
    connect(mPersistentCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (Filling() || !Resource() || Resource()->Persistent == on) return;
        Resource()->Persistent = on;
        Mark();
    });
    advanced->addWidget(new QLabel(tr("Parent:"), mAdvancedPanel));
    auto* parentRow = new QHBoxLayout;
    mParentName = NameBox("ParentName", mAdvancedPanel);
    mParentName->installEventFilter(this);
    auto* parentMenu = MenuButton("ParentMenu", mAdvancedPanel);
    parentRow->addWidget(mParentName, 1);
    parentRow->addWidget(parentMenu);
    advanced->addLayout(parentRow);
    connect(parentMenu, &QToolButton::clicked, this, [this] { ChooseParent(QCursor::pos()); });
    advanced->addWidget(new QLabel(tr("Mask:"), mAdvancedPanel));
    auto* maskRow = new QHBoxLayout;
    mMaskName = NameBox("MaskName", mAdvancedPanel);
    mMaskName->installEventFilter(this);
    auto* maskMenu = MenuButton("MaskMenu", mAdvancedPanel);
    maskRow->addWidget(mMaskName, 1);
    maskRow->addWidget(maskMenu);
    advanced->addLayout(maskRow);
    connect(maskMenu, &QToolButton::clicked, this, [this] { ChooseMask(QCursor::pos()); });
    auto* information = Button(tr("Show Information"), "ShowInformationBtn", mAdvancedPanel);
    advanced->addWidget(information);
    connect(information, &QPushButton::clicked, this, &TObjectForm::ShowInformation);
    box->addWidget(mAdvancedPanel);
    mAdvancedPanel->setVisible(Prefs().Advanced);

    box->addStretch();
    auto* ok = Button(tr("OK"), "OKBtn", panel);
    box->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &TResourceForm::CloseWithOk);
    panel->setFixedWidth(180);
    return panel;
}

QWidget* TObjectForm::BuildEvents() {
    auto* panel = new QWidget(this);
    auto* box = new QVBoxLayout(panel);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(new QLabel(tr("Events:"), panel));
    mEventList = new QListWidget(panel);
    mEventList->setObjectName(QStringLiteral("EventList"));
    mEventList->setItemDelegate(new EventLineDelegate(*this, mEventList));
    mEventList->setSelectionMode(QAbstractItemView::SingleSelection);
    mEventList->setMouseTracking(true);
    mEventList->viewport()->installEventFilter(this);
    mEventList->installEventFilter(this);
    box->addWidget(mEventList, 1);
    connect(mEventList, &QListWidget::currentRowChanged, this, [this] {
        if (!Filling()) CurrentEventChanged();
    });

    auto* add = Button(tr("Add Event"), "AddEventBtn", panel);
    mDeleteEventBtn = Button(tr("Delete"), "DeleteEventBtn", panel);
    mChangeEventBtn = Button(tr("Change"), "ChangeEventBtn", panel);
    box->addWidget(add);
    auto* row = new QHBoxLayout;
    row->addWidget(mDeleteEventBtn);
    row->addWidget(mChangeEventBtn);
    box->addLayout(row);
    connect(add, &QPushButton::clicked, this, &TObjectForm::AddEvent);
    connect(mDeleteEventBtn, &QPushButton::clicked, this, &TObjectForm::DeleteEvent);
    connect(mChangeEventBtn, &QPushButton::clicked, this, &TObjectForm::ChangeEvent);

    mEventsMenu = new QMenu(this);
    mEventsMenu->setObjectName(QStringLiteral("EventsMenu"));
    QAction* addEvent = mEventsMenu->addAction(tr("&Add Event"));
    addEvent->setObjectName(QStringLiteral("AddEvent1"));
    mChangeEvent1 = mEventsMenu->addAction(tr("&Change Event"));
    mChangeEvent1->setObjectName(QStringLiteral("ChangeEvent1"));
    mDeleteEvent1 = mEventsMenu->addAction(tr("&Delete Event"));
    mDeleteEvent1->setObjectName(QStringLiteral("DeleteEvent1"));
    connect(addEvent, &QAction::triggered, this, &TObjectForm::AddEvent);
    connect(mChangeEvent1, &QAction::triggered, this, &TObjectForm::ChangeEvent);
    connect(mDeleteEvent1, &QAction::triggered, this, &TObjectForm::DeleteEvent);
    panel->setFixedWidth(190);
    return panel;
}

void TObjectForm::FillControls() {
    CObject* object = Resource();
    if (!object) return;
    mSolidCheck->setChecked(object->Solid);
    mVisibleCheck->setChecked(object->Visible);
    mPersistentCheck->setChecked(object->Persistent);
    mDepthValue->SetValue(object->Depth);
    ShowSprite();
    ShowNames();
    mListed = ListedEvents::FromObject(*object);
    FillEventList(mListed.Count() > 0 ? 0 : -1);
}

void TObjectForm::FillEventList(int select) {
    {
        FillScope muted(*this);
        mEventList->clear();
        for (int i = 0; i < mListed.Count(); ++i)
            (new QListWidgetItem(mEventList))->setSizeHint(QSize(150, kEventLineHeight));
        if (select >= 0 && select < mListed.Count())
            mEventList->setCurrentRow(select, QItemSelectionModel::ClearAndSelect);
        else
            mEventList->setCurrentRow(-1, QItemSelectionModel::Clear);
    }
    CurrentEventChanged();
}

int TObjectForm::SelectedEvent() const {
    const QList<QListWidgetItem*> items = mEventList->selectedItems();
    return items.isEmpty() ? -1 : mEventList->row(items.first());
}

void TObjectForm::SelectEvent(int line) {
    mEventList->setCurrentRow(line, line >= 0 ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Clear);
    CurrentEventChanged();
}

CEvent* TObjectForm::CurrentEvent() {
    const int line = SelectedEvent();
    CObject* object = Resource();
    if (!object || line < 0 || line >= mListed.Count()) return nullptr;
    return object->GetEvent(mListed.At(line).type, mListed.At(line).number);
}

void TObjectForm::CurrentEventChanged() {
    const bool selected = SelectedEvent() >= 0;
    mDeleteEventBtn->setEnabled(selected);
    mChangeEventBtn->setEnabled(selected);
    mActionList->SetEvent(CurrentEvent());
}

void TObjectForm::ShowSprite() {
    const CObject* object = Resource();
    if (!object) return;
    const bool has = GameData().ResourceExists(ResourceKind::Sprite, object->Sprite);
    mSpriteName->setText(has ? ToQt(GameData().ResourceName(ResourceKind::Sprite, object->Sprite))
                             : QString::fromLatin1(kNoSprite));
    mSpriteImg->setPixmap(has ? SpriteIcon(GameData(), object->Sprite).pixmap(16, 16) : QPixmap());
    mSpriteImg->setVisible(has);
    mEditSpriteBtn->setVisible(has);
}

void TObjectForm::ShowNames() {
    const CObject* object = Resource();
    if (!object) return;
    mParentName->setText(object->Parent < 0 ? QString::fromLatin1(kNoParent)
                                            : ToQt(GameData().ResourceName(ResourceKind::Object, object->Parent)));
    mMaskName->setText(object->Mask < 0 ? QString::fromLatin1(kSameAsSprite)
                                        : ToQt(GameData().ResourceName(ResourceKind::Sprite, object->Mask)));
}

void TObjectForm::ChooseSprite(const QPoint& globalPos) {
    std::int32_t chosen;
    {
        BusyScope busy(*this);
        chosen = ChooseResourceFromMenu(GameData(), kTypeSprites, std::string(kNoSprite), globalPos);
    }
    CObject* object = Resource();
    if (!object || chosen == kMenuDismissed || chosen == object->Sprite) return;
    object->Sprite = chosen;
    ShowSprite();
    Mark();
}

void TObjectForm::ChooseParent(const QPoint& globalPos) {
    std::int32_t chosen;
    {
        BusyScope busy(*this);
        chosen = ChooseResourceFromMenu(GameData(), kTypeObjects, std::string(kNoParent), globalPos);
    }
    CObject* object = Resource();
    if (!object || chosen == kMenuDismissed) return;
    // Any negative parent means none, and none is stored as -100.
    const std::int32_t parent = chosen < 0 ? kNoObject : chosen;
    if (parent == object->Parent || (parent < 0 && object->Parent < 0)) return;
    const std::int32_t old = object->Parent;
    object->Parent = parent;
    if (object->HasParentLoop(GameData())) {
        ShowMessage(kParentLoopMessage);
        object->Parent = old;
    }
    ShowNames();
    Mark();
}

void TObjectForm::ChooseMask(const QPoint& globalPos) {
    std::int32_t chosen;
    {
        BusyScope busy(*this);
        chosen = ChooseResourceFromMenu(GameData(), kTypeSprites, std::string(kSameAsSprite), globalPos);
    }
    CObject* object = Resource();
    if (!object || chosen == kMenuDismissed || chosen == object->Mask) return;
    object->Mask = chosen;
    ShowNames();
    Mark();
}

void TObjectForm::NewSprite() {
    CObject* object = Resource();
    if (!object) return;
    CResourceTree& tree = GameData().Tree();
    ResourceNode* node = tree.AddResourceNode(tree.Section(kTypeSprites), kTypeSprites);
    if (!node) return;
    object->Sprite = node->Data.Index;
    ShowSprite();
    Mark();
    GameData().Sprites().OpenResource(object->Sprite);
}

void TObjectForm::EditSprite() {
    const CObject* object = Resource();
    if (object && GameData().ResourceExists(ResourceKind::Sprite, object->Sprite))
        GameData().Sprites().OpenResource(object->Sprite);
}

void TObjectForm::ShowInformation() {
    if (QMdiArea* area = mdiArea()) ShowObjectInformation(GameData(), *area, Index());
}

void TObjectForm::AddEvent() {
    ChosenEvent chosen;
    {
        BusyScope busy(*this);
        chosen = ChooseEvent(GameData());
    }
    if (Forgotten() || chosen.Cancelled()) return;
    const EventKey key{chosen.type, chosen.number};
    if (mListed.IndexOf(key) >= 0) return;
    FillEventList(mListed.Insert(key));
}

void TObjectForm::DeleteEvent() {
    const int line = SelectedEvent();
    CEvent* event = CurrentEvent();
    if (line < 0 || !event) return;
    if (!event->Empty()) {
        bool yes;
        {
            BusyScope busy(*this);
            yes = AskYesNo(kRemoveEventQuestion);
        }
        if (Forgotten() || !yes) return;
    }
    event->Clear();
    mListed.RemoveAt(line);
    FillEventList(std::min(line, mListed.Count() - 1));
    Mark();
}

void TObjectForm::ChangeEvent() {
    const int line = SelectedEvent();
    CEvent* event = CurrentEvent();
    if (line < 0 || !event) return;
    CEvent actions;
    actions.Assign(*event);
    const EventKey old = mListed.At(line);
    ChosenEvent chosen;
    {
        BusyScope busy(*this);
        chosen = ChooseEvent(GameData());
    }
    CObject* object = Resource();
    if (!object || chosen.Cancelled()) return;
    const EventKey key{chosen.type, chosen.number};
    if (mListed.IndexOf(key) >= 0) return;
    mListed.Insert(key);
    object->GetEvent(key.type, key.number)->Assign(actions);
    object->GetEvent(old.type, old.number)->Clear();
    mListed.RemoveAt(mListed.IndexOf(old));
    FillEventList(mListed.IndexOf(key));
    Mark();
}

void TObjectForm::EventListMenu(const QPoint& globalPos) {
    const bool selected = SelectedEvent() >= 0;
    mChangeEvent1->setEnabled(selected);
    mDeleteEvent1->setEnabled(selected);
    QAction* chosen;
    {
        BusyScope busy(*this);
        chosen = ExecPopupMenu(*mEventsMenu, globalPos);
    }
    if (Forgotten()) return;
    mChangeEvent1->setEnabled(true);
    mDeleteEvent1->setEnabled(true);
    if (chosen) chosen->trigger();
}

void TObjectForm::Reactivated() {
    CObject* object = Resource();
    if (!object || Busy()) return;
    const int before = mListed.Count();
    const int select = mListed.DropDanglingCollisions(GameData(), SelectedEvent());
    if (mListed.Count() != before) FillEventList(select);
    else mEventList->viewport()->update();
    ShowSprite();
    ShowNames();
}

void TObjectForm::ResourcesChanged(ResourceKind kind) {
    if (kind == ResourceKind::Object || kind == ResourceKind::Sprite) {
        FillScope muted(*this);
        ShowSprite();
        ShowNames();
    }
    if (kind == ResourceKind::Object && !Busy()) Reactivated();
    mEventList->viewport()->update();
    mActionList->viewport()->update();
}

void TObjectForm::RestoreBackup() {
    // The copy replaces every event: the list must not keep pointing into the old ones.
    mActionList->SetEvent(nullptr);
    ResourceForm<CObject>::RestoreBackup();
    CObject* object = Resource();
    // Other editors may have changed parents meanwhile: the old parent can
    // close a loop now.
    if (object && object->HasParentLoop(GameData())) {
        object->Parent = kNoObject;
        ShowMessage(kParentLoopMessage);
    }
}

bool TObjectForm::eventFilter(QObject* watched, QEvent* event) {
    if (!mEventList) return ResourceForm<CObject>::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint global = mouse->globalPosition().toPoint();
        if (watched == mSpriteName) return ChooseSprite(global), true;
        if (watched == mParentName) return ChooseParent(global), true;
        if (watched == mMaskName) return ChooseMask(global), true;
        if (watched == mEventList->viewport() && mouse->button() == Qt::RightButton) {
            // The line under the mouse becomes selected and current together.
            const QModelIndex index = mEventList->indexAt(mouse->position().toPoint());
            SelectEvent(index.isValid() ? index.row() : -1);
            EventListMenu(global);
            return true;
        }
    }
    if (watched == mEventList->viewport() && event->type() == QEvent::ContextMenu) return true;
    if (watched == mEventList && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        DeleteEvent();
        return true;
    }
    if (watched == mEventList->viewport() && event->type() == QEvent::MouseMove && Prefs().ActionHints) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QModelIndex index = mEventList->indexAt(mouse->position().toPoint());
        QString hint = QString::fromLatin1(kListOfEventsHint);
        if (index.isValid() && index.row() < mListed.Count()) {
            const EventKey key = mListed.At(index.row());
            hint = ToQt(EventCaptionIn(GameData(), key.type, key.number));
        }
        QToolTip::showText(mouse->globalPosition().toPoint() + QPoint(0, 24), hint, mEventList, QRect(), 100000);
    }
    if (watched == mEventList->viewport() && event->type() == QEvent::ToolTip) return true;
    return ResourceForm<CObject>::eventFilter(watched, event);
}

}  // namespace kestrin
