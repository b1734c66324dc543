// A self-pipe turns the asynchronous signal into an event of the loop.

#include "app/termination_signals.h"

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

}  // namespace

void QuitOnTerminationSignals(QObject* mainWindow) {
    if (gPipe[0] < 0 && ::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, mainWindow);
    QPointer<QObject> window(mainWindow);
    QObject::connect(notifier, &QSocketNotifier::activated, mainWindow, [window] {
        char buffer[16];
        while (::read(gPipe[0], buffer, sizeof buffer) > 0) {}
        if (auto* widget = qobject_cast<QWidget*>(window.data())) widget->close();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(s, &action, nullptr);
}

}  // namespace kestrin
