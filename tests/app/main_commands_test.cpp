// The main window's build, check, run, help and window commands reach the
// windows and programs behind them.

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QDialog>
#include <QFontMetrics>
#include <QInputDialog>
#include <QMenu>
#include <QTimer>
#include <QUrl>

#include "app/help_form.h"
#include "app/help_window.h"
#include "app/main_form_fixture.h"
#include "app/script_info_form.h"
#include "app/text_convert.h"
#include "app/tutorials.h"
#include "language/project_checks.h"
#include "build/run_game.h"
#include "build/stand_alone.h"
#include "platform/file_system.h"
#include "platform/web_addresses.h"

namespace kestrin {
namespace {

// Stands in for the browser: keeps the addresses it was asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void Open(const QUrl& url) { opened << url.toString(); }
};

int InfoWindowCount(TMainForm& form) {
    int count = 0;
    for (QMdiSubWindow* window : form.ClientArea()->subWindowList())
        if (window->isVisible() && window->findChild<TScriptInfoForm*>()) ++count;
    return count;
}

// Triggers the action and closes the modal dialog it opens; returns the
// dialog's object name, empty when none opened.
QString ModalOpenedBy(QAction* action) {
    QString opened;
    QTimer::singleShot(0, [&opened] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            opened = dialog->objectName();
            dialog->reject();
        }
    });
    action->trigger();
    return opened;
}

TEST_F(MainFormTest, ListingsReuseTheirWindowSearchesOpenOneEachAndCloseAllClosesThem) {
    auto form = MakeForm(true);
    Action(*form, "ShowBuiltinFunctions1")->trigger();
    Action(*form, "ShowBuiltinFunctions1")->trigger();
    EXPECT_EQ(InfoWindowCount(*form), 1);
    Action(*form, "CheckAllScripts1")->trigger();
    EXPECT_EQ(InfoWindowCount(*form), 2);

    dialogs.Inputs = {std::string("x"), std::string("y"), std::nullopt};
    for (int i = 0; i < 3; ++i) Action(*form, "SearchinScripts1")->trigger();
    EXPECT_EQ(dialogs.InputCaptions, std::vector<std::string>(3, "Search in All Scripts"));
    EXPECT_EQ(InfoWindowCount(*form), 4) << "two searches, and a cancelled one opens nothing";

    Action(*form, "CloseAll1")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(InfoWindowCount(*form), 0);
}

TEST_F(MainFormTest, ASearchWithoutAHitSaysSoInsideTheClientArea) {
    auto form = MakeForm(true);
    int index = game.Scripts().AddResource();
    game.Scripts().ResourceAt(index)->Code = "x = 1;";
    dialogs.Inputs = {std::string("nowhere")};
    Action(*form, "SearchinScripts1")->trigger();
    ASSERT_EQ(InfoWindowCount(*form), 1);
    QMdiSubWindow* window = form->ClientArea()->subWindowList().first();
    auto* info = window->findChild<TScriptInfoForm*>();
    ASSERT_EQ(info->Lines().size(), 1u);
    EXPECT_EQ(info->Lines()[0].text, kNoOccurrencesLine);
    EXPECT_EQ(info->Lines()[0].kind, -1) << "a click on it opens nothing";
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Searching Scripts for \"nowhere\""));
}

// Each input box is wide enough for its whole caption in a bold title bar,
// with room for the bar's icon and buttons.
TEST(InputBox, IsAsWideAsItsCaption) {
    QWidget parent;
    QtAppDialogs boxes(&parent);
    for (const char* caption : {"Creating a group", "Search in All Scripts", "Finding a Resource",
                                "A caption much longer than any input box would be on its own"}) {
        int width = 0, needed = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (!box) return;
            width = box->width();
            QFont bold = box->font();
            bold.setBold(true);
            needed = QFontMetrics(bold).horizontalAdvance(box->windowTitle());
            box->reject();
        });
        EXPECT_FALSE(boxes.InputText(caption, "Name:", "x")) << caption;
        EXPECT_GT(needed, 0) << caption;
        EXPECT_GE(width, needed + 100) << caption;
    }
}

TEST_F(MainFormTest, CreateStandAloneWritesTheChosenFileAndCancelWritesNothing) {
    auto form = MakeForm(true);
    std::string target = dir.File("mygame.exe");
    dialogs.Files = {std::nullopt, target};
    Action(*form, "Createstandalone1")->trigger();
    EXPECT_FALSE(FileExists(target));
    EXPECT_TRUE(recorder.Messages().empty());

    Action(*form, "Createstandalone1")->trigger();
    ASSERT_EQ(dialogs.FileSpecs.size(), 2u);
    // No extension is proposed or added here, and any name is accepted.
    EXPECT_EQ(dialogs.FileSpecs.back().proposedName, "game");
    EXPECT_EQ(dialogs.FileSpecs.back().defaultExtension, "");
    EXPECT_EQ(dialogs.FileSpecs.back().filter, "All files (*)");
    EXPECT_TRUE(dialogs.FileSpecs.back().save);
    ASSERT_TRUE(FileExists(target)) << ::testing::PrintToString(recorder.Messages());
    EXPECT_GT(ReadWholeFile(target).size(), 1500000u);

    // A game with a file proposes that file without its extension.
    form->SetFileName(dir.File("my game.gb1"));
    Action(*form, "Createstandalone1")->trigger();
    EXPECT_EQ(dialogs.FileSpecs.back().proposedName, dir.File("my game"));
}

TEST_F(MainFormTest, RunWithoutARoomSaysSoAndKeepsTheWindow) {
    auto form = MakeForm(true);
    for (const char* name : {"Run1", "Debug1"}) {
        recorder = RecordingUI{};
        Action(*form, name)->trigger();
        EXPECT_EQ(recorder.Messages(), std::vector<std::string>{kNoRoomMessage}) << name;
        EXPECT_TRUE(form->isVisible()) << name;
    }
}

TEST_F(MainFormTest, HelpOptionsInformationAndAboutOpenTheirWindows) {
    auto form = MakeForm(true);
    EXPECT_EQ(ModalOpenedBy(Action(*form, "AboutKestrin1")), QStringLiteral("TAboutForm"));
    EXPECT_EQ(ModalOpenedBy(Action(*form, "ChangeGameOptions1")), QStringLiteral("TOptionForm"));

    // Away from the corner where the desktop would put a new window.
    form->setGeometry(400, 300, 400, 300);
    form->activateWindow();
    QApplication::processEvents();
    Action(*form, "Contents1")->trigger();
    TManualForm* manual = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<TManualForm*>(window); found && found->isVisible()) manual = found;
    ASSERT_NE(manual, nullptr);
    EXPECT_TRUE(form->frameGeometry().contains(manual->frameGeometry().center()))
        << "the help window opens over the main window";
    CloseHelpWindows();

    Action(*form, "ChangeGameInformation1")->trigger();
    ASSERT_NE(HelpForm(), nullptr);
    EXPECT_TRUE(HelpForm()->isVisible());
    EXPECT_TRUE(form->frameGeometry().contains(HelpForm()->frameGeometry().center()));
    HideHelpForm();
}

TEST_F(MainFormTest, WebSiteAndForumOpenTheirAddressesInTheBrowser) {
    auto form = MakeForm(true);
    UrlRecorder browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "Open");
    Action(*form, "Website1")->trigger();
    Action(*form, "Forum1")->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    EXPECT_EQ(browser.opened, (QStringList{QLatin1String(kWebSiteAddress), QLatin1String(kForumAddress)}));
}

// The action of the Tutorials menu with the caption.
QAction* TutorialAction(TMainForm& form, const QString& caption) {
    auto* menu = form.findChild<QMenu*>(QStringLiteral("TutorialsMenu"));
    if (!menu) return nullptr;
    for (QAction* action : menu->actions())
        if (action->text() == caption) return action;
    return nullptr;
}

bool HasObject(Game& game, const std::string& name) {
    for (int i = 0; i < game.Objects().ResourceCount(); ++i)
        if (game.Objects().ResourceExists(i) && game.Objects().ResourceName(i) == name) return true;
    return false;
}

TEST_F(MainFormTest, TheTutorialsMenuOpensAnExampleGameAsOpenDoesAndThePageInItsViewer) {
    auto form = MakeForm(true);
    QAction* maze = TutorialAction(*form, QStringLiteral("Maze.ksd"));
    QAction* page = TutorialAction(*form, QStringLiteral("Your first game - a maze.html"));
    ASSERT_NE(maze, nullptr);
    ASSERT_NE(page, nullptr);
    const std::string mazeFile = JoinPath(TutorialsFolder(), "Maze.ksd");

    // A changed game is kept when the save question is cancelled.
    form->AddResourceCommand(kTypeSprites);
    recorder.ScriptAnswers({Answer::Cancel});
    maze->trigger();
    EXPECT_EQ(recorder.Questions(), std::vector<std::string>{kSaveChangesQuestion});
    EXPECT_EQ(form->FileName(), "");
    EXPECT_FALSE(HasObject(game, "obj_player"));
    EXPECT_TRUE(game.GameChanged());

    // Otherwise the example takes its place, as a file of the recent list.
    recorder.Reset();
    recorder.ScriptAnswers({Answer::No});
    maze->trigger();
    EXPECT_EQ(recorder.Questions(), std::vector<std::string>{kSaveChangesQuestion});
    EXPECT_EQ(form->FileName(), mazeFile);
    EXPECT_TRUE(HasObject(game, "obj_player"));
    EXPECT_FALSE(game.GameChanged());
    EXPECT_EQ(Prefs().Recent[0], mazeFile);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Kestrin: Maze.ksd"));

    // The page goes to the desktop's viewer and leaves the game alone.
    UrlRecorder viewer;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "Open");
    page->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(viewer.opened,
              QStringList{QUrl::fromLocalFile(PathToQt(JoinPath(TutorialsFolder(), "Your first game - a maze.html")))
                              .toString()});
    EXPECT_EQ(form->FileName(), mazeFile);
}

}  // namespace
}  // namespace kestrin

#include "main_commands_test.moc"
