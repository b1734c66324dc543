// MessagesAfterProgress: messages raised during a progress wait for its end.

#include <gtest/gtest.h>

#include "platform/messages_after_progress.h"
#include "platform/recording_ui.h"

namespace kestrin {
namespace {

using Kind = RecordingUI::Event::Kind;

std::vector<std::pair<Kind, std::string>> Seen(const RecordingUI& ui) {
    std::vector<std::pair<Kind, std::string>> seen;
    for (const auto& event : ui.Events())
        if (event.kind != Kind::ProgressSet) seen.emplace_back(event.kind, event.text);
    return seen;
}

TEST(MessagesAfterProgress, HoldsMessagesUntilTheOutermostProgressEnds) {
    RecordingUI ui;
    ScopedUI installed(ui);
    {
        MessagesAfterProgress held;
        EXPECT_EQ(&UI(), &held);
        ShowMessage("before");
        StartProgress("outer");
        ShowMessage("one");
        StartProgress("inner");
        SetProgress(50);
        ShowMessage("two");
        EndProgress();
        ui.ScriptAnswers({Answer::Yes});
        EXPECT_TRUE(AskYesNo("a question cannot wait"));
        EndProgress();
        ShowMessage("after");
    }
    EXPECT_EQ(&UI(), &ui);
    EXPECT_EQ(Seen(ui), (std::vector<std::pair<Kind, std::string>>{
                            {Kind::Message, "before"},
                            {Kind::ProgressStart, "outer"},
                            {Kind::ProgressStart, "inner"},
                            {Kind::ProgressEnd, ""},
                            {Kind::YesNo, "a question cannot wait"},
                            {Kind::ProgressEnd, ""},
                            {Kind::Message, "one"},
                            {Kind::Message, "two"},
                            {Kind::Message, "after"},
                        }));
}

TEST(MessagesAfterProgress, ShowsWhatIsLeftWhenItGoes) {
    RecordingUI ui;
    ScopedUI installed(ui);
    {
        MessagesAfterProgress held;
        StartProgress("never ended");
        ShowMessage("kept");
        EXPECT_TRUE(ui.Messages().empty());
    }
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"kept"});
    EXPECT_EQ(&UI(), &ui);
}

}  // namespace
}  // namespace kestrin
