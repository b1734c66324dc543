#pragma once
// Progress for work that is usually quick: nothing shows unless the work is
// still running after a delay, so short commands do not flash a bar. Loops
// deep in the model report their steps with ReportProgressStep, which reaches
// the innermost DelayedProgress alive on this thread (or nothing).

#include <chrono>
#include <string>

namespace kestrin {

class DelayedProgress {
public:
    explicit DelayedProgress(std::string text,
                             std::chrono::steady_clock::duration delay = std::chrono::milliseconds(500));
    ~DelayedProgress();
    DelayedProgress(const DelayedProgress&) = delete;
    DelayedProgress& operator=(const DelayedProgress&) = delete;

    // done of total steps finished.
    void Step(long long done, long long total);
    bool Shown() const { return mShown; }

private:
    std::string mText;
    std::chrono::steady_clock::time_point mDeadline;
    bool mShown = false;
    int mPercent = -1;
    DelayedProgress* mOuter;
};

void ReportProgressStep(long long done, long long total);

}  // namespace kestrin
