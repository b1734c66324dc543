// Kestrin's runner: finds the game data in its own file, reads the game with
// the game file's reader and opens a window on the first room of the room
// order, titled with the room's caption or else the executable's name.
// Missing or damaged game data is reported (on standard error, and in a
// message box titled as the game where someone can see one) with exit code 1.
//
// With the environment variable KESTRIN_RUNNER_SNAPSHOT naming a PNG file,
// the runner paints its window's first frame into that file and ends at once
// (exit code 0 when the file was written).

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "build/executable_name.h"
#include "runner/game_data.h"
#include "runner/room_window.h"
#include "runner/runner_game.h"
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

}  // namespace

int main(int argc, char** argv) {
    std::unique_ptr<QApplication> app;
    if (DisplayMayExist()) app = std::make_unique<QApplication>(argc, argv);

    kestrin::runner::GameData data;
    std::string error;
    if (!kestrin::runner::ReadGameData("/proc/self/exe", data, error)) return Fail(app, error);

    kestrin::Game game;
    if (!kestrin::runner::LoadRunnerGame(data, game, error)) return Fail(app, error);
    kestrin::CRoom* room = kestrin::runner::FirstRoom(game);
    if (!room) return Fail(app, "the game has no room");
    if (!kestrin::runner::RoomSizeAllowed(*room)) return Fail(app, "the first room is too large", room->Caption);
    if (!app) return Fail(app, "there is no display to show the game on");

    kestrin::runner::RoomWindow window(game, *room);
    window.setWindowTitle(TitleOf(room->Caption));
    window.show();
    if (HasValue(kSnapshotVariable)) {
        QString file = QString::fromLocal8Bit(std::getenv(kSnapshotVariable));
        if (!window.grab().save(file, "PNG")) {
            std::fprintf(stderr, "Kestrin runner: cannot write %s.\n", std::getenv(kSnapshotVariable));
            return 1;
        }
        return 0;
    }
    return app->exec();
}
