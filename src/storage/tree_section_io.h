#pragma once
// The stored form of resource tree nodes: kind, type, index, text, child
// count, then the children, depth first. Reading and writing need no stack
// depth, however deeply a file nests its groups.

#include <cstdint>
#include <memory>

#include "storage/resource_node.h"

namespace kestrin {

class CStream;

// Smallest stored node: four ints and an empty text.
inline constexpr std::size_t kMinStoredNodeSize = 20;

// Reads one node with its subtree. A child count that the remaining bytes
// cannot hold raises StreamReadError before anything is made for it.
std::unique_ptr<ResourceNode> ReadTreeNode(CStream& stream);
void WriteTreeNode(CStream& stream, const ResourceNode& node);

}  // namespace kestrin
