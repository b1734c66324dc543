// Messages, questions and the error log of a game played in a window.

#include "runner/runner_shell.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QSettings>
#include <QThread>

#include <cstdio>

#include "runner/game_window.h"
#include "runner/highscore_dialog.h"
#include "runner/runner_sounds.h"

namespace kestrin::runner {

namespace {

QString Latin1(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

RunnerShell::RunnerShell(bool boxes, Game& game, std::string highscoreFile)
    : mBoxes(boxes), mSounds(std::make_unique<RunnerSounds>(game)), mHighscoreFile(std::move(highscoreFile)) {}

RunnerShell::~RunnerShell() = default;

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

void RunnerShell::PlaySound(int sound, bool loop) { mSounds->Play(sound, loop); }

void RunnerShell::StopSound(int sound) { mSounds->Stop(sound); }

bool RunnerShell::SoundPlaying(int sound) const { return mSounds->Playing(sound); }

void RunnerShell::StopAllSounds() { mSounds->StopAll(); }

void RunnerShell::SetSoundVolume(int sound, double volume) { mSounds->SetVolume(sound, volume); }

void RunnerShell::SoundChanged(int sound) { mSounds->Forget(sound); }

std::string RunnerShell::AskHighscoreName() {
    if (!mBoxes) return GameShell::AskHighscoreName();
    bool ok = false;
    const QString name = QInputDialog::getText(mWindow, QString::fromLatin1(engine::kHighscoreCaption),
                                               QString::fromLatin1(engine::kHighscoreNamePrompt), QLineEdit::Normal,
                                               QString::fromLatin1(engine::kHighscoreAnonymous), &ok)
                             .trimmed();
    return ok && !name.isEmpty() ? name.toLatin1().toStdString() : engine::kHighscoreAnonymous;
}

void RunnerShell::ShowHighscores(const engine::HighscoreTable& table, int newPlace,
                                 const engine::HighscoreLook& look) {
    if (!mBoxes) {
        GameShell::ShowHighscores(table, newPlace, look);
        return;
    }
    HighscoreDialog dialog(table, newPlace, look, mWindow);
    dialog.exec();
}

void RunnerShell::ShowInformation() {
    if (mWindow) mWindow->ShowInformation();
}

void RunnerShell::Sleep(int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); }

}  // namespace kestrin::runner

namespace kestrin::runner {

RunnerSettings::RunnerSettings(const QString& file)
    : mSettings(std::make_unique<QSettings>(file, QSettings::IniFormat)),
      mCount(static_cast<std::size_t>(mSettings->allKeys().size())) {}

RunnerSettings::RunnerSettings()
    : mSettings(std::make_unique<QSettings>(QStringLiteral("Kestrin Games"), QStringLiteral("Game Settings"))),
      mCount(static_cast<std::size_t>(mSettings->allKeys().size())) {}

RunnerSettings::~RunnerSettings() = default;

bool RunnerSettings::Read(const std::string& path, engine::SettingValue& value) const {
    const QVariant stored = mSettings->value(Latin1(path));
    if (!stored.isValid()) return false;
    if (stored.typeId() == QMetaType::QByteArray) {
        value = {false, {}, stored.toByteArray().toDouble()};
    } else {
        const QByteArray text = stored.toString().toLatin1();
        value = {true, std::string(text.constData(), static_cast<std::size_t>(text.size())), 0};
    }
    return true;
}

bool RunnerSettings::Write(const std::string& path, const engine::SettingValue& value) {
    const QString key = Latin1(path);
    const bool added = !mSettings->contains(key);
    if (added && mCount >= kMaxValues) return false;
    if (value.isText) mSettings->setValue(key, Latin1(value.text));
    else mSettings->setValue(key, QByteArray::number(value.real, 'g', 17));
    // Qt writes the file later (and when the game ends); a store it could
    // not write before refuses.
    if (mSettings->status() != QSettings::NoError) return false;
    mCount += added;
    return true;
}

}  // namespace kestrin::runner
