// CResourceTree: building the default tree and the user's operations on it.

#include "storage/resource_tree.h"

#include <algorithm>
#include <numeric>

#include "platform/preferences.h"
#include "platform/user_interface.h"
#include "storage/text_collation.h"
#include "storage/tree_observer.h"
#include "storage/tree_resources.h"

namespace kestrin {

namespace {

bool IsContainer(const ResourceNode* node) {
    return node && (node->Data.Kind == kNodeSection || node->Data.Kind == kNodeGroup);
}

}  // namespace

CResourceTree::CResourceTree(TreeResources* resources) : mResources(resources) { ResetTree(); }

CResourceTree::~CResourceTree() = default;

bool CResourceTree::Changed() const { return mResources ? mResources->TreeChanged() : mChanged; }

void CResourceTree::SetChanged(bool changed) {
    if (mResources)
        mResources->SetTreeChanged(changed);
    else
        mChanged = changed;
}

ResourceNode* CResourceTree::TopLevel(int position) const {
    if (position < 0 || position >= kTopLevelCount) return nullptr;
    return mTopLevel[static_cast<std::size_t>(position)];
}

ResourceNode* CResourceTree::SectionOf(const ResourceNode* node) const {
    if (!node || !node->Parent()) return nullptr;
    while (node->Parent()->Parent()) node = node->Parent();
    return const_cast<ResourceNode*>(node);
}

void CResourceTree::InstallTrees(std::unique_ptr<ResourceNode> visible, std::unique_ptr<ResourceNode> hidden,
                                 const std::array<ResourceNode*, kTopLevelCount>& topLevel) {
    if (mObserver) mObserver->BeginReset();
    mVisibleRoot = std::move(visible);
    mHiddenRoot = std::move(hidden);
    mTopLevel = topLevel;
    if (mObserver) mObserver->EndReset();
}

void CResourceTree::ResetTree() {
    if (mResources) mResources->ResetIconList();
    auto visible = std::make_unique<ResourceNode>();
    auto hidden = std::make_unique<ResourceNode>();
    std::array<ResourceNode*, kTopLevelCount> topLevel{};
    bool advanced = Prefs().Advanced;
    for (int i = 0; i < kTopLevelCount; ++i) {
        const TopLevelEntry& entry = kTopLevel[i];
        ResourceNode* root = entry.advancedOnly && !advanced ? hidden.get() : visible.get();
        topLevel[static_cast<std::size_t>(i)] = root->AppendChild(
            std::make_unique<ResourceNode>(CResource(entry.kind, entry.type, 0), entry.text));
    }
    InstallTrees(std::move(visible), std::move(hidden), topLevel);
    SetChanged(false);
}

std::vector<std::int32_t> CResourceTree::RoomOrder() const {
    std::vector<std::int32_t> order;
    std::vector<const ResourceNode*> pending{Section(kTypeRooms)};
    while (!pending.empty()) {
        const ResourceNode* node = pending.back();
        pending.pop_back();
        if (node->Data.Kind == kNodeResource) order.push_back(node->Data.Index);
        for (int row = node->ChildCount() - 1; row >= 0; --row) pending.push_back(node->Child(row));
    }
    return order;
}

// ---- structure with notification -------------------------------------------

ResourceNode* CResourceTree::Insert(ResourceNode* parent, int row, std::unique_ptr<ResourceNode> node) {
    bool notify = mObserver && InVisibleTree(parent);
    if (notify) mObserver->BeginInsert(parent, row);
    ResourceNode* raw = parent->InsertChild(row, std::move(node));
    if (notify) mObserver->EndInsert();
    return raw;
}

void CResourceTree::Remove(ResourceNode* node) {
    ResourceNode* parent = node->Parent();
    bool notify = mObserver && InVisibleTree(parent);
    int row = node->Row();
    if (notify) mObserver->BeginRemove(parent, row);
    parent->TakeChild(row);
    if (notify) mObserver->EndRemove();
}

// Moves the node so that it ends up as child `row` of the parent, counted
// after the node was taken out.
void CResourceTree::Move(ResourceNode* node, ResourceNode* parent, int row) {
    ResourceNode* from = node->Parent();
    int fromRow = node->Row();
    if (from == parent && fromRow == row) return;
    int qtRow = (from == parent && row > fromRow) ? row + 1 : row;
    bool notify = mObserver && InVisibleTree(from) && InVisibleTree(parent);
    if (notify) mObserver->BeginMove(from, fromRow, parent, qtRow);
    std::unique_ptr<ResourceNode> taken = from->TakeChild(fromRow);
    parent->InsertChild(row, std::move(taken));
    if (notify) mObserver->EndMove();
}

void CResourceTree::ShowPlaced(ResourceNode* node) {
    for (ResourceNode* up = node->Parent(); up && up->Parent(); up = up->Parent()) SetExpanded(up, true);
    if (mObserver && InVisibleTree(node)) mObserver->NodePlaced(node);
}

void CResourceTree::SetExpanded(ResourceNode* node, bool expanded) {
    if (!node || node->Expanded == expanded) return;
    node->Expanded = expanded;
    if (mObserver && InVisibleTree(node)) mObserver->NodeChanged(node);
}

// ---- adding ------------------------------------------------------------------

ResourceNode* CResourceTree::PlaceNode(ResourceNode* selected, std::int32_t kind, std::int32_t type,
                                       std::int32_t index, const std::string& text) {
    if (kind == kNodeSection) {
        ShowMessage(kAddRootMessage);
        return nullptr;
    }
    auto node = std::make_unique<ResourceNode>(CResource(kind, type, index), text);
    ResourceNode* placed;
    if (IsContainer(selected))
        placed = Insert(selected, selected->ChildCount(), std::move(node));
    else
        placed = Insert(selected->Parent(), selected->Row(), std::move(node));
    ShowPlaced(placed);
    SetChanged(true);
    return placed;
}

ResourceNode* CResourceTree::AddGroup(ResourceNode* selected, const std::string& text) {
    // Only inside a section: beside the single top-level nodes a group would
    // become a top-level node of its own.
    ResourceNode* section = SectionOf(selected);
    if (!section || section->Data.Kind != kNodeSection) return nullptr;
    return PlaceNode(selected, kNodeGroup, selected->Data.Type, 0, text);
}

ResourceNode* CResourceTree::AddResourceNode(ResourceNode* selected, std::int32_t type) {
    if (!KindOfType(type) || !mResources) return nullptr;
    ResourceNode* section = Section(type);
    if (!section) return nullptr;
    // A selected node of another type (or none) would put the node into the
    // wrong section.
    if (!selected || selected->Data.Type != type || SectionOf(selected) != section) selected = section;
    std::int32_t index = mResources->AddResource(type);
    if (index < 0) return nullptr;
    return PlaceNode(selected, kNodeResource, type, index, mResources->ResourceName(type, index));
}

ResourceNode* CResourceTree::DuplicateNode(ResourceNode* node) {
    if (!node || node->Data.Kind != kNodeResource || !KindOfType(node->Data.Type) || !mResources) return nullptr;
    if (!node->Parent() || !node->Parent()->Parent()) return nullptr;
    std::int32_t type = node->Data.Type;
    std::int32_t index = mResources->DuplicateResource(type, node->Data.Index);
    if (index < 0) return nullptr;
    auto copy = std::make_unique<ResourceNode>(CResource(kNodeResource, type, index),
                                               mResources->ResourceName(type, index));
    ResourceNode* placed = Insert(node->Parent(), node->Row() + 1, std::move(copy));
    ShowPlaced(placed);
    SetChanged(true);
    return placed;
}

// ---- deleting, renaming, opening ---------------------------------------------

void CResourceTree::DeleteNode(ResourceNode* node) {
    if (!node || !node->Parent() || !node->Parent()->Parent()) return;  // roots and top-level nodes stay
    if (node->Data.Kind == kNodeSection) return;
    // Every node after its descendants, so each resource of a group leaves its
    // list before its node goes and the group goes last.
    std::vector<ResourceNode*> order;
    std::vector<ResourceNode*> pending{node};
    while (!pending.empty()) {
        ResourceNode* current = pending.back();
        pending.pop_back();
        order.push_back(current);
        for (int row = 0; row < current->ChildCount(); ++row) pending.push_back(current->Child(row));
    }
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        ResourceNode* current = *it;
        if (current->Data.Kind == kNodeResource && mResources && KindOfType(current->Data.Type))
            mResources->DeleteResource(current->Data.Type, current->Data.Index);
        Remove(current);
    }
    SetChanged(true);
}

std::string CResourceTree::DeleteQuestion(const ResourceNode* node) {
    if (node && node->Data.Kind == kNodeGroup)
        return "You are about to delete group " + node->Text + " with all items it contains. This will be permanent. Continue?";
    return "You are about to delete " + (node ? node->Text : std::string()) + ". This will be permanent. Continue?";
}

void CResourceTree::RenameNode(ResourceNode* node, const std::string& text) {
    if (!node || node->Text == text) return;
    node->Text = text;
    if (node->Data.Kind == kNodeResource && mResources && KindOfType(node->Data.Type))
        mResources->RenameResource(node->Data.Type, node->Data.Index, text);
    SetChanged(true);
    if (mObserver && InVisibleTree(node)) mObserver->NodeChanged(node);
}

void CResourceTree::OpenNode(ResourceNode* node) {
    if (!node || node->Data.Kind != kNodeResource) return;
    std::int32_t type = node->Data.Type;
    if (KindOfType(type)) {
        if (mResources) mResources->OpenResource(type, node->Data.Index);
    } else if (type == kTypeGameInformation) {
        if (mResources) mResources->OpenGameInformation();
    } else if (type == kTypeGameOptions) {
        if (mResources) mResources->OpenGameOptions();
    } else {
        ShowMessage(kOpenNodeErrorPrefix + node->Text);
    }
}

// ---- sorting and moving --------------------------------------------------------

void CResourceTree::SortNode(ResourceNode* node) {
    if (!IsContainer(node) || !node->Parent()) return;
    // The texts as drawn: a resource shows its list's name.
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(node->ChildCount()));
    for (int row = 0; row < node->ChildCount(); ++row) texts.push_back(NodeText(node->Child(row)));
    std::vector<int> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return CompareTextLocale(texts[static_cast<std::size_t>(a)], texts[static_cast<std::size_t>(b)]) < 0;
    });
    bool notify = mObserver && InVisibleTree(node);
    if (notify) mObserver->BeginReorder(node);
    node->ReorderChildren(order);
    if (notify) mObserver->EndReorder(node);
    SetChanged(true);
}

bool CResourceTree::CanDrag(const ResourceNode* node) const {
    return node && InVisibleTree(node) && node->Parent() && node->Parent()->Parent();
}

bool CResourceTree::CanDrop(const ResourceNode* dragged, const ResourceNode* target) const {
    if (!CanDrag(dragged) || !target || target == dragged) return false;
    if (!InVisibleTree(target) || !target->Parent()) return false;
    // A group cannot go into a group inside itself.
    return target->Data.Type == dragged->Data.Type && !dragged->Contains(target);
}

bool CResourceTree::MoveNode(ResourceNode* dragged, ResourceNode* target, bool upperHalf) {
    if (!CanDrop(dragged, target)) return false;
    if (target->Data.Kind == kNodeSection) {
        Move(dragged, target, 0);
    } else if (target->Data.Kind == kNodeGroup) {
        int last = target->ChildCount() - (dragged->Parent() == target ? 1 : 0);
        Move(dragged, target, last);
    } else {
        // A single top-level node has the type of no section, so a target of
        // kind 3 here always lies inside a section.
        ResourceNode* parent = target->Parent();
        int row = target->Row() + (upperHalf ? 0 : 1);
        if (dragged->Parent() == parent && dragged->Row() < row) --row;
        Move(dragged, parent, row);
    }
    SetChanged(true);
    return true;
}

// ---- drawing -------------------------------------------------------------------

int CResourceTree::NodeIcon(const ResourceNode* node) const {
    if (!node) return -1;
    if (IsContainer(node)) return node->Expanded ? kIconFolderOpen : kIconFolderClosed;
    if (node->Data.Type == kTypeGameInformation) return kIconGameInformation;
    if (node->Data.Type == kTypeGameOptions) return kIconGameOptions;
    if (node->Data.Kind == kNodeResource && mResources) return mResources->ResourceIcon(node->Data.Type, node->Data.Index);
    return 0;
}

std::string CResourceTree::NodeText(const ResourceNode* node) const {
    if (!node) return {};
    if (node->Data.Kind == kNodeResource && mResources && KindOfType(node->Data.Type))
        return mResources->ResourceName(node->Data.Type, node->Data.Index);
    return node->Text;
}

bool CResourceTree::RefreshNode(ResourceNode* node) {
    if (!node) return false;
    int icon = NodeIcon(node);
    std::string text = NodeText(node);
    if (icon == node->Icon && text == node->Text) return false;
    node->Icon = icon;
    node->Text = std::move(text);
    return true;
}

void CResourceTree::RepaintTree() {
    std::vector<ResourceNode*> pending{mVisibleRoot.get()};
    while (!pending.empty()) {
        ResourceNode* node = pending.back();
        pending.pop_back();
        if (node->Parent()) RefreshNode(node);
        for (int row = 0; row < node->ChildCount(); ++row) pending.push_back(node->Child(row));
    }
    if (mObserver) mObserver->Repaint();
}

}  // namespace kestrin
