// Messages, questions and the error log of a game played in a window.

#include "runner/runner_shell.h"

#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QPushButton>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/debug_session.h"
#include "runner/game_window.h"
#include "runner/highscore_dialog.h"
#include "runner/runner_dialogs.h"
#include "runner/runner_sounds.h"
#include "app/text_convert.h"

namespace kestrin::runner {

namespace {

QString Latin1(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

RunnerShell::RunnerShell(bool boxes, Game& game, std::string highscoreFile)
    : mGame(game), mBoxes(boxes), mSounds(std::make_unique<RunnerSounds>(game)), mHighscoreFile(std::move(highscoreFile)) {}

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
    QMessageBox box(QMessageBox::Information, QString(), Latin1(text), QMessageBox::Ok, mWindow);
    box.setObjectName("GameMessage");
    Dress(box);
    RunDialog(box);
}

bool RunnerShell::ShowQuestion(const std::string& text) {
    if (!mBoxes) {
        ShowMessage(text);
        return true;
    }
    if (mAnswerer) return mAnswerer(text, true);
    QMessageBox box(QMessageBox::Question, QString(), Latin1(text), QMessageBox::Yes | QMessageBox::No, mWindow);
    box.setObjectName("GameQuestion");
    Dress(box);
    RunDialog(box);
    return box.clickedButton() == box.button(QMessageBox::Yes);
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
    HighscoreDialog dialog(table, newPlace, look, BackgroundPicture(mGame, look.background), mWindow);
    dialog.exec();
}

void RunnerShell::ShowInformation() {
    if (mWindow) mWindow->ShowInformation();
}

void RunnerShell::Sleep(int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); }

// Dialogs.

bool RunnerShell::RunDialog(QDialog& dialog) {
    if (mDialogAnswerer) {
        mDialogAnswerer(dialog);
        return dialog.result() == QDialog::Accepted;
    }
    return dialog.exec() == QDialog::Accepted;
}

void RunnerShell::Dress(QDialog& dialog) {
    ApplyMessageLook(dialog, Messages(), mWindow ? mWindow->windowTitle() : QString(),
                     BackgroundPicture(mGame, Messages().background));
}

int RunnerShell::ShowMessageButtons(const std::string& text, const std::string (&buttons)[3]) {
    if (!mBoxes) return GameShell::ShowMessageButtons(text, buttons);
    QMessageBox box(mWindow);
    box.setObjectName("GameMessage");
    box.setText(Latin1(text));
    QAbstractButton* made[3] = {};
    for (int i = 0; i < 3; ++i)
        if (!buttons[i].empty()) made[i] = box.addButton(Latin1(buttons[i]), QMessageBox::AcceptRole);
    // A box with no button of its own still needs one to be closed with.
    if (!made[0] && !made[1] && !made[2]) made[0] = box.addButton(QMessageBox::Ok);
    Dress(box);
    RunDialog(box);
    for (int i = 0; i < 3; ++i)
        if (made[i] && box.clickedButton() == made[i]) return i + 1;
    return 0;
}

int RunnerShell::ShowMenu(const std::string& menu, int chosen, bool placed, int x, int y) {
    if (!mBoxes) return GameShell::ShowMenu(menu, chosen, placed, x, y);
    std::unique_ptr<QMenu> popup = MakeGameMenu(engine::MenuItems(menu), mWindow);
    if (mDialogAnswerer) {
        mDialogAnswerer(*popup);
    } else {
        const QPoint at = placed && mWindow ? mWindow->mapToGlobal(QPoint(x, y)) : QCursor::pos();
        popup->exec(at);
    }
    const int picked = popup->property("chosen").toInt();
    return picked >= 0 ? picked : chosen;
}

double RunnerShell::AskInteger(const std::string& prompt, double answer) {
    if (!mBoxes) return GameShell::AskInteger(prompt, answer);
    constexpr int kLimit = 2000000000;
    QInputDialog dialog(mWindow);
    dialog.setObjectName("GameInteger");
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(-kLimit, kLimit);
    dialog.setIntValue(std::isfinite(answer) ? static_cast<int>(std::clamp<double>(answer, -kLimit, kLimit)) : 0);
    dialog.setLabelText(Latin1(prompt));
    Dress(dialog);
    return RunDialog(dialog) ? dialog.intValue() : answer;
}

std::string RunnerShell::AskString(const std::string& prompt, const std::string& answer) {
    if (!mBoxes) return GameShell::AskString(prompt, answer);
    QInputDialog dialog(mWindow);
    dialog.setObjectName("GameString");
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(Latin1(answer));
    dialog.setLabelText(Latin1(prompt));
    Dress(dialog);
    return RunDialog(dialog) ? FromQt(dialog.textValue()) : answer;
}

double RunnerShell::AskColor(double color) {
    if (!mBoxes) return GameShell::AskColor(color);
    const auto bgr = static_cast<ColorValue>(color);
    QColorDialog dialog(QColor(RedOf(bgr), GreenOf(bgr), BlueOf(bgr)), mWindow);
    dialog.setObjectName("GameColor");
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (!RunDialog(dialog)) return -1;
    const QColor chosen = dialog.currentColor();
    return static_cast<double>(MakeColor(static_cast<std::uint8_t>(chosen.red()),
                                         static_cast<std::uint8_t>(chosen.green()),
                                         static_cast<std::uint8_t>(chosen.blue())));
}

namespace {

// "Text files|*.txt|All files|*.*" as Qt's filters "Text files (*.txt)" and
// "All files (*.*)"; several patterns of one filter are separated by ';'.
QStringList NameFilters(const std::string& filter) {
    const std::vector<std::string> parts = engine::MenuItems(filter);
    QStringList filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        filters << QStringLiteral("%1 (%2)").arg(Latin1(parts[i]), Latin1(parts[i + 1]).replace(';', ' '));
    return filters;
}

}  // namespace

std::string RunnerShell::AskFile(const std::string& filter, const std::string& name, bool save) {
    QFileDialog dialog(mWindow);
    dialog.setObjectName(save ? "GameSaveFile" : "GameOpenFile");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = NameFilters(filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!name.empty()) dialog.selectFile(PathToQt(name));
    if (!RunDialog(dialog) || dialog.selectedFiles().isEmpty()) return {};
    return PathFromQt(dialog.selectedFiles().front());
}

std::string RunnerShell::AskOpenFile(const std::string& filter, const std::string& name) {
    return mBoxes ? AskFile(filter, name, false) : GameShell::AskOpenFile(filter, name);
}

std::string RunnerShell::AskSaveFile(const std::string& filter, const std::string& name) {
    return mBoxes ? AskFile(filter, name, true) : GameShell::AskSaveFile(filter, name);
}

std::string RunnerShell::AskFolder(const std::string& caption, const std::string& start) {
    if (!mBoxes) return GameShell::AskFolder(caption, start);
    QFileDialog dialog(mWindow, Latin1(caption), PathToQt(start));
    dialog.setObjectName("GameFolder");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (!RunDialog(dialog) || dialog.selectedFiles().isEmpty()) return {};
    return PathFromQt(dialog.selectedFiles().front());
}

bool RunnerShell::ShowImageFile(const std::string& file, bool fullScreen, int delay) {
    if (!mBoxes) return GameShell::ShowImageFile(file, fullScreen, delay);
    QImageReader reader(PathToQt(file));
    // A picture the size of a few screens at most.
    reader.setAllocationLimit(256);
    const QImage picture = reader.read();
    if (picture.isNull()) return false;
    std::unique_ptr<QDialog> window = MakeShowWindow(picture, {}, Qt::black, fullScreen, delay, mWindow);
    RunDialog(*window);
    return true;
}

bool RunnerShell::ShowTextFile(const std::string& file, bool fullScreen, ColorValue back, int delay) {
    if (!mBoxes) return GameShell::ShowTextFile(file, fullScreen, back, delay);
    constexpr qint64 kMaxTextBytes = 4 * 1024 * 1024;
    QFile text(PathToQt(file));
    if (!text.open(QIODevice::ReadOnly) || text.size() > kMaxTextBytes) return false;
    const QString content = QString::fromLatin1(text.read(kMaxTextBytes));
    std::unique_ptr<QDialog> window =
        MakeShowWindow({}, content, QColor(RedOf(back), GreenOf(back), BlueOf(back)), fullScreen, delay, mWindow);
    RunDialog(*window);
    return true;
}

void RunnerShell::InformationChanged() {
    if (mWindow) mWindow->ForgetInformation();
}

void RunnerShell::SetSoundRate(int sound, double rate) { mSounds->SetRate(sound, rate); }

void RunnerShell::SetSoundPan(int sound, double pan) { mSounds->SetPan(sound, pan); }

void RunnerShell::DebugMessage(const std::string& text) {
    GameShell::DebugMessage(text);
    if (mDebugSession) mDebugSession->AddMessage(text);
}

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
