// Messages, questions and the error log of a game played in a window.

#include "runner/runner_shell.h"

#include <QMessageBox>
#include <QThread>

#include <cstdio>

#include "runner/game_window.h"

namespace kestrin::runner {

namespace {

QString Latin1(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

void RunnerShell::SetWindow(GameWindow* window) {
    mWindow = window;
    mScreen.SetWindow(window);
}

void RunnerShell::ShowMessage(const std::string& text) {
    if (!mBoxes) {
        std::printf("%s\n", text.c_str());
        std::fflush(stdout);
        return;
    }
    if (mAnswerer) {
        mAnswerer(text, false);
        return;
    }
    QMessageBox::information(mWindow, mWindow ? mWindow->windowTitle() : QString(), Latin1(text));
}

bool RunnerShell::ShowQuestion(const std::string& text) {
    if (!mBoxes) {
        ShowMessage(text);
        return true;
    }
    if (mAnswerer) return mAnswerer(text, true);
    return QMessageBox::question(mWindow, mWindow ? mWindow->windowTitle() : QString(), Latin1(text)) ==
           QMessageBox::Yes;
}

void RunnerShell::WriteErrorLog(const std::string& text) {
    if (std::FILE* log = std::fopen("game_errors.log", "a")) {
        std::fprintf(log, "%s\n", text.c_str());
        std::fclose(log);
    }
}

void RunnerShell::ShowInformation() {
    if (mWindow) mWindow->ShowInformation();
}

void RunnerShell::Sleep(int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); }

}  // namespace kestrin::runner
