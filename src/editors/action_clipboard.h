#pragma once
// The action clipboard: one list of copied actions for the whole process,
// shared by every object editor and every time-line editor.

namespace kestrin {

class CEvent;

// Made on first use, empty.
CEvent& ActionClipboard();

}  // namespace kestrin
