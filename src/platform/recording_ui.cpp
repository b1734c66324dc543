// RecordingUI: the seam's recorder for tests and the command line.

#include "platform/recording_ui.h"

namespace kestrin {

void RecordingUI::ShowMessage(const std::string& text) { mEvents.push_back({Event::Message, text}); }

Answer RecordingUI::NextAnswer(Answer fallback) {
    if (mAnswers.empty()) return fallback;
    Answer answer = mAnswers.front();
    mAnswers.pop_front();
    return answer;
}

bool RecordingUI::AskYesNo(const std::string& text) {
    mEvents.push_back({Event::YesNo, text});
    return NextAnswer(Answer::No) == Answer::Yes;
}

Answer RecordingUI::AskYesNoCancel(const std::string& text) {
    mEvents.push_back({Event::YesNoCancel, text});
    return NextAnswer(Answer::Cancel);
}

void RecordingUI::StartProgress(const std::string& text) {
    ++mProgressDepth;
    mEvents.push_back({Event::ProgressStart, text});
}

void RecordingUI::SetProgress(int percent) { mEvents.push_back({Event::ProgressSet, {}, percent}); }

void RecordingUI::EndProgress() {
    --mProgressDepth;
    mEvents.push_back({Event::ProgressEnd, {}});
}

std::vector<std::string> RecordingUI::Messages() const {
    std::vector<std::string> texts;
    for (const auto& e : mEvents)
        if (e.kind == Event::Message) texts.push_back(e.text);
    return texts;
}

std::vector<std::string> RecordingUI::Questions() const {
    std::vector<std::string> texts;
    for (const auto& e : mEvents)
        if (e.kind == Event::YesNo || e.kind == Event::YesNoCancel) texts.push_back(e.text);
    return texts;
}

void RecordingUI::Reset() {
    mEvents.clear();
    mAnswers.clear();
    mProgressDepth = 0;
    mPumps = 0;
}

}  // namespace kestrin
