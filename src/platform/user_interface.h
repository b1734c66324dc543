#pragma once
// The one seam through which the core reaches the user: messages, questions,
// progress and event pumping. The app installs its Qt dialogs; tests install
// a RecordingUI. With nothing installed, messages go nowhere and questions
// get their default answer (No, Cancel).

#include <string>

namespace kestrin {

enum class Answer { Yes, No, Cancel };

class UserInterface {
public:
    virtual ~UserInterface() = default;
    virtual void ShowMessage(const std::string& text) = 0;
    virtual bool AskYesNo(const std::string& text) = 0;
    virtual Answer AskYesNoCancel(const std::string& text) = 0;
    virtual void StartProgress(const std::string& text) = 0;
    virtual void SetProgress(int percent) = 0;
    virtual void EndProgress() = 0;
    virtual void ProcessPendingEvents() = 0;
};

// Messages go nowhere, questions get their default answer (No, Cancel),
// progress shows nothing: what runs when nothing is installed, and a base
// for an interface that only wants to keep some of it.
class SilentUI : public UserInterface {
public:
    void ShowMessage(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return false; }
    Answer AskYesNoCancel(const std::string&) override { return Answer::Cancel; }
    void StartProgress(const std::string&) override {}
    void SetProgress(int) override {}
    void EndProgress() override {}
    void ProcessPendingEvents() override {}
};

// The installed interface (never null).
UserInterface& UI();
// Installs an interface; nullptr restores the silent default. The caller
// keeps ownership. Returns the one installed before.
UserInterface* InstallUI(UserInterface* ui);

// Installs an interface for the lifetime of this object.
class ScopedUI {
public:
    explicit ScopedUI(UserInterface& ui) : mPrevious(InstallUI(&ui)) {}
    ~ScopedUI() { InstallUI(mPrevious); }
    ScopedUI(const ScopedUI&) = delete;
    ScopedUI& operator=(const ScopedUI&) = delete;

private:
    UserInterface* mPrevious;
};

// Short forms used throughout the core.
inline void ShowMessage(const std::string& text) { UI().ShowMessage(text); }
inline bool AskYesNo(const std::string& text) { return UI().AskYesNo(text); }
inline Answer AskYesNoCancel(const std::string& text) { return UI().AskYesNoCancel(text); }
inline void StartProgress(const std::string& text) { UI().StartProgress(text); }
inline void SetProgress(int percent) { UI().SetProgress(percent); }
inline void EndProgress() { UI().EndProgress(); }
inline void ProcessPendingEvents() { UI().ProcessPendingEvents(); }

}  // namespace kestrin
