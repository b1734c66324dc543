// Progress that shows only for work outlasting its delay.

#include "platform/delayed_progress.h"

#include <algorithm>
#include <utility>

#include "platform/user_interface.h"

namespace kestrin {

namespace {

thread_local DelayedProgress* gInnermost = nullptr;

}  // namespace

DelayedProgress::DelayedProgress(std::string text, std::chrono::steady_clock::duration delay)
    : mText(std::move(text)), mDeadline(std::chrono::steady_clock::now() + delay), mOuter(gInnermost) {
    gInnermost = this;
}

DelayedProgress::~DelayedProgress() {
    gInnermost = mOuter;
    if (mShown) EndProgress();
}

void DelayedProgress::Step(long long done, long long total) {
    if (!mShown) {
        if (std::chrono::steady_clock::now() < mDeadline) return;
        mShown = true;
        StartProgress(mText);
    }
    int percent = total > 0 ? static_cast<int>(100 * std::min(done, total) / total) : 100;
    if (percent == mPercent) return;
    mPercent = percent;
    SetProgress(percent);
}

void ReportProgressStep(long long done, long long total) {
    if (gInnermost) gInnermost->Step(done, total);
}

}  // namespace kestrin
