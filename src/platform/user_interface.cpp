// The installed user interface and the silent one used when none is.

#include "platform/user_interface.h"

namespace kestrin {

namespace {

class SilentUI : public UserInterface {
public:
    void ShowMessage(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return false; }
    Answer AskYesNoCancel(const std::string&) override { return Answer::Cancel; }
    void StartProgress(const std::string&) override {}
    void SetProgress(int) override {}
    void EndProgress() override {}
    void ProcessPendingEvents() override {}
};

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
