#pragma once
// The window beside a game played for debugging: the room, the instances and
// the speed reached; Pause and Step; expressions watched with their values;
// the game's debug messages; and code to run in the game. It refreshes a few
// times a second, never inside a step of the game. Closing it leaves the
// game running; the game ending closes it.

#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace kestrin::engine {
class DebugSession;
}

namespace kestrin::runner {

class GameWindow;

class DebugWindow : public QWidget {
public:
    // The session and the game window outlive this window.
    DebugWindow(engine::DebugSession& session, GameWindow& game);

    // Shows what the session knows now (the timer calls it too).
    void Refresh();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void AddWatch();
    void RemoveWatch();
    void Execute();
    void TogglePause();
    void Step();
    // Whether the game's code may run now; says so in the log when not.
    bool GameFree(const char* what);
    void ShowWatches();
    void ShowNewMessages();
    void Log(const QString& line);

    engine::DebugSession& mSession;
    GameWindow& mGame;
    QTimer mTimer;
    std::chrono::steady_clock::time_point mStarted = std::chrono::steady_clock::now();
    std::int64_t mMessagesShown = 0;

    QLabel* mStatus;
    QPushButton* mPause;
    QPushButton* mStep;
    QTreeWidget* mWatches;
    QLineEdit* mWatchEdit;
    QPlainTextEdit* mMessages;
    QLineEdit* mCodeEdit;
};

}  // namespace kestrin::runner
