#pragma once
// TreeObserver: told before and after every change of the visible resource
// tree, in the order a Qt item model has to report them, so a view model can
// sit on the tree without a copy. Changes of the hidden tree are not reported.

namespace kestrin {

class ResourceNode;

class TreeObserver {
public:
    virtual ~TreeObserver() = default;

    // The whole tree is about to be, and has been, replaced.
    virtual void BeginReset() {}
    virtual void EndReset() {}
    // One node inserted as child `row` of the parent.
    virtual void BeginInsert(ResourceNode* /*parent*/, int /*row*/) {}
    virtual void EndInsert() {}
    // Child `row` of the parent (with its subtree) is about to go.
    virtual void BeginRemove(ResourceNode* /*parent*/, int /*row*/) {}
    virtual void EndRemove() {}
    // Child `fromRow` moves under `toParent`; `toRow` is counted before the
    // node is taken out (a move down within one parent names the row after the
    // node's new place), as QAbstractItemModel::beginMoveRows wants.
    virtual void BeginMove(ResourceNode* /*fromParent*/, int /*fromRow*/, ResourceNode* /*toParent*/,
                           int /*toRow*/) {}
    virtual void EndMove() {}
    // The children of the parent are about to be, and have been, reordered.
    virtual void BeginReorder(ResourceNode* /*parent*/) {}
    virtual void EndReorder(ResourceNode* /*parent*/) {}
    // Text, icon or expanded state of a node changed.
    virtual void NodeChanged(ResourceNode* /*node*/) {}
    // A node was just placed: show it (its parents are already expanded) and select it.
    virtual void NodePlaced(ResourceNode* /*node*/) {}
    // Every node's text and icon may have changed.
    virtual void Repaint() {}
};

}  // namespace kestrin
