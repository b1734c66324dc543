// The action list: lines, commands, the list menu, hints, drag and drop.

#include "editors/action_list_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolTip>

#include "actions/action_description.h"
#include "app/text_convert.h"
#include "editors/action_clipboard.h"
#include "editors/action_drawing.h"
#include "editors/action_drop.h"
#include "editors/action_palette_view.h"
#include "editors/edit_action.h"
#include "editors/popup_menu.h"
#include "editors/resource_form.h"
#include "platform/preferences.h"
#include "platform/user_interface.h"
#include "resources/event.h"

namespace kestrin {

namespace {

class ActionLineDelegate : public QStyledItemDelegate {
public:
    ActionLineDelegate(TActionListView& view, const ResourceLookup& game)
        : QStyledItemDelegate(&view), mView(view), mGame(game) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const CAction* action = mView.Event() ? mView.Event()->GetAction(index.row()) : nullptr;
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        if (selected) painter->fillRect(option.rect, option.palette.highlight());
        painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
        if (action) {
            DrawActionIcon(*painter, *action, option.rect.x() + 2, option.rect.y() + 1);
            DrawActionLine(*painter, *action, mGame, option.rect.x() + 30, option.rect.y() + 4);
        }
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {200, kActionLineHeight};
    }

private:
    TActionListView& mView;
    const ResourceLookup& mGame;
};

// Hints sit 24 pixels below the mouse and wrap at 400 pixels.
void ShowHint(QWidget* widget, const QPoint& globalPos, const QString& text) {
    QString html = QStringLiteral("<p style='white-space:pre-wrap; max-width:400px'>%1</p>")
                       .arg(text.toHtmlEscaped().replace(QChar('\r'), QStringLiteral("<br>")));
    QToolTip::showText(globalPos + QPoint(0, 24), html, widget, QRect(), 100000);
}

}  // namespace

ActionDragSource& DragSourceOf(ActionDragGroup group) {
    static ActionDragSource objects;
    static ActionDragSource timeLines;
    return group == ActionDragGroup::Objects ? objects : timeLines;
}

TActionListView::TActionListView(TResourceForm& form, ActionDragGroup group, std::string noEventMessage,
                                 QWidget* parent)
    : QListWidget(parent), mForm(form), mGroup(group), mNoEventMessage(std::move(noEventMessage)) {
    setObjectName(QStringLiteral("ActionList"));
    setItemDelegate(new ActionLineDelegate(*this, form.GameData()));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setMouseTracking(true);

    mListMenu = new QMenu(this);
    mListMenu->setObjectName(QStringLiteral("ListMenu"));
    mEdit = AddMenuItem("EditProperties1", tr("&Edit Values"), {}, &TActionListView::EditSelected);
    mListMenu->addSeparator();
    mCut = AddMenuItem("Cut1", tr("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X), &TActionListView::CutSelected);
    mCopy = AddMenuItem("Copy1", tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C), &TActionListView::CopySelected);
    mPaste = AddMenuItem("Paste1", tr("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V), &TActionListView::Paste);
    mDelete = AddMenuItem("Delete1", tr("&Delete"), QKeySequence(Qt::Key_Delete), &TActionListView::DeleteSelected);
    mListMenu->addSeparator();
    mCopyAll = AddMenuItem("CopyAll1", tr("Copy &All"), QKeySequence(Qt::CTRL | Qt::Key_A), &TActionListView::CopyAll);
    mClear = AddMenuItem("Clear1", tr("C&lear"), {}, &TActionListView::ClearAll);
}

QAction* TActionListView::AddMenuItem(const char* name, const QString& text, const QKeySequence& keys,
                                      void (TActionListView::*slot)()) {
    QAction* action = mListMenu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    // The keys act only while the action list has the focus, not in the
    // name field or the event list.
    action->setShortcutContext(Qt::WidgetShortcut);
    addAction(action);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void TActionListView::SetEvent(CEvent* event) {
    mEvent = event;
    Refill(event && event->ActionCount() > 0 ? 0 : -1);
}

void TActionListView::Refill(int select) {
    const int count = mEvent ? mEvent->ActionCount() : 0;
    if (QListWidget::count() != count) {
        clear();
        for (int i = 0; i < count; ++i) {
            auto* item = new QListWidgetItem(this);
            item->setSizeHint(QSize(200, kActionLineHeight));
        }
    }
    if (select >= 0 && select < count)
        setCurrentRow(select, QItemSelectionModel::ClearAndSelect);
    else
        setCurrentRow(-1, QItemSelectionModel::Clear);
    viewport()->update();
}

int TActionListView::Selected() const {
    const QList<QListWidgetItem*> items = selectedItems();
    return items.isEmpty() ? -1 : row(items.first());
}

bool TActionListView::HasEventOrSay() {
    if (mEvent) return true;
    ShowMessage(mNoEventMessage);
    return false;
}

bool TActionListView::EditActionAt(int index) {
    if (!mEvent || !mEvent->GetAction(index)) return false;
    bool changed = false;
    {
        TResourceForm::BusyScope busy(mForm);
        changed = EditAction(mForm.GameData(), *mEvent->GetAction(index));
    }
    if (mForm.Forgotten() || !mEvent || !mEvent->GetAction(index)) return false;
    viewport()->update();
    return changed;
}

void TActionListView::AddFromPalette(std::int32_t libraryId, std::int32_t actionId) {
    if (!HasEventOrSay()) return;
    mEvent->AddAction(libraryId, actionId);
    const int added = mEvent->ActionCount() - 1;
    Refill(added);
    emit Changed();
    EditActionAt(added);
}

void TActionListView::EditSelected() {
    const int selected = Selected();
    if (selected >= 0 && EditActionAt(selected)) emit Changed();
}

void TActionListView::CopySelected() {
    const int selected = Selected();
    if (!mEvent || selected < 0) return;
    CEvent& clipboard = ActionClipboard();
    clipboard.Clear();
    clipboard.AddAction(0, 0).Assign(*mEvent->GetAction(selected));
}

void TActionListView::CutSelected() {
    if (Selected() < 0) return;
    CopySelected();
    DeleteSelected();
}

void TActionListView::Paste() {
    const CEvent& clipboard = ActionClipboard();
    if (!mEvent || clipboard.Empty()) return;
    const int selected = Selected();
    const int at = selected >= 0 ? selected : mEvent->ActionCount();
    // Copied first, so pasting into the list the clipboard came from is safe too.
    CEvent copies;
    copies.Assign(clipboard);
    for (int i = 0; i < copies.ActionCount(); ++i) mEvent->InsertAction(at + i, 0, 0)->Assign(*copies.GetAction(i));
    Refill(at);
    emit Changed();
}

void TActionListView::DeleteSelected() {
    const int selected = Selected();
    if (!mEvent || selected < 0) return;
    mEvent->DeleteAction(selected);
    Refill(std::min(selected, mEvent->ActionCount() - 1));
    emit Changed();
}

void TActionListView::CopyAll() {
    if (!mEvent) return;
    ActionClipboard().Assign(*mEvent);
}

void TActionListView::ClearAll() {
    if (!mEvent) return;
    mEvent->Clear();
    Refill();
    emit Changed();
}

int TActionListView::DropIndexAt(const QPoint& viewportPos) const {
    const int count = mEvent ? mEvent->ActionCount() : 0;
    const QModelIndex index = indexAt(viewportPos);
    if (!index.isValid()) return count;
    const QRect rect = visualRect(index);
    return DropInsertIndex(index.row(), viewportPos.y() > rect.center().y(), count);
}

void TActionListView::DropPaletteAction(const QPoint& viewportPos, std::int32_t libraryId, std::int32_t actionId) {
    if (!HasEventOrSay()) return;
    const int at = DropIndexAt(viewportPos);
    mEvent->InsertAction(at, libraryId, actionId);
    Refill(at);
    emit Changed();
    EditActionAt(at);
}

void TActionListView::DropFromList(const QPoint& viewportPos) {
    if (!HasEventOrSay()) return;
    ActionDragSource& source = DragSourceOf(mGroup);
    TActionListView* from = source.list.data();
    if (!from || !from->Event() || source.index < 0) return;
    const int at = DropAction(*from->Event(), source.index, *mEvent, DropIndexAt(viewportPos), source.copy);
    if (at < 0) return;
    source.index = -1;
    if (from != this && !source.copy) {
        // The other window lost an action: it refills and counts as changed,
        // so that "No" there cannot lose the action from both.
        from->Refill(std::min(from->Selected(), from->Event()->ActionCount() - 1));
        emit from->Changed();
    }
    Refill(at);
    emit Changed();
}

QString TActionListView::MimeType() const {
    return mGroup == ActionDragGroup::Objects ? QStringLiteral("application/x-kestrin-object-action")
                                              : QStringLiteral("application/x-kestrin-time-line-action");
}

bool TActionListView::AcceptsDrag(const QMimeData& data) const {
    if (mForm.Forgotten()) return false;
    if (data.hasFormat(kPaletteMimeType)) return true;
    return data.hasFormat(MimeType()) && DragSourceOf(mGroup).index >= 0 && DragSourceOf(mGroup).list;
}

void TActionListView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        ActionDragSource& source = DragSourceOf(mGroup);
        const QModelIndex index = indexAt(event->position().toPoint());
        source.index = index.isValid() ? index.row() : -1;
        source.copy = event->modifiers() & Qt::ControlModifier;
        source.list = this;
        mPressAt = event->position().toPoint();
    }
    if (event->button() == Qt::RightButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        setCurrentRow(index.isValid() ? index.row() : -1,
                      index.isValid() ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Clear);
        return;
    }
    QListWidget::mousePressEvent(event);
}

void TActionListView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        const ActionDragSource& source = DragSourceOf(mGroup);
        if (source.list == this && source.index >= 0 &&
            (event->position().toPoint() - mPressAt).manhattanLength() >= QApplication::startDragDistance()) {
            auto* data = new QMimeData;
            data->setData(MimeType(), QByteArray::number(source.index));
            auto* drag = new QDrag(this);
            drag->setMimeData(data);
            drag->exec(Qt::MoveAction | Qt::CopyAction);
            return;
        }
    } else if (Prefs().ActionHints) {
        const QModelIndex index = indexAt(event->position().toPoint());
        const CAction* action = mEvent && index.isValid() ? mEvent->GetAction(index.row()) : nullptr;
        ShowHint(this, event->globalPosition().toPoint(),
                 action ? ToQt(ActionHint(*action, mForm.GameData())) : QString::fromLatin1(kDragActionsHere));
    }
    QListWidget::mouseMoveEvent(event);
}

void TActionListView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) return;
    setCurrentRow(index.row(), QItemSelectionModel::ClearAndSelect);
    EditSelected();
}

void TActionListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        EditSelected();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void TActionListView::contextMenuEvent(QContextMenuEvent* event) {
    // Mouse menus come through the viewport, in its coordinates; the menu
    // key comes to the list itself.
    const QPoint pos = event->reason() == QContextMenuEvent::Keyboard ? viewport()->mapFrom(this, event->pos())
                                                                        : event->pos();
    const QModelIndex index = event->reason() == QContextMenuEvent::Keyboard ? currentIndex() : indexAt(pos);
    setCurrentRow(index.isValid() ? index.row() : -1,
                  index.isValid() ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Clear);
    const bool line = Selected() >= 0;
    const bool hasLines = mEvent && mEvent->ActionCount() > 0;
    mEdit->setEnabled(line);
    mCut->setEnabled(line);
    mCopy->setEnabled(line);
    mDelete->setEnabled(line);
    mPaste->setEnabled(!ActionClipboard().Empty());
    mCopyAll->setEnabled(hasLines);
    mClear->setEnabled(hasLines);
    QAction* chosen = nullptr;
    {
        TResourceForm::BusyScope busy(mForm);
        chosen = ExecPopupMenu(*mListMenu, event->globalPos());
    }
    // Everything enabled again, so the keys always reach the commands, which
    // check their own conditions.
    for (QAction* action : mListMenu->actions()) action->setEnabled(true);
    if (mForm.Forgotten() || !chosen) return;
    chosen->trigger();
}

void TActionListView::dragEnterEvent(QDragEnterEvent* event) {
    if (!AcceptsDrag(*event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void TActionListView::dragMoveEvent(QDragMoveEvent* event) {
    if (!AcceptsDrag(*event->mimeData())) {
        event->ignore();
        return;
    }
    mDropLine = DropIndexAt(event->position().toPoint());
    viewport()->update();
    event->acceptProposedAction();
}

void TActionListView::dragLeaveEvent(QDragLeaveEvent* event) {
    mDropLine = -1;
    viewport()->update();
    QListWidget::dragLeaveEvent(event);
}

void TActionListView::dropEvent(QDropEvent* event) {
    mDropLine = -1;
    viewport()->update();
    const QMimeData& data = *event->mimeData();
    if (!AcceptsDrag(data)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    const QPoint pos = event->position().toPoint();
    std::int32_t libraryId = 0, actionId = 0;
    if (PaletteActionOf(data, libraryId, actionId))
        DropPaletteAction(pos, libraryId, actionId);
    else
        DropFromList(pos);
}

bool TActionListView::viewportEvent(QEvent* event) {
    // Hints follow the mouse (see mouseMoveEvent) rather than waiting to be asked.
    if (event->type() == QEvent::ToolTip) return true;
    return QListWidget::viewportEvent(event);
}

void TActionListView::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (mDropLine < 0) return;
    const int count = QListWidget::count();
    int y = 0;
    if (count > 0) {
        const QRect last = visualRect(model()->index(std::min(mDropLine, count - 1), 0));
        y = mDropLine < count ? last.top() : last.bottom() + 1;
    }
    QPainter painter(viewport());
    painter.setPen(QPen(palette().text().color(), 2));
    painter.drawLine(0, y, viewport()->width(), y);
}

}  // namespace kestrin
