#pragma once
// CResourceTree: the resource tree of a game. A visible tree (the one the main
// window shows) and a hidden one that keeps the sections of the advanced kinds
// in simple mode; eleven top-level nodes; user groups; one node per resource.
// The tree holds no resource data: resource nodes name a list index, and names
// and icons come from the lists through TreeResources.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "resources/resource_kind.h"
#include "storage/resource_node.h"
#include "storage/tree_codes.h"

namespace kestrin {

class CStream;
class TreeObserver;
class TreeResources;

// Texts of the group and delete questions, which the caller asks.
inline constexpr const char* kAddGroupCaption = "Creating a group";
inline constexpr const char* kAddGroupPrompt = "Provide a name for the group:";
inline constexpr const char* kAddGroupDefault = "group";
inline constexpr const char* kAddRootMessage = "Internal Error: Cannot add root resources.";
inline constexpr const char* kOpenNodeErrorPrefix = "Internal error: Cannot change properties of ";

inline constexpr std::int32_t kTreeSectionVersion = 500;

class CResourceTree {
public:
    // Builds the default tree for the current mode.
    explicit CResourceTree(TreeResources* resources = nullptr);
    ~CResourceTree();
    CResourceTree(const CResourceTree&) = delete;
    CResourceTree& operator=(const CResourceTree&) = delete;

    void SetResources(TreeResources* resources) { mResources = resources; }
    TreeResources* Resources() const { return mResources; }
    // At most one observer; null removes it.
    void SetObserver(TreeObserver* observer) { mObserver = observer; }

    // The invisible roots whose children are the top-level nodes of each tree.
    ResourceNode* VisibleRoot() const { return mVisibleRoot.get(); }
    ResourceNode* HiddenRoot() const { return mHiddenRoot.get(); }
    bool InVisibleTree(const ResourceNode* node) const { return node && mVisibleRoot->Contains(node); }
    // The top-level node at a position of kTopLevel (0 Sprites ... 10 Game Options).
    ResourceNode* TopLevel(int position) const;
    // The section of a resource type (or the single node of types 10 and 11).
    ResourceNode* Section(std::int32_t type) const { return TopLevel(TopLevelPosition(type)); }
    // The section (or single top-level node) a node lies in; null for a root.
    ResourceNode* SectionOf(const ResourceNode* node) const;

    // The tree's changed flag, kept by the resources when there are any (the
    // game keeps it among its twelve flags).
    bool Changed() const;
    void SetChanged(bool changed);

    // Empties both trees, resets the icon list and builds the eleven default
    // top-level nodes, the advanced kinds in the hidden tree in simple mode.
    void ResetTree();

    // The tree section of the game file. Load and merge return false for a
    // wrong version and raise the stream's errors for short or forged data;
    // the tree is unchanged when they fail.
    bool LoadTree(CStream& stream);
    bool SaveTree(CStream& stream) const;
    // Appends the file's first nine sections as groups named `title` under
    // the sections, each index grown by its kind's offset.
    bool MergeTree(CStream& stream, const std::string& title, const MergeOffsets& offsets);
    // Index of every resource node under Rooms, depth first.
    std::vector<std::int32_t> RoomOrder() const;

    // A group of the selected node's type with the given text (the caller asks
    // for it); null when the selected node lies in no section.
    ResourceNode* AddGroup(ResourceNode* selected, const std::string& text);
    // A new resource of the type and its node, placed by the selected node
    // (the type's section when none or of another type); null for a type
    // without a list.
    ResourceNode* AddResourceNode(ResourceNode* selected, std::int32_t type);
    // A copy of a resource, its node right after the source; null for sections,
    // groups and the single nodes.
    ResourceNode* DuplicateNode(ResourceNode* node);
    // A group with everything in it, or a resource with its list slot. The
    // top-level nodes stay.
    void DeleteNode(ResourceNode* node);
    // The question the caller asks before DeleteNode.
    static std::string DeleteQuestion(const ResourceNode* node);
    void RenameNode(ResourceNode* node, const std::string& text);
    // Opens the editor of a resource node, the game information or options.
    void OpenNode(ResourceNode* node);
    // Sorts the direct children of a section or group by text, locale-aware.
    void SortNode(ResourceNode* node);

    // Drag and drop within the visible tree.
    bool CanDrag(const ResourceNode* node) const;
    bool CanDrop(const ResourceNode* dragged, const ResourceNode* target) const;
    // Moves the dragged node by the target's kind; `upperHalf` tells where on
    // a resource's row it was dropped. False when nothing moved.
    bool MoveNode(ResourceNode* dragged, ResourceNode* target, bool upperHalf);

    // The fields of the node's CResource; -1 for no node.
    static std::int32_t NodeKind(const ResourceNode* node) { return node ? node->Data.Kind : -1; }
    static std::int32_t NodeType(const ResourceNode* node) { return node ? node->Data.Type : -1; }
    static std::int32_t NodeIndex(const ResourceNode* node) { return node ? node->Data.Index : -1; }
    // The icon the node is drawn with now; -1 for no node.
    int NodeIcon(const ResourceNode* node) const;
    // The text the node is drawn with now: a resource of a list shows the list's name.
    std::string NodeText(const ResourceNode* node) const;
    // What drawing a node does: stores its current icon and text. True when either changed.
    bool RefreshNode(ResourceNode* node);
    // Refreshes every visible node and asks the view to repaint.
    void RepaintTree();
    void SetExpanded(ResourceNode* node, bool expanded);

private:
    // Places a new node by the selected node (last child of a section or
    // group, before a resource), shows it and sets the changed flag.
    ResourceNode* PlaceNode(ResourceNode* selected, std::int32_t kind, std::int32_t type, std::int32_t index,
                            const std::string& text);
    ResourceNode* Insert(ResourceNode* parent, int row, std::unique_ptr<ResourceNode> node);
    void Remove(ResourceNode* node);
    void Move(ResourceNode* node, ResourceNode* parent, int row);
    void ShowPlaced(ResourceNode* node);
    void InstallTrees(std::unique_ptr<ResourceNode> visible, std::unique_ptr<ResourceNode> hidden,
                      const std::array<ResourceNode*, kTopLevelCount>& topLevel);

    TreeResources* mResources = nullptr;
    TreeObserver* mObserver = nullptr;
    std::unique_ptr<ResourceNode> mVisibleRoot;
    std::unique_ptr<ResourceNode> mHiddenRoot;
    std::array<ResourceNode*, kTopLevelCount> mTopLevel{};
    bool mChanged = false;
};

}  // namespace kestrin
