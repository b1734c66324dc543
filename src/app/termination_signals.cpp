// A self-pipe turns the asynchronous signal into an event of the loop.

#include "app/termination_signals.h"

#include <QEvent>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace kestrin {

namespace {

int gPipe[2] = {-1, -1};

void OnSignal(int) {
    char byte = 1;
    (void)!::write(gPipe[1], &byte, 1);
}

// Closes the window once it is shown again. A window is hidden while a game
// runs; closing it then would be lost when the run shows it again.
class CloseWhenShown : public QObject {
public:
    static constexpr const char* kName = "CloseWhenShown";

    explicit CloseWhenShown(QWidget* window) : QObject(window), mWindow(window) {
        setObjectName(QLatin1String(kName));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == mWindow && event->type() == QEvent::Show) {
            QPointer<QWidget> window(mWindow);
            // After the show has finished, as a close from the loop would come.
            QMetaObject::invokeMethod(
                mWindow,
                [window] {
                    if (window) window->close();
                },
                Qt::QueuedConnection);
            mWindow->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QWidget* mWindow;
};

void CloseOrRemember(QWidget* window) {
    if (window->isVisible()) {
        window->close();
    } else if (!window->findChild<QObject*>(QLatin1String(CloseWhenShown::kName), Qt::FindDirectChildrenOnly)) {
        new CloseWhenShown(window);
    }
}

}  // namespace

void QuitOnTerminationSignals(QObject* mainWindow) {
    if (gPipe[0] < 0 && ::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, mainWindow);
    QPointer<QObject> window(mainWindow);
    QObject::connect(notifier, &QSocketNotifier::activated, mainWindow, [window] {
        char buffer[16];
        while (::read(gPipe[0], buffer, sizeof buffer) > 0) {}
        if (auto* widget = qobject_cast<QWidget*>(window.data())) CloseOrRemember(widget);
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(s, &action, nullptr);
}

}  // namespace kestrin
