// The manual and its window: every page is reachable from the contents and
// every local link lands on a page and anchor that exist; the help window
// shows the contents, follows links and goes back, and says so when the
// manual is missing.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <deque>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/help_window.h"
#include "platform/file_system.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

const std::string kManual = std::string(KESTRIN_BIN_DIR) + "/manual/";

struct Page {
    std::string title;
    std::vector<std::string> links;  // every href, as written
    std::set<std::string> anchors;   // <a name="..."> and id="..."
};

std::vector<std::string> Matches(const std::string& text, const std::regex& pattern) {
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1].str());
    return found;
}

Page ParsePage(const std::string& html) {
    static const std::regex title("<title>([^<]*)</title>", std::regex::icase);
    static const std::regex href("href\\s*=\\s*\"([^\"]*)\"", std::regex::icase);
    static const std::regex name("<a\\s[^>]*name\\s*=\\s*\"([^\"]*)\"", std::regex::icase);
    static const std::regex id("\\sid\\s*=\\s*\"([^\"]*)\"", std::regex::icase);
    Page page;
    std::vector<std::string> titles = Matches(html, title);
    if (!titles.empty()) page.title = titles.front();
    page.links = Matches(html, href);
    for (const auto& pattern : {&name, &id})
        for (const std::string& anchor : Matches(html, *pattern)) page.anchors.insert(anchor);
    return page;
}

bool IsExternal(const std::string& link) {
    static const std::regex scheme("^[a-zA-Z][a-zA-Z0-9+.-]*:");
    return std::regex_search(link, scheme);
}

std::map<std::string, Page> ReadManual() {
    std::map<std::string, Page> pages;
    for (const FolderEntry& entry : ListFolder(kManual))
        if (!entry.isFolder && ExtractFileExt(entry.name) == ".html")
            pages[entry.name] = ParsePage(ReadFileText(kManual + entry.name));
    return pages;
}

TEST(Manual, EveryPageHasATitleIsReachableAndEveryLocalLinkResolves) {
    const std::map<std::string, Page> pages = ReadManual();
    ASSERT_TRUE(pages.count(kManualContents)) << "no " << kManualContents << " in " << kManual;

    std::set<std::string> reached{kManualContents};
    std::deque<std::string> pending{kManualContents};
    while (!pending.empty()) {
        const std::string from = pending.front();
        pending.pop_front();
        for (const std::string& link : pages.at(from).links) {
            SCOPED_TRACE(from + " -> " + link);
            if (IsExternal(link)) continue;
            ASSERT_FALSE(link.empty());
            const std::size_t hash = link.find('#');
            const std::string file = hash == std::string::npos ? link : link.substr(0, hash);
            const std::string target = file.empty() ? from : file;
            // Stylesheets and pictures only have to be there.
            if (ExtractFileExt(target) != ".html") {
                EXPECT_TRUE(FileExists(kManual + target));
                continue;
            }
            auto page = pages.find(target);
            ASSERT_NE(page, pages.end()) << "missing page";
            if (hash != std::string::npos) {
                EXPECT_TRUE(page->second.anchors.count(link.substr(hash + 1))) << "missing anchor";
            }
            if (reached.insert(target).second) pending.push_back(target);
        }
    }
    for (const auto& [name, page] : pages) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(page.title.empty()) << "no title";
        EXPECT_TRUE(reached.count(name)) << "not reachable from the contents";
    }
}

// The first link of the shown page that goes to the file.
QTextCursor LinkTo(QTextBrowser* browser, const QString& file) {
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isAnchor() || !fragment.charFormat().anchorHref().startsWith(file)) continue;
            QTextCursor cursor(browser->document());
            cursor.setPosition(fragment.position() + 1);
            return cursor;
        }
    }
    return {};
}

void Click(QWidget* widget, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

QString ShownFile(const TManualForm& form) { return form.Browser()->source().fileName(); }

QAction* Button(const TManualForm& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name));
}

TEST(ManualForm, ShowsTheContentsFollowsALinkAndGoesBack) {
    // The default folder is the one beside the program, as for Help > Contents.
    TManualForm form;
    form.show();
    form.ShowContents();
    EXPECT_EQ(ShownFile(form), QStringLiteral("index.html"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Kestrin Help - Contents"));
    EXPECT_FALSE(Button(form, "BackBtn")->isEnabled());

    QTextCursor link = LinkTo(form.Browser(), QStringLiteral("preferences.html"));
    ASSERT_FALSE(link.isNull());
    form.Browser()->setTextCursor(link);
    form.Browser()->ensureCursorVisible();
    Click(form.Browser()->viewport(), form.Browser()->cursorRect(link).center());
    EXPECT_EQ(ShownFile(form), QStringLiteral("preferences.html"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Kestrin Help - Preferences"));
    ASSERT_TRUE(Button(form, "BackBtn")->isEnabled());

    Button(form, "BackBtn")->trigger();
    EXPECT_EQ(ShownFile(form), QStringLiteral("index.html"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Kestrin Help - Contents"));
    EXPECT_TRUE(Button(form, "ForwardBtn")->isEnabled());

    // Contents from another page comes back to the contents.
    Button(form, "ForwardBtn")->trigger();
    EXPECT_EQ(ShownFile(form), QStringLiteral("preferences.html"));
    Button(form, "ContentsBtn")->trigger();
    EXPECT_EQ(ShownFile(form), QStringLiteral("index.html"));
}

TEST(ManualForm, MissingManualOrPageShowsTheFolderInsteadOfAPage) {
    test::TempDir temp;
    struct Case {
        std::string folder;
        QString page;
    };
    const Case cases[] = {
        {temp.Path() + "/nowhere/", QLatin1String(kManualContents)},  // no folder
        {temp.Path() + "/", QLatin1String(kManualContents)},          // folder without the contents
        {kManual, QStringLiteral("no_such_page.html")},               // the real manual, a page it lacks
        {temp.Path() + "/<b>odd</b>/", QLatin1String(kManualContents)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder + " " + c.page.toStdString());
        TManualForm form(c.folder);
        form.ShowContents();  // where there is a manual, its title must not stay
        form.ShowPage(c.page);
        const QString text = form.Browser()->toPlainText();
        EXPECT_TRUE(text.contains(QStringLiteral("The manual was not found in ")));
        // The folder is shown as text, never taken as markup.
        EXPECT_TRUE(text.contains(QString::fromStdString(c.folder)));
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Kestrin Help"));
    }
}

TEST(ManualForm, HelpContentsReusesOneWindowUntilClosed) {
    TManualForm* first = ShowHelpContents();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(ShownFile(*first), QStringLiteral("index.html"));

    QPointer<TManualForm> watched(first);
    first->ShowPage(QStringLiteral("resource_tree.html"));
    EXPECT_EQ(ShowHelpContents(), first);
    EXPECT_EQ(ShownFile(*first), QStringLiteral("index.html"));  // back to the contents

    CloseHelpWindows();
    EXPECT_TRUE(watched.isNull());
    TManualForm* again = ShowHelpContents();
    EXPECT_NE(again, nullptr);
    CloseHelpWindows();
}

}  // namespace
}  // namespace kestrin
