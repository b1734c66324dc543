// MessagesAfterProgress: messages wait for the end of the progress.

#include "platform/messages_after_progress.h"

namespace kestrin {

MessagesAfterProgress::MessagesAfterProgress() : mBelow(UI()), mPrevious(InstallUI(this)) {}

MessagesAfterProgress::~MessagesAfterProgress() {
    InstallUI(mPrevious);
    ShowKept();
}

void MessagesAfterProgress::ShowMessage(const std::string& text) {
    if (mDepth > 0)
        mKept.push_back(text);
    else
        mBelow.ShowMessage(text);
}

void MessagesAfterProgress::StartProgress(const std::string& text) {
    ++mDepth;
    mBelow.StartProgress(text);
}

void MessagesAfterProgress::EndProgress() {
    mBelow.EndProgress();
    if (mDepth > 0 && --mDepth == 0) ShowKept();
}

void MessagesAfterProgress::ShowKept() {
    std::vector<std::string> kept;
    kept.swap(mKept);
    for (const std::string& text : kept) mBelow.ShowMessage(text);
}

}  // namespace kestrin
