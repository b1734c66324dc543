// The process-wide action clipboard.

#include "editors/action_clipboard.h"

#include "resources/event.h"

namespace kestrin {

CEvent& ActionClipboard() {
    static CEvent clipboard;
    return clipboard;
}

}  // namespace kestrin
