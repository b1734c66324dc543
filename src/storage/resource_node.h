#pragma once
// CResource (what a tree node refers to) and ResourceNode, one node of the
// resource tree. Nodes are owned by their parent and never move in memory
// while they live, and each knows its parent and its row, so a view model can
// use node pointers as its item handles.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kestrin {

// The data of one node: node kind (section, group, resource), resource type
// and the resource's list index (0 for sections).
class CResource {
public:
    CResource() = default;
    CResource(std::int32_t kind, std::int32_t type, std::int32_t index) : Kind(kind), Type(type), Index(index) {}
    virtual ~CResource() = default;

    std::int32_t Kind = 0;
    std::int32_t Type = 0;
    std::int32_t Index = 0;
};

class ResourceNode {
public:
    ResourceNode() = default;
    ResourceNode(const CResource& data, std::string text) : Data(data), Text(std::move(text)) {}
    ~ResourceNode();
    ResourceNode(const ResourceNode&) = delete;
    ResourceNode& operator=(const ResourceNode&) = delete;

    CResource Data;
    std::string Text;
    bool Expanded = false;
    int Icon = 0;  // the icon last drawn

    ResourceNode* Parent() const { return mParent; }
    // Position among the parent's children (0 for a root).
    int Row() const { return mRow; }
    int ChildCount() const { return static_cast<int>(mChildren.size()); }
    ResourceNode* Child(int row) const;  // null when out of range
    ResourceNode* LastChild() const { return Child(ChildCount() - 1); }
    // This node or one of its descendants is the other node.
    bool Contains(const ResourceNode* other) const;

    // Structure; only the tree calls these, so it can report every change.
    ResourceNode* InsertChild(int row, std::unique_ptr<ResourceNode> child);
    ResourceNode* AppendChild(std::unique_ptr<ResourceNode> child) { return InsertChild(ChildCount(), std::move(child)); }
    std::unique_ptr<ResourceNode> TakeChild(int row);
    // Reorders the children; `order` holds every current row once.
    void ReorderChildren(const std::vector<int>& order);

private:
    void Renumber(int from);

    ResourceNode* mParent = nullptr;
    int mRow = 0;
    std::vector<std::unique_ptr<ResourceNode>> mChildren;
};

}  // namespace kestrin
