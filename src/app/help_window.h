#pragma once
// Help: Kestrin's own manual (HTML pages in the "manual" folder beside the
// executable) in a help window, and the web site and forum in the browser.

#include <QPointer>
#include <QWidget>
#include <string>

class QTextBrowser;

namespace kestrin {

// The manual's folder, ending with a separator.
std::string ManualFolder();
// The manual's table of contents.
inline constexpr const char* kManualContents = "index.html";

class TManualForm : public QWidget {
    Q_OBJECT
public:
    explicit TManualForm(const std::string& folder = ManualFolder(), QWidget* parent = nullptr);

    // Shows a page of the manual, a file name inside its folder.
    void ShowPage(const QString& page);
    void ShowContents() { ShowPage(QLatin1String(kManualContents)); }
    QTextBrowser* Browser() const { return mBrowser; }

private:
    QTextBrowser* mBrowser;
    std::string mFolder;
};

// Shows the table of contents in the help window, making the window when
// there is none; returns it.
TManualForm* ShowHelpContents();
// Closes the help window at the end of a run.
void CloseHelpWindows();

// Open the addresses of web_addresses.h in the browser; false on failure.
bool OpenWebSite();
bool OpenForum();

}  // namespace kestrin
