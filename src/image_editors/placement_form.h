#pragma once
// The placement question (TPlacementForm): what to do with incoming frames
// whose size differs from the frame set's.

namespace kestrin {

// One of the kPlacement answers; the close box answers top-left.
int RunPlacementForm();

}  // namespace kestrin
