// ResourceNode: ownership of children, parent links and row numbers.

#include "storage/resource_node.h"

#include <cassert>

namespace kestrin {

ResourceNode::~ResourceNode() {
    // Freed without recursion: a tree read from a file may be nested deeper
    // than the stack would allow.
    std::vector<std::unique_ptr<ResourceNode>> pending = std::move(mChildren);
    while (!pending.empty()) {
        std::unique_ptr<ResourceNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->mChildren) pending.push_back(std::move(child));
        node->mChildren.clear();
    }
}

ResourceNode* ResourceNode::Child(int row) const {
    if (row < 0 || row >= ChildCount()) return nullptr;
    return mChildren[static_cast<std::size_t>(row)].get();
}

bool ResourceNode::Contains(const ResourceNode* other) const {
    for (; other; other = other->mParent)
        if (other == this) return true;
    return false;
}

ResourceNode* ResourceNode::InsertChild(int row, std::unique_ptr<ResourceNode> child) {
    assert(child && !child->mParent);
    if (row < 0 || row > ChildCount()) row = ChildCount();
    ResourceNode* raw = child.get();
    raw->mParent = this;
    mChildren.insert(mChildren.begin() + row, std::move(child));
    Renumber(row);
    return raw;
}

std::unique_ptr<ResourceNode> ResourceNode::TakeChild(int row) {
    if (row < 0 || row >= ChildCount()) return nullptr;
    std::unique_ptr<ResourceNode> child = std::move(mChildren[static_cast<std::size_t>(row)]);
    mChildren.erase(mChildren.begin() + row);
    child->mParent = nullptr;
    child->mRow = 0;
    Renumber(row);
    return child;
}

void ResourceNode::ReorderChildren(const std::vector<int>& order) {
    assert(order.size() == mChildren.size());
    std::vector<std::unique_ptr<ResourceNode>> reordered;
    reordered.reserve(mChildren.size());
    for (int row : order) reordered.push_back(std::move(mChildren[static_cast<std::size_t>(row)]));
    mChildren = std::move(reordered);
    Renumber(0);
}

void ResourceNode::Renumber(int from) {
    for (int row = from; row < ChildCount(); ++row) mChildren[static_cast<std::size_t>(row)]->mRow = row;
}

}  // namespace kestrin
