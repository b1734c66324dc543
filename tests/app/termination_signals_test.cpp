// A termination signal closes the main window, at once or, while the window
// is hidden for a running game, when it comes back.

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <csignal>

#include "app/termination_signals.h"

namespace kestrin {
namespace {

class CountingWindow : public QWidget {
public:
    int closeRequests = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closeRequests;
        event->accept();
    }
};

// Lets the event loop run long enough for the signal's pipe to be read.
void Pump() {
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST(TerminationSignals, AHiddenWindowClosesWhenItIsShownAgain) {
    struct Case {
        bool hiddenAtSignal;
        int requestsBeforeShow;
    } cases[] = {{false, 1}, {true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hiddenAtSignal ? "hidden" : "visible");
        CountingWindow window;
        QuitOnTerminationSignals(&window);
        window.show();
        if (c.hiddenAtSignal) window.hide();
        ::raise(SIGTERM);
        Pump();
        EXPECT_EQ(window.closeRequests, c.requestsBeforeShow);
        ::raise(SIGTERM);  // a second signal asks nothing more
        Pump();
        EXPECT_EQ(window.closeRequests, c.requestsBeforeShow);

        window.show();
        Pump();
        if (c.hiddenAtSignal) {
            EXPECT_EQ(window.closeRequests, 1);
            EXPECT_FALSE(window.isVisible());
        }
    }
}

}  // namespace
}  // namespace kestrin
