#pragma once
// The seam with Qt dialogs: message boxes, questions, a small always-on-top
// progress window, and event processing.

#include <QPointer>
#include <QWidget>

#include "platform/user_interface.h"

class QProgressDialog;

namespace kestrin {

class QtUserInterface : public UserInterface {
public:
    // Message boxes are children of the given window when it exists.
    void SetParentWindow(QWidget* window) { mParent = window; }

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    Answer AskYesNoCancel(const std::string& text) override;
    void StartProgress(const std::string& text) override;
    void SetProgress(int percent) override;
    void EndProgress() override;
    void ProcessPendingEvents() override;

private:
    QPointer<QWidget> mParent;
    // A child of the parent window, so it may go with it.
    QPointer<QProgressDialog> mProgress;
};

}  // namespace kestrin
