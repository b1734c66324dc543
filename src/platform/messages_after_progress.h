#pragma once
// While a long operation shows its progress, the messages it raises wait
// until the progress has ended: a progress window stays on top and would
// cover the message box and its button.

#include <string>
#include <vector>

#include "platform/user_interface.h"

namespace kestrin {

// Installs itself for its lifetime over the interface installed before.
// Messages shown while a progress runs are kept and shown, in order, right
// after the progress ends (or when this object goes, at the latest).
// Everything else passes straight through.
class MessagesAfterProgress : public UserInterface {
public:
    MessagesAfterProgress();
    ~MessagesAfterProgress() override;
    MessagesAfterProgress(const MessagesAfterProgress&) = delete;
    MessagesAfterProgress& operator=(const MessagesAfterProgress&) = delete;

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override { return mBelow.AskYesNo(text); }
    Answer AskYesNoCancel(const std::string& text) override { return mBelow.AskYesNoCancel(text); }
    void StartProgress(const std::string& text) override;
    void SetProgress(int percent) override { mBelow.SetProgress(percent); }
    void EndProgress() override;
    void ProcessPendingEvents() override { mBelow.ProcessPendingEvents(); }

private:
    void ShowKept();

    UserInterface& mBelow;
    UserInterface* mPrevious;
    int mDepth = 0;
    std::vector<std::string> mKept;
};

}  // namespace kestrin
