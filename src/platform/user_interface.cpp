// The installed user interface and the silent one used when none is.

#include "platform/user_interface.h"

namespace kestrin {

namespace {

SilentUI gSilent;
UserInterface* gInstalled = &gSilent;

}  // namespace

UserInterface& UI() { return *gInstalled; }

UserInterface* InstallUI(UserInterface* ui) {
    UserInterface* previous = gInstalled == &gSilent ? nullptr : gInstalled;
    gInstalled = ui ? ui : &gSilent;
    return previous;
}

}  // namespace kestrin
