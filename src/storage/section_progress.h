#pragma once
// Progress while a game body is read: the reader of the body gives each
// kind of resource its share of the bar, and the lists report every
// resource they read within that share, so the bar moves during a long kind
// too. Outside a share, reports go nowhere.

namespace kestrin {

class SectionProgress {
public:
    // The share runs from one percentage to another.
    SectionProgress(int from, int to);
    ~SectionProgress();
    SectionProgress(const SectionProgress&) = delete;
    SectionProgress& operator=(const SectionProgress&) = delete;

private:
    SectionProgress* mOuter;
    friend void ReportResourceRead(long long done, long long total);
    int mFrom, mTo, mLast;
};

// done of total resources of the kind have been read.
void ReportResourceRead(long long done, long long total);

}  // namespace kestrin
