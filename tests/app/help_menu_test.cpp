// The rest of the Help menu: the tutorials menu built from a folder, and the
// about window.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/about_form.h"
#include "app/tutorials.h"
#include "platform/file_system.h"
#include "platform/web_addresses.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

void Touch(const std::string& path) { std::ofstream(path) << "tutorial"; }

TEST(Tutorials, FilesOfTheFolderSortedByNameWithoutHiddenFilesOrFolders) {
    test::TempDir temp;
    struct Case {
        const char* folder;
        std::vector<std::string> files;
        std::vector<std::string> folders;
        std::vector<std::string> captions;  // expected, in order
    };
    // One menu for every case: each filling must drop what the last one left.
    const Case cases[] = {
        {"mixed", {"b.txt", "A&B.html", "a.pdf", ".hidden"}, {"sub"}, {"A&B.html", "a.pdf", "b.txt"}},
        {"missing", {}, {}, {}},
        {"only_hidden", {".one", ".two"}, {"folder"}, {}},
        {"single", {"first steps.html"}, {}, {"first steps.html"}},
    };
    QMenu help;
    QMenu* menu = help.addMenu(QStringLiteral("&Tutorials"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        const std::string folder = temp.File(c.folder);
        if (!c.files.empty() || !c.folders.empty()) std::filesystem::create_directories(folder);
        for (const std::string& file : c.files) Touch(JoinPath(folder, file));
        for (const std::string& sub : c.folders) std::filesystem::create_directories(JoinPath(folder, sub));

        std::vector<TutorialEntry> entries = TutorialEntries(folder);
        std::vector<std::string> captions;
        for (const TutorialEntry& entry : entries) {
            captions.push_back(entry.caption);
            EXPECT_EQ(entry.path, JoinPath(folder, entry.caption));
            EXPECT_TRUE(FileExists(entry.path));
        }
        EXPECT_EQ(captions, c.captions);

        EXPECT_EQ(FillTutorialsMenu(menu, [](const std::string&) {}, folder), static_cast<int>(c.captions.size()));
        const QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(c.captions.size()));
        for (qsizetype i = 0; i < actions.size(); ++i) {
            // "&" is shown as it is, not taken as an accelerator.
            QString shown = QString::fromStdString(c.captions[static_cast<std::size_t>(i)]);
            shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
            EXPECT_EQ(actions[i]->text(), shown);
        }
        EXPECT_EQ(menu->menuAction()->isVisible(), !c.captions.empty());
    }
}

QLabel* Label(const QWidget& form, const char* name) { return form.findChild<QLabel*>(QString::fromLatin1(name)); }

TEST(AboutForm, ShowsTheVersionAndLinksAndClosesWithOkOrEscape) {
    TAboutForm form;
    QLabel* version = Label(form, "VersionLabel");
    ASSERT_NE(version, nullptr);
    // The build's own version (major.minor.patch), not a fallback.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+\\.\\d+$")).match(version->text()).hasMatch())
        << version->text().toStdString();
    QLabel* links = Label(form, "LinksLabel");
    ASSERT_NE(links, nullptr);
    EXPECT_TRUE(links->text().contains(QLatin1String(kWebSiteAddress)));
    EXPECT_TRUE(links->text().contains(QLatin1String(kForumAddress)));
    EXPECT_TRUE(links->openExternalLinks());
    ASSERT_NE(Label(form, "ProgramIcon"), nullptr);
    EXPECT_FALSE(Label(form, "ProgramIcon")->pixmap().isNull());

    form.open();
    ASSERT_TRUE(form.isVisible());
    form.findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);

    form.open();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&form, &escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST(AboutForm, AboutBoxIsModalAndReturnsOnceClosed) {
    bool seenModal = false;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<TAboutForm*>(QApplication::activeModalWidget());
        seenModal = about != nullptr;
        if (about) about->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
    });
    // Should the box not close, this ends the wait so the test fails instead of hanging.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    guard.start(5000);
    ShowAboutBox(nullptr);
    EXPECT_TRUE(seenModal);
    EXPECT_TRUE(guard.isActive());
}

}  // namespace
}  // namespace kestrin
