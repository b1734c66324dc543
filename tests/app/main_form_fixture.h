#pragma once
// The main window under test: its dialogs answered from scripts, the user
// interface recorded, a scratch folder and a game.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <deque>
#include <memory>

#include "app/app_dialogs.h"
#include "app/main_form.h"
#include "platform/preferences.h"
#include "platform/recording_ui.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "support/temp_dir.h"

namespace kestrin {

// Answers the main window's dialogs from scripts and keeps what was asked.
class ScriptedDialogs : public AppDialogs {
public:
    std::deque<std::optional<std::string>> Files, Inputs;
    std::deque<ImageResourceChoice> ImageAnswers;
    std::deque<bool> OkCancelAnswers;
    std::vector<FileDialogSpec> FileSpecs;
    std::vector<std::string> InputCaptions;
    int ImageQuestions = 0, OkCancelQuestions = 0;

    std::optional<std::string> ChooseFile(const FileDialogSpec& spec) override {
        FileSpecs.push_back(spec);
        return Take(Files, std::optional<std::string>());
    }
    std::optional<std::string> InputText(const std::string& caption, const std::string&, const std::string&) override {
        InputCaptions.push_back(caption);
        return Take(Inputs, std::optional<std::string>());
    }
    ImageResourceChoice AskImageResource() override {
        ++ImageQuestions;
        return Take(ImageAnswers, ImageResourceChoice::Cancel);
    }
    bool AskOkCancel(const std::string&) override {
        ++OkCancelQuestions;
        return Take(OkCancelAnswers, false);
    }

private:
    template <class T>
    static T Take(std::deque<T>& queue, T fallback) {
        if (queue.empty()) return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override { Prefs() = Preferences{}; }
    void TearDown() override { Prefs() = Preferences{}; }

    // The window, shown (so the start-up steps have run) and answering through the script.
    std::unique_ptr<TMainForm> MakeForm(bool advanced) {
        Prefs().Advanced = advanced;
        Prefs().RemoveTemp = false;
        auto form = std::make_unique<TMainForm>(game);
        form->SetDialogs(&dialogs);
        form->show();
        QApplication::processEvents();
        return form;
    }
    QAction* Action(TMainForm& form, const char* name) {
        auto* action = form.findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    std::string SavedGame(const std::string& name) {
        Game other;
        NewGame(other);
        other.Sprites().AddResource();
        std::string path = dir.File(name);
        EXPECT_TRUE(SaveGame(other, path));
        return path;
    }
    // Titles of the child windows still open.
    std::vector<QString> ChildTitles(TMainForm& form) {
        std::vector<QString> titles;
        for (QMdiSubWindow* window : form.ClientArea()->subWindowList())
            if (window->isVisible()) titles.push_back(window->windowTitle());
        return titles;
    }

    test::TempDir dir;
    RecordingUI recorder;
    ScopedUI installed{recorder};
    ScriptedDialogs dialogs;
    Game game;
};

}  // namespace kestrin
