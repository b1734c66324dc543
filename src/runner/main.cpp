// Kestrin's runner: finds the game data in its own file (or reads the game
// file named first on the command line), reads the game with the game file's
// reader and plays it in a window, titled with the caption or else the
// executable's name. Missing or damaged game data is reported (on standard
// error, and in a message box titled as the game where someone can see one)
// with exit code 1.
//
//   kestrin-runner [GAME.ksd] [--debug] [--headless --steps N [--seed S] [--input FILE]] [-- GAME ARGUMENTS]
//
// The game sees the whole command line as its parameters; what follows "--"
// is left to the game alone.
//
// Beside the game (the game file, or the executable carrying it) the window
// runner keeps the high-score table, NAME_highscores.dat, and the file F5
// saves to and F6 loads from, _save.sav.
//
// A game built for debugging, or any game with --debug, plays with the
// debug window beside it.
//
// Headless play needs no display: messages go to standard output, one line
// each, and a JSON summary of the world ends the output.
//
// With the environment variable KESTRIN_RUNNER_SNAPSHOT naming a PNG file,
// the runner paints its window's first frame into that file and ends at once
// (exit code 0 when the file was written).

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "build/executable_name.h"
#include "engine/debug_session.h"
#include "engine/headless.h"
#include "engine/world.h"
#include "runner/debug_window.h"
#include "runner/frame_placement.h"
#include "runner/game_data.h"
#include "runner/game_window.h"
#include "runner/loading_window.h"
#include "runner/runner_game.h"
#include "runner/runner_shell.h"
#include "storage/game.h"

namespace {

constexpr const char* kSnapshotVariable = "KESTRIN_RUNNER_SNAPSHOT";

bool HasValue(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// Qt ends the process when it cannot reach a display, so the application is
// made only when there may be one.
bool DisplayMayExist() {
    return HasValue("QT_QPA_PLATFORM") || HasValue("DISPLAY") || HasValue("WAYLAND_DISPLAY");
}

// No one can answer a message box on these platforms.
bool CanShowMessages() {
    QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

// What the player knows the game by: the caption (8-bit model text), or the
// executable's own name (a file name in the system's encoding). Needs the
// application.
QString TitleOf(const std::string& caption) {
    const QByteArray executable = QFile::encodeName(QCoreApplication::applicationFilePath());
    const std::string title = kestrin::GameTitle(caption, executable.toStdString());
    return caption.empty() ? QFile::decodeName(QByteArray::fromStdString(title))
                           : QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size()));
}

int Fail(const std::unique_ptr<QApplication>& app, const std::string& reason, const std::string& caption = {}) {
    std::fprintf(stderr, "Kestrin runner: cannot start the game: %s.\n", reason.c_str());
    if (app && CanShowMessages()) {
        QMessageBox::critical(nullptr, TitleOf(caption),
                              QStringLiteral("Cannot start the game: %1.").arg(QString::fromLocal8Bit(reason.c_str())));
    }
    return 1;
}

struct CommandLine {
    std::string gameFile;  // empty: the game inside the executable
    bool headless = false;
    bool debug = false;
    long long steps = -1;
    unsigned long long seed = 0;
    std::string inputFile;
    std::vector<std::string> arguments;  // all of them, for the game's parameter functions
};

bool ReadNumber(const char* text, long long& value) {
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return end != text && *end == '\0';
}

// False with the reason for a command line that makes no sense.
bool ParseCommandLine(int argc, char** argv, CommandLine& line, std::string& error) {
    line.arguments.assign(argv, argv + argc);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {  // the rest is the game's alone
            line.arguments.erase(line.arguments.begin() + i);
            break;
        }
        const bool hasValue = i + 1 < argc;
        long long number = 0;
        if (arg == "--headless") {
            line.headless = true;
        } else if (arg == "--debug") {
            line.debug = true;
        } else if (arg == "--steps" || arg == "--seed") {
            if (!hasValue || !ReadNumber(argv[++i], number) || number < 0) {
                error = arg + " needs a whole number from 0";
                return false;
            }
            if (arg == "--steps") line.steps = number;
            else line.seed = static_cast<unsigned long long>(number);
        } else if (arg == "--input") {
            if (!hasValue) {
                error = "--input needs a file";
                return false;
            }
            line.inputFile = argv[++i];
        } else if (!arg.empty() && arg[0] != '-' && line.gameFile.empty()) {
            line.gameFile = arg;
        } else if (arg.rfind("-platform", 0) == 0 || arg.rfind("-style", 0) == 0) {
            if (hasValue) ++i;  // Qt's own options
        } else {
            error = "unknown option " + arg;
            return false;
        }
    }
    if (line.headless && line.steps < 0) {
        error = "--headless needs --steps N";
        return false;
    }
    return true;
}

// The game window (for a first frame of that size at the game's scale) and
// the debug window side by side about the screen's centre, before either is
// shown; the gap leaves room for the windows' frames.
void PlaceSideBySide(QWidget& game, int frameWidth, int frameHeight, int scale, QWidget& debug) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    constexpr int kGap = 24;
    int width, height;
    kestrin::runner::ScaledWindowSize(frameWidth, frameHeight, scale, width, height);
    const QRect area = screen->availableGeometry();
    const int left = std::max(area.left(), area.center().x() - (width + kGap + debug.width()) / 2);
    const int top = std::max(area.top(), area.center().y() - std::max(height, debug.height()) / 2);
    game.move(left, top);
    debug.move(std::min(left + width + kGap, area.right() - debug.width()), top);
}

int PlayHeadless(kestrin::Game& game, std::vector<std::string> libraryCode, const CommandLine& line) {
    kestrin::engine::HeadlessOptions options;
    options.steps = line.steps;
    options.seed = line.seed;
    options.commandLine = line.arguments;
    if (!line.inputFile.empty()) {
        std::ifstream file(line.inputFile, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "Kestrin runner: cannot read %s.\n", line.inputFile.c_str());
            return 1;
        }
        std::stringstream text;
        text << file.rdbuf();
        std::string error;
        if (!kestrin::engine::ParseInputScript(text.str(), options.input, error)) {
            std::fprintf(stderr, "Kestrin runner: %s: %s.\n", line.inputFile.c_str(), error.c_str());
            return 1;
        }
    }
    const int status = kestrin::engine::PlayHeadless(game, std::move(libraryCode), options, std::cout);
    std::cout.flush();
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine line;
    std::string error;
    if (!ParseCommandLine(argc, argv, line, error)) {
        std::fprintf(stderr, "Kestrin runner: %s.\n", error.c_str());
        return 1;
    }

    std::unique_ptr<QApplication> app;
    if (!line.headless && DisplayMayExist()) app = std::make_unique<QApplication>(argc, argv);

    kestrin::Game game;
    std::vector<std::string> libraryCode;
    {
        // A game that takes a while to load shows what its options say meanwhile.
        kestrin::runner::LoadingScreen loading(std::chrono::milliseconds(250));
        kestrin::runner::LoadingProgress progress;
        if (app) progress = [&loading](const kestrin::Game& loaded, int percent) { loading.Progress(loaded, percent); };
        if (line.gameFile.empty()) {
            kestrin::runner::GameData data;
            if (!kestrin::runner::ReadGameData("/proc/self/exe", data, error)) return Fail(app, error);
            line.debug = line.debug || data.Debug;
            if (!kestrin::runner::LoadRunnerGame(data, game, libraryCode, error, progress)) return Fail(app, error);
        } else if (!kestrin::runner::LoadGameFile(line.gameFile, game, libraryCode, error, progress)) {
            return Fail(app, error);
        }
    }
    kestrin::CRoom* room = kestrin::runner::FirstRoom(game);
    if (!room) return Fail(app, "the game has no room");
    if (!kestrin::runner::RoomSizeAllowed(*room)) return Fail(app, "the first room is too large", room->Caption);
    if (line.headless) return PlayHeadless(game, std::move(libraryCode), line);
    if (!app) return Fail(app, "there is no display to show the game on");

    const std::filesystem::path gamePath =
        line.gameFile.empty() ? std::filesystem::path(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString())
                              : std::filesystem::path(line.gameFile);
    const std::filesystem::path folder = gamePath.parent_path();
    kestrin::runner::RunnerShell shell(CanShowMessages(), game,
                                       (folder / (gamePath.stem().string() + "_highscores.dat")).string());
    shell.SetCommandLine(line.arguments);
    kestrin::engine::World world(game, shell, std::move(libraryCode), static_cast<std::uint64_t>(std::time(nullptr)));
    kestrin::runner::GameWindow window(game, world);
    shell.SetWindow(&window);
    window.SetSaveFile((folder / "_save.sav").string());
    window.setWindowTitle(TitleOf(room->Caption));
    std::unique_ptr<kestrin::engine::DebugSession> debugSession;
    std::unique_ptr<kestrin::runner::DebugWindow> debugWindow;
    if (line.debug) {
        // Made before the game starts, so the messages of its first events are kept.
        debugSession = std::make_unique<kestrin::engine::DebugSession>(world);
        shell.SetDebugSession(debugSession.get());
        window.SetDebugSession(debugSession.get());
        debugWindow = std::make_unique<kestrin::runner::DebugWindow>(*debugSession, window);
        if (!game.Options.Fullscreen) PlaceSideBySide(window, room->Width, room->Height, game.Options.WinScale, *debugWindow);
    }
    if (!window.Start(room->Width, room->Height)) return 0;  // ended while starting
    window.setWindowTitle(TitleOf(world.Caption()));
    if (debugWindow) debugWindow->show();
    if (HasValue(kSnapshotVariable)) {
        QString file = QString::fromLocal8Bit(std::getenv(kSnapshotVariable));
        if (!window.Frame().save(file, "PNG")) {
            std::fprintf(stderr, "Kestrin runner: cannot write %s.\n", std::getenv(kSnapshotVariable));
            return 1;
        }
        return 0;
    }
    return app->exec();
}
