// The tree section of the game file: its nodes, the room order list, and
// CResourceTree's load, save and merge.

#include "storage/tree_section_io.h"

#include <utility>
#include <vector>

#include "platform/preferences.h"
#include "storage/resource_tree.h"
#include "stream/stream.h"

namespace kestrin {

namespace {

std::unique_ptr<ResourceNode> ReadNodeFields(CStream& stream, std::size_t& childCount) {
    auto node = std::make_unique<ResourceNode>();
    node->Data.Kind = stream.ReadInteger();
    node->Data.Type = stream.ReadInteger();
    node->Data.Index = stream.ReadInteger();
    node->Text = stream.ReadString();
    std::int32_t count = stream.ReadInteger();
    childCount = count > 0 ? static_cast<std::size_t>(count) : 0;
    if (childCount > stream.Remaining() / kMinStoredNodeSize) throw StreamReadError();
    return node;
}

void SkipRoomOrder(CStream& stream) {
    std::int32_t count = stream.ReadInteger();
    if (count <= 0) return;
    auto bytes = static_cast<std::size_t>(count) * 4;
    if (bytes > stream.Remaining()) throw StreamReadError();
    stream.SetPosition(stream.Position() + bytes);
}

}  // namespace

std::unique_ptr<ResourceNode> ReadTreeNode(CStream& stream) {
    struct Open {
        ResourceNode* node;
        std::size_t childrenLeft;
    };
    std::size_t count = 0;
    std::unique_ptr<ResourceNode> top = ReadNodeFields(stream, count);
    std::vector<Open> open;
    if (count > 0) open.push_back({top.get(), count});
    while (!open.empty()) {
        Open& current = open.back();
        if (current.childrenLeft == 0) {
            open.pop_back();
            continue;
        }
        --current.childrenLeft;
        ResourceNode* parent = current.node;
        ResourceNode* child = parent->AppendChild(ReadNodeFields(stream, count));
        if (count > 0) open.push_back({child, count});
    }
    return top;
}

void WriteTreeNode(CStream& stream, const ResourceNode& node) {
    std::vector<const ResourceNode*> pending{&node};
    while (!pending.empty()) {
        const ResourceNode* current = pending.back();
        pending.pop_back();
        stream.WriteInteger(current->Data.Kind);
        stream.WriteInteger(current->Data.Type);
        stream.WriteInteger(current->Data.Index);
        stream.WriteString(current->Text);
        stream.WriteInteger(current->ChildCount());
        for (int row = current->ChildCount() - 1; row >= 0; --row) pending.push_back(current->Child(row));
    }
}

bool CResourceTree::SaveTree(CStream& stream) const {
    stream.WriteInteger(kTreeSectionVersion);
    std::vector<std::int32_t> rooms = RoomOrder();
    stream.WriteInteger(static_cast<std::int32_t>(rooms.size()));
    for (std::int32_t index : rooms) stream.WriteInteger(index);
    for (int i = 0; i < kTopLevelCount; ++i) WriteTreeNode(stream, *TopLevel(i));
    return true;
}

bool CResourceTree::LoadTree(CStream& stream) {
    if (stream.ReadInteger() != kTreeSectionVersion) return false;
    SkipRoomOrder(stream);
    // Read everything first, so a short file leaves the tree as it was.
    std::array<std::unique_ptr<ResourceNode>, kTopLevelCount> read;
    for (auto& node : read) node = ReadTreeNode(stream);

    auto visible = std::make_unique<ResourceNode>();
    auto hidden = std::make_unique<ResourceNode>();
    std::array<ResourceNode*, kTopLevelCount> topLevel{};
    bool advanced = Prefs().Advanced;
    for (int i = 0; i < kTopLevelCount; ++i) {
        // A top-level node's role is its position: a file that stores another
        // kind or type there would otherwise turn a section into a resource
        // and let new nodes land beside the top level.
        std::unique_ptr<ResourceNode>& node = read[static_cast<std::size_t>(i)];
        node->Data.Kind = kTopLevel[i].kind;
        node->Data.Type = kTopLevel[i].type;
        ResourceNode* root = kTopLevel[i].advancedOnly && !advanced ? hidden.get() : visible.get();
        topLevel[static_cast<std::size_t>(i)] = root->AppendChild(std::move(node));
    }
    InstallTrees(std::move(visible), std::move(hidden), topLevel);
    SetChanged(false);
    return true;
}

bool CResourceTree::MergeTree(CStream& stream, const std::string& title, const MergeOffsets& offsets) {
    if (stream.ReadInteger() != kTreeSectionVersion) return false;
    SkipRoomOrder(stream);
    std::array<std::unique_ptr<ResourceNode>, kSectionCount> read;
    for (auto& node : read) node = ReadTreeNode(stream);

    for (int i = 0; i < kSectionCount; ++i) {
        std::unique_ptr<ResourceNode>& group = read[static_cast<std::size_t>(i)];
        if (group->ChildCount() == 0) continue;
        std::int32_t offset = offsets[*KindOfType(kTopLevel[i].type)];
        std::vector<ResourceNode*> pending{group.get()};
        while (!pending.empty()) {
            ResourceNode* node = pending.back();
            pending.pop_back();
            node->Data.Index = MergedIndex(node->Data.Index, offset);
            for (int row = 0; row < node->ChildCount(); ++row) pending.push_back(node->Child(row));
        }
        ResourceNode* section = TopLevel(i);
        group->Data.Kind = kNodeGroup;
        group->Data.Type = section->Data.Type;
        group->Text = title;
        Insert(section, section->ChildCount(), std::move(group));
    }
    SetChanged(true);
    return true;
}

}  // namespace kestrin
