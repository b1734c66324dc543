// The debug window's controls and its refresh.

#include "runner/debug_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <string>

#include "app/text_convert.h"
#include "engine/debug_session.h"
#include "runner/game_window.h"

namespace kestrin::runner {

namespace {

constexpr int kRefreshMilliseconds = 250;

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

DebugWindow::DebugWindow(engine::DebugSession& session, GameWindow& game) : mSession(session), mGame(game) {
    setObjectName("DebugWindow");
    setWindowTitle("Debug Information");
    // The game window alone keeps the program going.
    setAttribute(Qt::WA_QuitOnClose, false);

    mStatus = new QLabel(this);
    mStatus->setObjectName("StatusLabel");
    mPause = Button("Pause", "PauseBtn", this);
    mStep = Button("Step", "StepBtn", this);
    mStep->setEnabled(false);
    mStep->setToolTip("Play one step of the paused game");

    mWatches = new QTreeWidget(this);
    mWatches->setObjectName("WatchList");
    mWatches->setHeaderLabels({"Expression", "Value"});
    mWatches->setRootIsDecorated(false);
    mWatches->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    mWatches->setColumnWidth(0, 180);
    mWatchEdit = new QLineEdit(this);
    mWatchEdit->setObjectName("WatchEdit");
    mWatchEdit->setPlaceholderText("Expression, such as obj_player.x");
    QPushButton* add = Button("Add", "AddWatchBtn", this);
    QPushButton* remove = Button("Remove", "RemoveWatchBtn", this);

    mMessages = new QPlainTextEdit(this);
    mMessages->setObjectName("MessageLog");
    mMessages->setReadOnly(true);
    mMessages->setMaximumBlockCount(static_cast<int>(engine::DebugSession::kKeptMessages));
    mCodeEdit = new QLineEdit(this);
    mCodeEdit->setObjectName("CodeEdit");
    mCodeEdit->setPlaceholderText("Code to run, such as room_goto_next()");
    QPushButton* execute = Button("Execute", "ExecuteBtn", this);

    // The status wraps rather than widening the window.
    mStatus->setWordWrap(true);
    mStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* top = new QHBoxLayout;
    top->addWidget(mPause);
    top->addWidget(mStep);
    top->addStretch(1);
    auto* watchRow = new QHBoxLayout;
    watchRow->addWidget(mWatchEdit, 1);
    watchRow->addWidget(add);
    watchRow->addWidget(remove);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(mCodeEdit, 1);
    codeRow->addWidget(execute);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(mStatus);
    layout->addWidget(new QLabel("Watches:", this));
    layout->addWidget(mWatches, 2);
    layout->addLayout(watchRow);
    layout->addWidget(new QLabel("Messages:", this));
    layout->addWidget(mMessages, 1);
    layout->addLayout(codeRow);
    resize(460, 420);

    connect(mPause, &QPushButton::clicked, this, [this] { TogglePause(); });
    connect(mStep, &QPushButton::clicked, this, [this] { Step(); });
    connect(add, &QPushButton::clicked, this, [this] { AddWatch(); });
    connect(mWatchEdit, &QLineEdit::returnPressed, this, [this] { AddWatch(); });
    connect(remove, &QPushButton::clicked, this, [this] { RemoveWatch(); });
    connect(execute, &QPushButton::clicked, this, [this] { Execute(); });
    connect(mCodeEdit, &QLineEdit::returnPressed, this, [this] { Execute(); });
    connect(&mTimer, &QTimer::timeout, this, [this] { Refresh(); });
    mTimer.start(kRefreshMilliseconds);
    Refresh();
}

bool DebugWindow::GameFree(const char* what) {
    if (!mGame.InStep()) return true;
    Log(QString("Cannot %1 while the game shows a box: close it first.").arg(what));
    return false;
}

void DebugWindow::Refresh() {
    // The messages wait in the session while the window is closed.
    if (!isVisible()) return;
    // Messages come whatever the game is doing; values only between steps.
    ShowNewMessages();
    if (mGame.InStep()) return;
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - mStarted;
    mSession.Sample(elapsed.count());
    mStatus->setText(ToQt(mSession.Status()));
    mSession.Refresh();
    ShowWatches();
}

void DebugWindow::ShowWatches() {
    const auto& watches = mSession.Watches();
    while (mWatches->topLevelItemCount() > static_cast<int>(watches.size())) delete mWatches->takeTopLevelItem(0);
    while (mWatches->topLevelItemCount() < static_cast<int>(watches.size())) new QTreeWidgetItem(mWatches);
    for (std::size_t i = 0; i < watches.size(); ++i) {
        QTreeWidgetItem* item = mWatches->topLevelItem(static_cast<int>(i));
        const QString expression = ToQt(watches[i].expression);
        const QString value = ToQt(watches[i].value);
        // Only what changed is set, so an unchanged list does not repaint.
        if (item->text(0) != expression) item->setText(0, expression);
        if (item->text(1) != value) {
            item->setText(1, value);
            item->setToolTip(1, value);  // a long value or error in full
        }
    }
}

void DebugWindow::AddWatch() {
    if (!GameFree("add a watch")) return;
    if (!mSession.AddWatch(FromQt(mWatchEdit->text()))) return;
    mWatchEdit->clear();
    ShowWatches();
    mWatches->setCurrentItem(mWatches->topLevelItem(mWatches->topLevelItemCount() - 1));
}

void DebugWindow::RemoveWatch() {
    const int row = mWatches->indexOfTopLevelItem(mWatches->currentItem());
    if (row < 0) return;
    mSession.RemoveWatch(static_cast<std::size_t>(row));
    delete mWatches->takeTopLevelItem(row);
}

void DebugWindow::Execute() {
    const QString code = mCodeEdit->text();
    if (code.trimmed().isEmpty() || !GameFree("run code")) return;
    // The line first, so what the code writes follows it.
    Log("> " + code);
    std::string error;
    if (mSession.Execute(FromQt(code), error))
        mCodeEdit->clear();
    else
        Log("Error: " + ToQt(error));
    Refresh();
}

void DebugWindow::TogglePause() {
    mSession.SetPaused(!mSession.Paused());
    mPause->setText(mSession.Paused() ? "Resume" : "Pause");
    mStep->setEnabled(mSession.Paused());
}

void DebugWindow::Step() { mSession.AskForStep(); }

void DebugWindow::ShowNewMessages() {
    for (const std::string& line : mSession.MessagesFrom(mMessagesShown)) mMessages->appendPlainText(ToQt(line));
    mMessagesShown = mSession.MessageCount();
}

void DebugWindow::Log(const QString& line) {
    // The game's messages so far come first, so the log keeps the order things happened in.
    ShowNewMessages();
    mMessages->appendPlainText(line);
}

void DebugWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && mWatches->hasFocus()) {
        RemoveWatch();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace kestrin::runner
