#pragma once
// ResourceTreeModel: the visible resource tree of a game as a Qt item model.
// It sits on the tree's own nodes (an index's internal pointer is the node)
// and follows every change through the tree's observer, so nothing is copied.

#include <QAbstractItemModel>

#include "storage/tree_observer.h"

namespace kestrin {

class CResourceTree;
class Game;
class ResourceNode;

class ResourceTreeModel : public QAbstractItemModel, public TreeObserver {
    Q_OBJECT
public:
    explicit ResourceTreeModel(Game& game, QObject* parent = nullptr);
    ~ResourceTreeModel() override;

    CResourceTree& Tree() const;
    Game& GameData() const { return mGame; }
    ResourceNode* NodeAt(const QModelIndex& index) const;
    QModelIndex IndexOf(const ResourceNode* node) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

signals:
    // A node was placed by an add or duplicate: show and select it.
    void NodePlacedAt(const QModelIndex& index);
    // The node's expanded state changed in the tree.
    void ExpandedChanged(const QModelIndex& index, bool expanded);
    // Names and icons may all have changed.
    void RepaintRequested();

private:
    // TreeObserver.
    void BeginReset() override;
    void EndReset() override;
    void BeginInsert(ResourceNode* parent, int row) override;
    void EndInsert() override;
    void BeginRemove(ResourceNode* parent, int row) override;
    void EndRemove() override;
    void BeginMove(ResourceNode* fromParent, int fromRow, ResourceNode* toParent, int toRow) override;
    void EndMove() override;
    void BeginReorder(ResourceNode* parent) override;
    void EndReorder(ResourceNode* parent) override;
    void NodeChanged(ResourceNode* node) override;
    void NodePlaced(ResourceNode* node) override;
    void Repaint() override;

    QModelIndex ParentIndex(const ResourceNode* parent) const;

    Game& mGame;
    QModelIndexList mReorderPersistent;
    std::vector<ResourceNode*> mReorderNodes;
};

inline constexpr const char* kNodeMimeType = "application/x-kestrin-tree-node";

}  // namespace kestrin
