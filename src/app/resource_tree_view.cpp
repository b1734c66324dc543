// TResourceTree: the gestures of the resource tree.

#include "app/resource_tree_view.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>

#include "app/resource_tree_model.h"
#include "storage/resource_tree.h"

namespace kestrin {

TResourceTree::TResourceTree(ResourceTreeModel* model, QWidget* parent) : QTreeView(parent), mModel(model) {
    setModel(model);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setContextMenuPolicy(Qt::NoContextMenu);
    setUniformRowHeights(true);

    // Expanding or collapsing selects the node; the node keeps its state (its icon follows it).
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        mModel->Tree().SetExpanded(mModel->NodeAt(index), true);
        if (!mSyncing) setCurrentIndex(index);
    });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        mModel->Tree().SetExpanded(mModel->NodeAt(index), false);
        if (!mSyncing) setCurrentIndex(index);
    });
    connect(model, &ResourceTreeModel::ExpandedChanged, this, [this](const QModelIndex& index, bool expanded) {
        if (isExpanded(index) == expanded) return;
        mSyncing = true;
        setExpanded(index, expanded);
        mSyncing = false;
    });
    connect(model, &ResourceTreeModel::NodePlacedAt, this, [this](const QModelIndex& index) {
        mSyncing = true;
        for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) expand(up);
        mSyncing = false;
        scrollTo(index);
        setCurrentIndex(index);
    });
    connect(model, &ResourceTreeModel::RepaintRequested, this, [this] { viewport()->update(); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        mSyncing = true;
        SyncExpanded(QModelIndex());
        mSyncing = false;
        emit SelectedNodeChanged(nullptr);
    });
}

ResourceNode* TResourceTree::SelectedNode() const {
    QModelIndex current = currentIndex();
    if (!current.isValid() || !selectionModel()->isSelected(current)) return nullptr;
    return mModel->NodeAt(current);
}

void TResourceTree::SelectNode(const ResourceNode* node) {
    QModelIndex index = mModel->IndexOf(node);
    if (!index.isValid()) return;
    scrollTo(index);
    setCurrentIndex(index);
}

void TResourceTree::RenameSelected() {
    QModelIndex current = currentIndex();
    if (current.isValid() && mModel->Tree().CanDrag(mModel->NodeAt(current))) edit(current);
}

void TResourceTree::SyncExpanded(const QModelIndex& parent) {
    for (int row = 0; row < mModel->rowCount(parent); ++row) {
        QModelIndex index = mModel->index(row, 0, parent);
        ResourceNode* node = mModel->NodeAt(index);
        if (node && node->Expanded) setExpanded(index, true);
        SyncExpanded(index);
    }
}

void TResourceTree::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTreeView::currentChanged(current, previous);
    emit SelectedNodeChanged(mModel->NodeAt(current));
}

void TResourceTree::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        QModelIndex index = indexAt(event->position().toPoint());
        if (!index.isValid()) return;  // no menu on empty space
        setCurrentIndex(index);
        emit PopupRequested(event->globalPosition().toPoint());
        return;
    }
    QTreeView::mousePressEvent(event);
}

void TResourceTree::mouseDoubleClickEvent(QMouseEvent* event) {
    QModelIndex index = indexAt(event->position().toPoint());
    ResourceNode* node = mModel->NodeAt(index);
    if (node && node->Data.Kind == kNodeResource) {
        setCurrentIndex(index);
        emit OpenRequested(node);
        return;
    }
    QTreeView::mouseDoubleClickEvent(event);
}

bool TResourceTree::DropNode(ResourceNode* dragged, ResourceNode* target, bool upperHalf) {
    if (!mModel->Tree().MoveNode(dragged, target, upperHalf)) return false;
    SelectNode(dragged);
    return true;
}

ResourceNode* TResourceTree::DropTarget(const QPoint& pos, bool& upperHalf) const {
    QModelIndex index = indexAt(pos);
    if (!index.isValid()) return nullptr;
    QRect row = visualRect(index);
    upperHalf = pos.y() < row.top() + row.height() / 2;
    return mModel->NodeAt(index);
}

void TResourceTree::startDrag(Qt::DropActions supportedActions) {
    mDragged = mModel->NodeAt(currentIndex());
    if (!mModel->Tree().CanDrag(mDragged)) {
        mDragged = nullptr;
        return;
    }
    QTreeView::startDrag(supportedActions);
    mDragged = nullptr;
}

void TResourceTree::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() == this && mDragged)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TResourceTree::dragMoveEvent(QDragMoveEvent* event) {
    bool upper = false;
    ResourceNode* target = DropTarget(event->position().toPoint(), upper);
    if (event->source() == this && mModel->Tree().CanDrop(mDragged, target)) {
        QTreeView::dragMoveEvent(event);
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void TResourceTree::dropEvent(QDropEvent* event) {
    bool upper = false;
    ResourceNode* target = DropTarget(event->position().toPoint(), upper);
    ResourceNode* dragged = mDragged;
    // The move is the tree's; Qt must not remove the source rows afterwards.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    if (event->source() == this && dragged) DropNode(dragged, target, upper);
    stopAutoScroll();
    setState(NoState);
    viewport()->update();
}

}  // namespace kestrin
