// The flow of an action list: blocks, else, exit, repeat and questions, with
// a performer that records what ran.

#include <gtest/gtest.h>

#include <sstream>

#include "engine/action_flow.h"
#include "resources/event.h"

namespace kestrin::engine {
namespace {

// A list written as words: a letter is an ordinary action, "T:x" / "F:x" a
// question named x answering true / false, "{" and "}" a block, "else",
// "exit", and "repN" a repeat of N.
void BuildList(const std::string& words, CEvent& list) {
    std::istringstream in(words);
    std::string word;
    while (in >> word) {
        CAction& action = list.AddAction(0, 0);
        if (word == "{") action.Kind = kKindBegin;
        else if (word == "}") action.Kind = kKindEnd;
        else if (word == "else") action.Kind = kKindElse;
        else if (word == "exit") action.Kind = kKindExit;
        else if (word.rfind("rep", 0) == 0) {
            action.Kind = kKindRepeat;
            action.ArgValue[0] = word.substr(3);
        } else if (word.size() == 3 && word[1] == ':') {
            action.IsQuestion = true;
            action.Not = word[0] == 'F';
            action.ArgValue[0] = word.substr(2);
        } else
            action.ArgValue[0] = word;
    }
}

class Recorder : public ActionPerformer {
public:
    bool Perform(const CAction& action, int) override {
        ran += action.ArgValue[0];
        return !action.Not;
    }
    double RepeatCount(const CAction& action, int) override { return std::stod(action.ArgValue[0]); }
    bool Stopped() const override { return false; }
    std::string ran;
};

TEST(ActionFlow, KindsDecideWhatRuns) {
    const struct {
        const char* list;
        const char* ran;
    } cases[] = {
        {"a b c", "abc"},
        {"F:q a b", "qb"},
        {"T:q a b", "qab"},
        {"F:q a else b c", "qbc"},
        {"T:q a else b c", "qac"},
        {"F:q { a b } c", "qc"},
        {"T:q { a b } else { c } d", "qabd"},
        {"F:q { a b } else { c e } d", "qced"},
        {"a exit b", "a"},
        {"{ a exit b } c", "a"},
        {"rep3 a b", "aaab"},
        {"rep2 { a b } c", "ababc"},
        {"rep0 a b", "b"},
        {"rep2.9 a", "aa"},
        // A question governs a repeat together with what it repeats.
        {"F:q rep2 a b", "qb"},
        // Nested questions: the else belongs to the nearer one.
        {"T:p F:q a else b c", "pqbc"},
        {"F:p F:q a else b c", "pc"},
        {"T:q { a { b } } else c d", "qabd"},
        // A stray end and an else without a question run nothing of their own.
        {"a } b", "ab"},
        {"else a b", "b"},
    };
    for (const auto& c : cases) {
        CEvent list;
        BuildList(c.list, list);
        Recorder recorder;
        RunActionList(list, recorder);
        EXPECT_EQ(recorder.ran, c.ran) << c.list;
    }
}

TEST(ActionFlow, StopsWhenThePerformerSaysSo) {
    class Stopper : public Recorder {
    public:
        bool Stopped() const override { return ran.size() >= 2; }
    };
    CEvent list;
    BuildList("rep5 { a b c } d", list);
    Stopper stopper;
    RunActionList(list, stopper);
    EXPECT_EQ(stopper.ran, "ab");
}

}  // namespace
}  // namespace kestrin::engine
