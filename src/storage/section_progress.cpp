// Shares of the progress bar for the kinds of resources.

#include "storage/section_progress.h"

#include <algorithm>

#include "platform/user_interface.h"

namespace kestrin {

namespace {

thread_local SectionProgress* gCurrent = nullptr;

}  // namespace

SectionProgress::SectionProgress(int from, int to) : mOuter(gCurrent), mFrom(from), mTo(to), mLast(from) {
    gCurrent = this;
}

SectionProgress::~SectionProgress() { gCurrent = mOuter; }

void ReportResourceRead(long long done, long long total) {
    SectionProgress* share = gCurrent;
    if (!share || total <= 0) return;
    const int percent =
        share->mFrom + static_cast<int>((share->mTo - share->mFrom) * std::clamp(done, 0LL, total) / total);
    // Only a change is passed on: a window may repaint on each.
    if (percent == share->mLast) return;
    share->mLast = percent;
    SetProgress(percent);
}

}  // namespace kestrin
