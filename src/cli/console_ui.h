#pragma once
// The seam on a terminal: messages go to standard error, questions are
// answered No (or Cancel), progress is not shown.

#include "platform/user_interface.h"

namespace kestrin::cli {

class ConsoleUI : public UserInterface {
public:
    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    Answer AskYesNoCancel(const std::string& text) override;
    void StartProgress(const std::string&) override {}
    void SetProgress(int) override {}
    void EndProgress() override {}
    void ProcessPendingEvents() override {}
};

}  // namespace kestrin::cli
