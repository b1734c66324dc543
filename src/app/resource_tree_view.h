#pragma once
// TResourceTree: the tree view of the main window. Right click selects the
// node under the mouse and asks for the pop-up menu; a double click opens a
// resource; expanding or collapsing selects the node; dragging a node moves
// it with the tree's MoveNode; in-place editing renames.

#include <QTreeView>

namespace kestrin {

class ResourceNode;
class ResourceTreeModel;

class TResourceTree : public QTreeView {
    Q_OBJECT
public:
    TResourceTree(ResourceTreeModel* model, QWidget* parent = nullptr);

    ResourceTreeModel* TreeModel() const { return mModel; }
    ResourceNode* SelectedNode() const;
    void SelectNode(const ResourceNode* node);
    // Starts in-place editing of the selected node when it lies below the top level.
    void RenameSelected();

    // What a drop of the dragged node on the target does; `upperHalf` tells
    // where on the target's row it was dropped. False when refused or nothing moved.
    bool DropNode(ResourceNode* dragged, ResourceNode* target, bool upperHalf);

signals:
    void SelectedNodeChanged(ResourceNode* node);
    void PopupRequested(const QPoint& globalPos);
    void OpenRequested(ResourceNode* node);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void SyncExpanded(const QModelIndex& parent);
    ResourceNode* DropTarget(const QPoint& pos, bool& upperHalf) const;

    ResourceTreeModel* mModel;
    ResourceNode* mDragged = nullptr;
    bool mSyncing = false;  // expanding for the tree: the user's gesture selects, this does not
};

}  // namespace kestrin
