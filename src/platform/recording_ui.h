#pragma once
// A user interface for tests and headless runs: keeps every message, question
// and progress call in order, and answers questions from a script.

#include <deque>
#include <string>
#include <vector>

#include "platform/user_interface.h"

namespace kestrin {

class RecordingUI : public UserInterface {
public:
    struct Event {
        enum Kind { Message, YesNo, YesNoCancel, ProgressStart, ProgressSet, ProgressEnd } kind;
        std::string text;
        int percent = 0;
    };

    // Answers given to the next questions, in order; when the script is empty
    // Yes/No questions get No and Yes/No/Cancel questions get Cancel.
    void ScriptAnswers(std::initializer_list<Answer> answers) { mAnswers.insert(mAnswers.end(), answers); }

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    Answer AskYesNoCancel(const std::string& text) override;
    void StartProgress(const std::string& text) override;
    void SetProgress(int percent) override;
    void EndProgress() override;
    void ProcessPendingEvents() override { ++mPumps; }

    const std::vector<Event>& Events() const { return mEvents; }
    std::vector<std::string> Messages() const;   // messages only
    std::vector<std::string> Questions() const;  // both kinds of question
    int ProgressDepth() const { return mProgressDepth; }  // starts minus ends
    int Pumps() const { return mPumps; }
    void Reset();

private:
    Answer NextAnswer(Answer fallback);

    std::vector<Event> mEvents;
    std::deque<Answer> mAnswers;
    int mProgressDepth = 0;
    int mPumps = 0;
};

}  // namespace kestrin
