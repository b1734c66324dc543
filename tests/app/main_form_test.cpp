// The main window: title, file commands with their questions, recent files,
// the tree pop-up menu, drag and drop in the tree, dropped files, Find
// resource, the mode switch, and the tree model following the tree.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <functional>
#include <deque>
#include <fstream>

#include "app/dropped_files.h"
#include "app/main_form.h"
#include "app/main_form_fixture.h"
#include "app/qt_user_interface.h"
#include "app/recent_files.h"
#include "app/resource_menu_popup.h"
#include "app/resource_tree_model.h"
#include "app/resource_tree_view.h"
#include "imaging/bmp_codec.h"
#include "platform/file_system.h"
#include "platform/preferences.h"
#include "platform/recording_ui.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "storage/resource_menu.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

TEST(MainTitle, ShowsModeFileNameWithoutFolderAndChanges) {
    EXPECT_EQ(MainTitle(true, "", false), QStringLiteral("Kestrin: <new game>"));
    EXPECT_EQ(MainTitle(false, "", true), QStringLiteral("Kestrin Simple: <new game>*"));
    EXPECT_EQ(MainTitle(true, "/g/a.ksd", true), QStringLiteral("Kestrin: a.ksd*"));
    EXPECT_EQ(CommandLineFileName({QStringLiteral("my"), QStringLiteral("game.ksd")}), "my game.ksd");
}

TEST_F(MainFormTest, TitleFollowsModeFileAndChangesInBothModes) {
    for (bool advanced : {false, true}) {
        auto form = MakeForm(advanced);
        QString prefix = advanced ? QStringLiteral("Kestrin: ") : QStringLiteral("Kestrin Simple: ");
        EXPECT_EQ(form->windowTitle(), prefix + QStringLiteral("<new game>"));
        form->AddResourceCommand(kTypeSprites);
        form->UpdateTitle();
        EXPECT_EQ(form->windowTitle(), prefix + QStringLiteral("<new game>*"));
        form->SetFileName(dir.File("world.ksd"));
        game.ClearChangedFlags();
        form->UpdateTitle();
        EXPECT_EQ(form->windowTitle(), prefix + QStringLiteral("world.ksd"));
        form->SetFileName("");
    }
}

TEST_F(MainFormTest, NewWithAChangedGameFollowsEachAnswer) {
    struct Case {
        Answer answer;
        std::optional<std::string> saveAs;  // what the save dialog gives after Yes
        bool cleared;
        bool saved;
    };
    const Case cases[] = {
        {Answer::Cancel, std::nullopt, false, false},
        {Answer::No, std::nullopt, true, false},
        {Answer::Yes, std::nullopt, true, false},  // the save dialog cancelled still goes on
        {Answer::Yes, "saved.ksd", true, true},
    };
    auto form = MakeForm(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        std::string target = dir.File("saved.ksd");
        DeleteFile(target);
        form->AddResourceCommand(kTypeSprites);
        ASSERT_TRUE(game.GameChanged());
        recorder.Reset();
        dialogs.FileSpecs.clear();
        recorder.ScriptAnswers({c.answer});
        if (c.saveAs) dialogs.Files.push_back(dir.File(*c.saveAs));
        form->NewCommand();
        EXPECT_EQ(recorder.Questions(), std::vector<std::string>{kSaveChangesQuestion});
        EXPECT_EQ(game.Sprites().ResourceCount() == 0, c.cleared);
        EXPECT_EQ(dialogs.FileSpecs.size(), c.answer == Answer::Yes ? 1u : 0u);
        EXPECT_EQ(FileExists(target), c.saved);
        // The editor windows were closed first.
        EXPECT_TRUE(ChildTitles(*form).empty());
    }
}

TEST_F(MainFormTest, SavingALoadedBackupAsksForANewName) {
    auto form = MakeForm(true);
    std::string backup = dir.File("world.gb1");
    form->SetFileName(backup);
    dialogs.Files.push_back(dir.File("world2.ksd"));
    form->SaveCommand();
    ASSERT_EQ(dialogs.FileSpecs.size(), 1u);
    EXPECT_EQ(dialogs.FileSpecs[0].objectName, "FileSaveDialog");
    // The backup's own name is never offered: Enter would write over it.
    EXPECT_EQ(dialogs.FileSpecs[0].proposedName, dir.File("world.ksd"));
    EXPECT_FALSE(FileExists(backup));
    EXPECT_TRUE(FileExists(dir.File("world2.ksd")));
    EXPECT_EQ(form->FileName(), dir.File("world2.ksd"));
    EXPECT_EQ(Prefs().Recent[0], dir.File("world2.ksd"));
    EXPECT_EQ(Prefs().GameDir, dir.Path());

    // A .KSD file (any case) is saved in place without a dialog.
    dialogs.FileSpecs.clear();
    form->SetFileName(dir.File("upper.KSD"));
    form->SaveCommand();
    EXPECT_TRUE(dialogs.FileSpecs.empty());
    EXPECT_TRUE(FileExists(dir.File("upper.KSD")));

    // Save As offers a game file's own name and a new game's empty one.
    for (const std::string& name : {dir.File("upper.KSD"), std::string()}) {
        form->SetFileName(name);
        form->SaveAsCommand();
        EXPECT_EQ(dialogs.FileSpecs.back().proposedName, name);
    }
}

// A failed load must not leave the bad file's name current: the next Save
// would write over that file (and push the good backup out) without asking.
TEST_F(MainFormTest, AFailedLoadLeavesNoFileNameOnEveryWayIn) {
    const std::string good = SavedGame("good.ksd");
    std::ofstream(dir.File("text.ksd")) << "just some text";
    const std::string text = dir.File("text.ksd");
    {
        std::vector<std::uint8_t> bytes = ReadWholeFile(good);
        std::ofstream(dir.File("cut.ksd"), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size() / 2));
    }
    const std::string cut = dir.File("cut.ksd");

    struct Way {
        const char* name;
        std::function<void(TMainForm&, const std::string&)> open;
    };
    const Way ways[] = {
        {"open", [this](TMainForm& form, const std::string& file) {
             dialogs.Files = {file};
             form.OpenCommand();
         }},
        {"recent", [](TMainForm& form, const std::string& file) {
             Prefs().Recent[0] = file;
             form.OpenRecentCommand(0);
         }},
        {"drop", [](TMainForm& form, const std::string& file) { form.DropFiles({file}); }},
    };
    for (const std::string& bad : {text, cut}) {
        for (const Way& way : ways) {
            SCOPED_TRACE(std::string(way.name) + " " + bad);
            auto form = MakeForm(true);
            ASSERT_TRUE(form->LoadFile(good));
            const std::vector<std::uint8_t> before = ReadWholeFile(bad);
            way.open(*form, bad);
            EXPECT_EQ(form->FileName(), "");
            EXPECT_EQ(form->windowTitle(), QStringLiteral("Kestrin: <new game>"));
            // Save now asks for a name, and the bad file stays as it was.
            game.Sprites().AddResource();
            dialogs.FileSpecs.clear();
            form->SaveCommand();
            ASSERT_EQ(dialogs.FileSpecs.size(), 1u);
            EXPECT_EQ(dialogs.FileSpecs[0].objectName, "FileSaveDialog");
            EXPECT_EQ(ReadWholeFile(bad), before);
            game.ClearChangedFlags();
        }
    }

    // The command line too.
    Prefs().RemoveTemp = false;
    TMainForm form(game);
    form.SetDialogs(&dialogs);
    form.SetCommandLine({QString::fromStdString(text)});
    form.show();
    EXPECT_EQ(form.FileName(), "");
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Kestrin: <new game>"));
}

TEST_F(MainFormTest, RecentFileMissingIsRemovedAndTheOthersMoveUp) {
    std::string a = SavedGame("a.ksd"), c = SavedGame("c.ksd");
    Prefs().Recent = {a, dir.File("gone.ksd"), c};
    auto form = MakeForm(true);
    form->UpdateFileMenu();
    EXPECT_TRUE(Action(*form, "Recent1")->isVisible());
    EXPECT_EQ(Action(*form, "Recent1")->text(), QStringLiteral("&1 a.ksd"));
    // The folder tells apart two games of the same name.
    EXPECT_EQ(Action(*form, "Recent1")->toolTip(), QString::fromStdString(a));
    EXPECT_EQ(Action(*form, "Recent1")->statusTip(), QString::fromStdString(a));
    EXPECT_TRUE(form->findChild<QMenu*>(QStringLiteral("RecentFiles1"))->toolTipsVisible());
    EXPECT_FALSE(Action(*form, "Recent4")->isVisible());

    form->OpenRecentCommand(1);
    EXPECT_EQ(recorder.Messages(), std::vector<std::string>{kCannotFindFileMessage});
    EXPECT_EQ(Prefs().Recent[0], a);
    EXPECT_EQ(Prefs().Recent[1], c);
    EXPECT_EQ(Prefs().Recent[2], "");

    // An existing entry loads and moves to the top.
    form->OpenRecentCommand(1);
    EXPECT_EQ(form->FileName(), c);
    EXPECT_EQ(game.Sprites().ResourceCount(), 1);
    EXPECT_EQ(Prefs().Recent[0], c);
    EXPECT_EQ(Prefs().Recent[1], a);
}

TEST_F(MainFormTest, OpenStartsInTheGameFolderAndMergeFailureIsReported) {
    std::string file = SavedGame("level.ksd");
    Prefs().GameDir = dir.Path();
    auto form = MakeForm(true);
    dialogs.Files = {file};
    form->OpenCommand();
    ASSERT_EQ(dialogs.FileSpecs.size(), 1u);
    EXPECT_EQ(dialogs.FileSpecs[0].objectName, "FileOpenDialog");
    EXPECT_EQ(dialogs.FileSpecs[0].folder, dir.Path());
    EXPECT_TRUE(dialogs.FileSpecs[0].mustExist);
    EXPECT_EQ(form->FileName(), file);
    EXPECT_EQ(Prefs().Recent[0], file);
    EXPECT_EQ(game.Sprites().ResourceCount(), 1);

    std::ofstream(dir.File("broken.ksd")) << "not a game";
    dialogs.Files = {dir.File("broken.ksd")};
    form->MergeCommand();
    EXPECT_EQ(recorder.Messages().back(), kMergeFailedMessage);
    EXPECT_EQ(game.Sprites().ResourceCount(), 1);
    dialogs.Files = {file};
    form->MergeCommand();
    EXPECT_EQ(game.Sprites().ResourceCount(), 2);
    EXPECT_EQ(dialogs.FileSpecs.back().folder, dir.Path());  // the merge dialog's own folder now
}

TEST(RecentFiles, AddMovesToTopAndKeepsEight) {
    RecentFileList list{"a", "b", "c", "d", "e", "f", "g", "h"};
    AddRecentFile(list, "");
    EXPECT_EQ(list[0], "a");
    AddRecentFile(list, "c");
    EXPECT_EQ(list, (RecentFileList{"c", "a", "b", "d", "e", "f", "g", "h"}));
    AddRecentFile(list, "new");
    EXPECT_EQ(list, (RecentFileList{"new", "c", "a", "b", "d", "e", "f", "g"}));
    AddRecentFile(list, "C");  // names compare exactly
    EXPECT_EQ(list[0], "C");
    EXPECT_EQ(list[1], "new");
    RemoveRecentFile(list, 0);
    EXPECT_EQ(list, (RecentFileList{"new", "c", "a", "b", "d", "e", "f", ""}));
}

TEST_F(MainFormTest, StartUpOpensTheCommandLineJoinedWithBlanksOrTheLastFile) {
    std::string file = SavedGame("my game.ksd");
    struct Case {
        QStringList arguments;
        bool loadLast;
        std::string recent0;
        std::string expected;  // the current file name after the first showing
    };
    const Case cases[] = {
        {{QString::fromStdString(dir.File("my")), QStringLiteral("game.ksd")}, false, "", file},
        {{}, true, file, file},
        {{}, false, file, ""},
        {{}, true, dir.File("deleted.ksd"), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected + " " + c.recent0);
        Prefs() = Preferences{};
        Prefs().Advanced = true;
        Prefs().RemoveTemp = false;
        Prefs().LoadLast = c.loadLast;
        Prefs().Recent[0] = c.recent0;
        TMainForm form(game);
        form.SetDialogs(&dialogs);
        form.SetCommandLine(c.arguments);
        form.show();
        EXPECT_EQ(form.FileName(), c.expected);
        EXPECT_EQ(game.Sprites().ResourceCount(), c.expected.empty() ? 0 : 1);
        if (!c.expected.empty()) {
            EXPECT_EQ(Prefs().Recent[0], file);
            EXPECT_EQ(form.windowTitle(), QStringLiteral("Kestrin: my game.ksd"));
        }
    }
    EXPECT_TRUE(recorder.Messages().empty());
}

// File names are the system's bytes (UTF-8), not 8-bit model text: a name
// beyond Latin-1 is opened from the command line and shown as it is.
TEST_F(MainFormTest, NamesBeyondLatin1AreOpenedAndShown) {
    const QString shown = QStringLiteral("Caf\u00e9 \u03a9mega.ksd");
    const std::string file = SavedGame("Caf\xC3\xA9 \xCE\xA9mega.ksd");
    Prefs().Advanced = true;
    Prefs().RemoveTemp = false;
    TMainForm form(game);
    form.SetDialogs(&dialogs);
    form.SetCommandLine({QString::fromUtf8(dir.Path().c_str()) + QLatin1Char('/') + shown});
    form.show();
    EXPECT_EQ(form.FileName(), file);
    EXPECT_EQ(game.Sprites().ResourceCount(), 1);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Kestrin: ") + shown);
    form.UpdateFileMenu();
    bool listed = false;
    for (QAction* action : form.findChild<QMenu*>(QStringLiteral("RecentFiles1"))->actions())
        listed = listed || action->text().contains(shown);
    EXPECT_TRUE(listed) << "the recent files menu shows the name as it is";
    EXPECT_TRUE(recorder.Messages().empty()) << ::testing::PrintToString(recorder.Messages());
}

TEST_F(MainFormTest, TreePopupCaptionsAndEnabledStatesFollowTheNode) {
    auto form = MakeForm(true);
    CResourceTree& tree = game.Tree();
    ResourceNode* sprites = tree.Section(kTypeSprites);
    form->ResourceTree()->SelectNode(sprites);
    ResourceNode* group = tree.AddGroup(sprites, "heroes");
    ResourceNode* sprite = tree.AddResourceNode(group, kTypeSprites);
    ResourceNode* scripts = tree.Section(kTypeScripts);
    ResourceNode* script = tree.AddResourceNode(scripts, kTypeScripts);

    struct Case {
        const char* what;
        ResourceNode* node;
        const char* add;
        const char* addGroup;
        bool addOn, duplicate, deleteRename, properties, sort;
        const char* exportCaption;  // null: hidden
    };
    const Case cases[] = {
        {"section", sprites, "Add Sprite", "Add Group", true, false, false, false, true, nullptr},
        {"group", group, "Add Sprite", "Add Group", true, false, true, false, true, nullptr},
        {"resource", sprite, "Insert Sprite", "Insert Group", true, true, true, true, false, nullptr},
        {"objects", tree.Section(kTypeObjects), "Add Object", "Add Group", true, false, false, false, true, nullptr},
        {"options", tree.Section(kTypeGameOptions), "Insert ", "Insert Group", false, false, false, true, false, nullptr},
        {"scripts", scripts, "Add Script", "Add Group", true, false, false, false, true, "Export All Scripts ..."},
        {"script", script, "Insert Script", "Insert Group", true, true, true, true, false, "Export Selected Script ..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form->ResourceTree()->SelectNode(c.node);
        QApplication::processEvents();
        EXPECT_EQ(Action(*form, "Add1")->text(), QString::fromLatin1(c.add));
        EXPECT_EQ(Action(*form, "Add1")->isEnabled(), c.addOn);
        EXPECT_EQ(Action(*form, "AddGroup1")->text(), QString::fromLatin1(c.addGroup));
        EXPECT_EQ(Action(*form, "AddGroup1")->isEnabled(), c.addOn);
        EXPECT_EQ(Action(*form, "Duplicate1")->isEnabled(), c.duplicate);
        EXPECT_EQ(Action(*form, "Delete1")->isEnabled(), c.deleteRename);
        EXPECT_EQ(Action(*form, "Rename1")->isEnabled(), c.deleteRename);
        EXPECT_EQ(Action(*form, "Properties1")->isEnabled(), c.properties);
        EXPECT_EQ(Action(*form, "Sort1")->isEnabled(), c.sort);
        EXPECT_EQ(Action(*form, "Export1")->isVisible(), c.exportCaption != nullptr);
        if (c.exportCaption) {
            EXPECT_EQ(Action(*form, "Export1")->text(), QString::fromLatin1(c.exportCaption));
        }
        // The Edit menu's twins copy them when it opens.
        form->UpdateEditMenu();
        EXPECT_EQ(Action(*form, "Add3")->text(), QString::fromLatin1(c.add));
        EXPECT_EQ(Action(*form, "Duplicate2")->isEnabled(), c.duplicate);
        EXPECT_EQ(Action(*form, "Properties2")->isEnabled(), c.properties);
    }
}

// The shortcuts belong to the Edit menu's items: they must follow the
// selection without the menu being opened.
TEST_F(MainFormTest, RenameAndDeleteShortcutsWorkAfterTheEditMenuSawASection) {
    auto form = MakeForm(true);
    QApplication::setActiveWindow(form.get());
    CResourceTree& tree = game.Tree();
    ResourceNode* sprites = tree.Section(kTypeSprites);
    ResourceNode* sprite = tree.AddResourceNode(sprites, kTypeSprites);
    form->ResourceTree()->SelectNode(sprites);
    form->UpdateEditMenu();
    EXPECT_FALSE(Action(*form, "Rename2")->isEnabled());
    EXPECT_FALSE(Action(*form, "Delete2")->isEnabled());

    form->ResourceTree()->SelectNode(sprite);
    QApplication::processEvents();
    EXPECT_TRUE(Action(*form, "Rename2")->isEnabled());
    EXPECT_TRUE(Action(*form, "Delete2")->isEnabled());
    form->ResourceTree()->setFocus();
    QTest::keyClick(form->ResourceTree(), Qt::Key_F2);
    // The name is being edited in place.
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(form->ResourceTree()->isAncestorOf(editor));
    QTest::keyClick(editor, Qt::Key_Escape);

    QTest::keyClick(form->ResourceTree(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(recorder.Questions(), std::vector<std::string>{CResourceTree::DeleteQuestion(sprite)});

    // And back on the section they are off again.
    form->ResourceTree()->SelectNode(sprites);
    QApplication::processEvents();
    EXPECT_FALSE(Action(*form, "Rename2")->isEnabled());
    EXPECT_FALSE(Action(*form, "Delete2")->isEnabled());
}

TEST_F(MainFormTest, SimpleModeHidesTheAdvancedItems) {
    auto form = MakeForm(false);
    for (const char* name : {"AddPathBtn", "AddScriptBtn", "AddFileBtn", "AddTimeLineBtn", "AddGroup1", "Sort1",
                             "MergeGame1", "Preferences1", "FindResource1", "AddPath1"})
        EXPECT_FALSE(Action(*form, name)->isVisible()) << name;
    EXPECT_FALSE(form->findChild<QMenu*>(QStringLiteral("Scripts1"))->menuAction()->isVisible());
    EXPECT_TRUE(Action(*form, "AddSpriteBtn")->isVisible());
    EXPECT_FALSE(Action(*form, "AdvancedMode1")->isChecked());
    // Seven top-level nodes in the visible tree.
    EXPECT_EQ(form->ResourceTree()->model()->rowCount(), 7);
}

TEST_F(MainFormTest, SwitchingModeOfAnUnchangedNewGameAsksNothing) {
    auto form = MakeForm(false);
    form->SwitchModeCommand();
    EXPECT_TRUE(recorder.Questions().empty());
    EXPECT_EQ(dialogs.OkCancelQuestions, 0);
    EXPECT_TRUE(Prefs().Advanced);
    EXPECT_TRUE(Action(*form, "AddPathBtn")->isVisible());
    EXPECT_TRUE(form->findChild<QMenu*>(QStringLiteral("Scripts1"))->menuAction()->isVisible());
    EXPECT_TRUE(Action(*form, "AdvancedMode1")->isChecked());
    EXPECT_EQ(form->ResourceTree()->model()->rowCount(), 11);

    // With a file name: OK/Cancel, and Cancel keeps the mode and the file.
    form->SetFileName(dir.File("g.ksd"));
    form->SwitchModeCommand();
    EXPECT_EQ(dialogs.OkCancelQuestions, 1);
    EXPECT_TRUE(Prefs().Advanced);
    EXPECT_EQ(form->FileName(), dir.File("g.ksd"));

    // Changed: the save question; Cancel stops.
    form->AddResourceCommand(kTypeRooms);
    recorder.ScriptAnswers({Answer::Cancel});
    form->SwitchModeCommand();
    EXPECT_EQ(recorder.Questions(), std::vector<std::string>{kModeSaveQuestion});
    EXPECT_TRUE(Prefs().Advanced);
    EXPECT_EQ(game.Rooms().ResourceCount(), 1);
}

TEST_F(MainFormTest, DraggingFollowsTheTreeRules) {
    auto form = MakeForm(true);
    CResourceTree& tree = game.Tree();
    form->AddResourceCommand(kTypeSprites);
    form->AddResourceCommand(kTypeSprites);
    form->AddResourceCommand(kTypeObjects);
    ResourceNode* sprites = tree.Section(kTypeSprites);
    ResourceNode* second = sprites->Child(1);
    ResourceNode* object = tree.Section(kTypeObjects)->Child(0);
    TResourceTree* view = form->ResourceTree();
    game.ClearChangedFlags();

    EXPECT_FALSE(view->DropNode(second, object, true));
    EXPECT_FALSE(view->DropNode(sprites, tree.Section(kTypeObjects), true));  // a section is never dragged
    EXPECT_FALSE(game.GameChanged());
    EXPECT_TRUE(view->DropNode(second, sprites, false));
    EXPECT_EQ(sprites->Child(0), second);
    EXPECT_TRUE(game.GameChanged());
    // The view's model follows.
    auto* model = view->TreeModel();
    QModelIndex section = model->IndexOf(sprites);
    EXPECT_EQ(model->NodeAt(model->index(0, 0, section)), second);
    EXPECT_EQ(model->data(model->index(0, 0, section)).toString(), QStringLiteral("sprite1"));
}

// Every row of the model is the tree's node at that place.
void ExpectModelMatches(ResourceTreeModel& model, const QModelIndex& parent, const ResourceNode* node) {
    ASSERT_EQ(model.rowCount(parent), node->ChildCount());
    for (int row = 0; row < node->ChildCount(); ++row) {
        QModelIndex index = model.index(row, 0, parent);
        ASSERT_EQ(model.NodeAt(index), node->Child(row));
        EXPECT_EQ(model.parent(index), parent);
        ExpectModelMatches(model, index, node->Child(row));
    }
}

TEST_F(MainFormTest, TheModelFollowsAddsDeletesSortsMergesAndRenames) {
    auto form = MakeForm(true);
    CResourceTree& tree = game.Tree();
    auto& model = *form->ResourceTree()->TreeModel();
    ResourceNode* rooms = tree.Section(kTypeRooms);
    ResourceNode* group = tree.AddGroup(rooms, "levels");
    for (int i = 0; i < 3; ++i) tree.AddResourceNode(i == 1 ? rooms : group, kTypeRooms);
    tree.RenameNode(group->Child(0), "zeta");
    tree.SortNode(group);
    ExpectModelMatches(model, {}, tree.VisibleRoot());
    EXPECT_EQ(model.data(model.IndexOf(group->Child(1))).toString(), QStringLiteral("zeta"));

    // In-place editing renames the resource too.
    ResourceNode* first = group->Child(0);
    EXPECT_TRUE(model.flags(model.IndexOf(first)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(model.IndexOf(rooms)) & Qt::ItemIsEditable);
    model.setData(model.IndexOf(first), QStringLiteral("start"));
    EXPECT_EQ(game.Rooms().ResourceName(first->Data.Index), "start");

    recorder.ScriptAnswers({Answer::Yes});
    form->ResourceTree()->SelectNode(group);
    form->DeleteCommand();
    EXPECT_EQ(recorder.Questions().back(),
              "You are about to delete group levels with all items it contains. This will be permanent. Continue?");
    ExpectModelMatches(model, {}, tree.VisibleRoot());
    EXPECT_EQ(rooms->ChildCount(), 1);

    std::string other = SavedGame("other.ksd");
    ASSERT_TRUE(MergeGame(game, other));
    ExpectModelMatches(model, {}, tree.VisibleRoot());
    EXPECT_TRUE(LoadGame(game, other));
    ExpectModelMatches(model, {}, tree.VisibleRoot());
}

TEST_F(MainFormTest, DroppingPicturesAsksOnceAndNamesAfterTheFiles) {
    auto form = MakeForm(true);
    for (int i = 0; i < 4; ++i) game.Tree().AddResourceNode(game.Tree().Section(kTypeSounds), kTypeSounds);
    Bitmap24 picture(8, 6, MakeColor(10, 200, 30));
    std::vector<std::uint8_t> bmp = EncodeBmp(picture);
    for (const char* name : {"hero.bmp", "ghost.BMP"}) {
        std::ofstream(dir.File(name), std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()),
                                                               static_cast<std::streamsize>(bmp.size()));
    }
    std::ofstream(dir.File("boom.wav"), std::ios::binary) << "RIFFdata";
    std::ofstream(dir.File("notes.txt")) << "x";
    dialogs.ImageAnswers = {ImageResourceChoice::Sprite, ImageResourceChoice::Background};

    form->DropFiles({dir.File("hero.bmp"), dir.File("boom.wav"), dir.File("notes.txt"), dir.File("ghost.BMP")});
    EXPECT_EQ(dialogs.ImageQuestions, 1);
    ASSERT_EQ(game.Sprites().ResourceCount(), 2);
    EXPECT_EQ(game.Sprites().ResourceName(0), "sprite0_hero");
    EXPECT_EQ(game.Sprites().ResourceName(1), "sprite1_ghost");
    EXPECT_EQ(game.Sprites().ResourceAt(0)->Width, 8);
    EXPECT_EQ(game.Sounds().ResourceName(4), "sound4_boom");
    EXPECT_EQ(game.Sounds().ResourceAt(4)->FileType, ".wav");
    EXPECT_EQ(game.Backgrounds().ResourceCount(), 0);
    // Each new resource's window opened.
    EXPECT_NE(game.Sprites().EditorAt(1), nullptr);
    EXPECT_NE(game.Sounds().EditorAt(4), nullptr);

    // A script file adds its scripts; a game file is loaded after the save question.
    std::ofstream(dir.File("more.ksl"), std::ios::binary) << "#define scr_a\r\nx = 1;\r\n";
    std::string other = SavedGame("other.KSD");
    recorder.ScriptAnswers({Answer::No});
    form->DropFiles({dir.File("more.ksl"), other});
    EXPECT_EQ(recorder.Questions(), std::vector<std::string>{kSaveChangesQuestion});
    EXPECT_EQ(form->FileName(), other);
    EXPECT_EQ(game.Sprites().ResourceCount(), 1);
    EXPECT_EQ(Prefs().Recent[0], other);

    // Cancel skips every picture of that drop.
    dialogs.ImageAnswers = {ImageResourceChoice::Cancel};
    form->DropFiles({dir.File("hero.bmp"), dir.File("ghost.BMP")});
    EXPECT_EQ(dialogs.ImageQuestions, 2);
    EXPECT_EQ(game.Sprites().ResourceCount(), 1);
}

TEST_F(MainFormTest, DroppingAnUnreadablePictureSaysSoAndKeepsNothing) {
    auto form = MakeForm(true);
    std::ofstream(dir.File("fake.png")) << "this is text, not a picture";
    for (ImageResourceChoice choice : {ImageResourceChoice::Sprite, ImageResourceChoice::Background}) {
        SCOPED_TRACE(static_cast<int>(choice));
        recorder.Reset();
        dialogs.ImageAnswers = {choice};
        form->DropFiles({dir.File("fake.png")});
        EXPECT_EQ(recorder.Messages(), std::vector<std::string>{kFailedToLoadFileMessage});
        EXPECT_EQ(game.Sprites().ResourceCount(), 0);
        EXPECT_EQ(game.Backgrounds().ResourceCount(), 0);
        EXPECT_EQ(game.Tree().Section(kTypeSprites)->ChildCount(), 0);
        EXPECT_EQ(game.Tree().Section(kTypeBackgrounds)->ChildCount(), 0);
        EXPECT_FALSE(game.GameChanged());
        EXPECT_TRUE(form->ClientArea()->subWindowList().isEmpty());
    }
}

// What a node shows beside its name, as 16 x 16 pixels.
QImage TreeIcon(TMainForm& form, const ResourceNode* node) {
    auto* model = static_cast<ResourceTreeModel*>(form.ResourceTree()->model());
    QIcon icon = model->data(model->IndexOf(node), Qt::DecorationRole).value<QIcon>();
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

bool ShowsSomething(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0) return true;
    return false;
}

TEST_F(MainFormTest, ResourcesWithoutAPictureShowTheirKindInTheTree) {
    auto form = MakeForm(true);
    CResourceTree& tree = game.Tree();
    std::vector<QImage> shown;
    for (std::int32_t type : {kTypeSprites, kTypeSounds, kTypeBackgrounds, kTypeObjects, kTypePaths, kTypeScripts,
                              kTypeDataFiles, kTypeTimeLines, kTypeRooms}) {
        SCOPED_TRACE(type);
        QImage icon = TreeIcon(*form, tree.AddResourceNode(tree.Section(type), type));
        EXPECT_TRUE(ShowsSomething(icon));
        for (const QImage& other : shown) EXPECT_NE(icon, other) << "each kind has its own";
        shown.push_back(icon);
    }

    // Once a sprite has a picture, that picture is shown instead.
    ResourceNode* node = tree.AddResourceNode(tree.Section(kTypeSprites), kTypeSprites);
    Bitmap24 frame(8, 8, MakeColor(250, 20, 20));
    frame.SetPixel(0, 7, MakeColor(0, 0, 0));
    game.Sprites().ResourceAt(node->Data.Index)->AddImage(&frame);
    game.Sprites().UpdateIcon(node->Data.Index);
    QImage picture = TreeIcon(*form, node);
    EXPECT_NE(picture, shown[0]);
    EXPECT_EQ(QColor(picture.pixel(8, 8)), QColor(250, 20, 20));
}

TEST(DroppedFiles, KindsByExtensionAndTitles) {
    EXPECT_EQ(ClassifyDroppedFile("/a/b.MP3"), DroppedFileKind::Sound);
    EXPECT_EQ(ClassifyDroppedFile("/a/b.Tiff"), DroppedFileKind::Picture);
    EXPECT_EQ(ClassifyDroppedFile("/a/b.ksl"), DroppedFileKind::ScriptFile);
    EXPECT_EQ(ClassifyDroppedFile("/a/b.KSD"), DroppedFileKind::GameFile);
    EXPECT_EQ(ClassifyDroppedFile("/a/b.gb1"), DroppedFileKind::Other);
    EXPECT_EQ(FileTitle("/a/my.boom.wav"), "my.boom");
}

TEST_F(MainFormTest, FindResourceOpensTheFirstMatchInOrder) {
    auto form = MakeForm(true);
    form->AddResourceCommand(kTypeSprites);
    form->AddResourceCommand(kTypeObjects);
    form->CloseAllChildWindows();
    game.Sprites().RenameResource(0, "player");
    game.Objects().RenameResource(0, "player");

    dialogs.Inputs = {std::string("player"), std::string("nobody")};
    form->FindResourceCommand();
    EXPECT_EQ(dialogs.InputCaptions[0], "Finding a Resource");
    EXPECT_NE(game.Objects().EditorAt(0), nullptr);
    EXPECT_EQ(game.Sprites().EditorAt(0), nullptr);
    EXPECT_EQ(ChildTitles(*form), std::vector<QString>{QStringLiteral("Object Properties: player")});

    form->FindResourceCommand();
    EXPECT_EQ(recorder.Messages(), std::vector<std::string>{"Cannot find resource nobody"});

    // Closing the window tells the list.
    for (QMdiSubWindow* window : form->ClientArea()->subWindowList())
        if (window->isVisible()) window->close();
    QApplication::processEvents();
    EXPECT_EQ(game.Objects().EditorAt(0), nullptr);
}

TEST_F(MainFormTest, PlacedChildWindowsStayInsideTheClientArea) {
    auto form = MakeForm(true);
    form->resize(900, 600);
    auto* window = new QMdiSubWindow;
    form->ClientArea()->addSubWindow(window);
    window->setGeometry(5000, -40, 300, 200);
    form->PlaceChildWindow(window);
    int availableWidth = form->width() - form->ResourceTree()->width() - 8;
    EXPECT_EQ(window->x(), availableWidth - 300);
    EXPECT_EQ(window->y(), 0);
    window->setGeometry(10, 20, 5000, 200);  // wider than the area: the left becomes 0
    form->PlaceChildWindow(window);
    EXPECT_EQ(window->x(), 0);
    EXPECT_EQ(window->y(), 20);
}

TEST_F(MainFormTest, ClosingAsksToSaveAndCancelKeepsTheWindowOpen) {
    auto form = MakeForm(true);
    form->AddResourceCommand(kTypeSprites);
    recorder.ScriptAnswers({Answer::Cancel});
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(ChildTitles(*form).empty());
    recorder.ScriptAnswers({Answer::No});
    form->move(30, 40);
    EXPECT_TRUE(form->close());
    EXPECT_EQ(Prefs().FormLeft, form->geometry().left());
}

TEST_F(MainFormTest, ResourceMenuMirrorsTheSectionWithItsGroups) {
    Prefs().Advanced = true;
    NewGame(game);
    CResourceTree& tree = game.Tree();
    ResourceNode* group = tree.AddGroup(tree.Section(kTypeSounds), "music");
    tree.AddResourceNode(tree.Section(kTypeSounds), kTypeSounds);
    tree.AddResourceNode(group, kTypeSounds);
    game.Sounds().RenameResource(1, "boom & bang");

    auto menu = MakeResourceMenu(game, kTypeSounds, std::string("<no sound>"));
    QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->data().toInt(), kMenuChoseNone);
    ASSERT_NE(items[1]->menu(), nullptr);  // the group
    QList<QAction*> inGroup = items[1]->menu()->actions();
    ASSERT_EQ(inGroup.size(), 1);
    EXPECT_EQ(inGroup[0]->data().toInt(), 1);
    EXPECT_TRUE(inGroup[0]->text().contains(QStringLiteral("boom && bang")));
    EXPECT_EQ(items[2]->data().toInt(), 0);
    EXPECT_TRUE(MakeResourceMenu(game, kTypeGameOptions, std::nullopt)->actions().isEmpty());
}

TEST_F(MainFormTest, ProgressDisablesTheMainWindowWhileItRuns) {
    // One seam for the run: a preference changed later still counts, and
    // the progress window may go with the window it belonged to.
    QtUserInterface ui;
    for (bool shown : {false, true, false}) {
        Prefs().ShowProgress = shown;
        QWidget window;
        ui.SetParentWindow(&window);
        ui.StartProgress("Loading Game Data ...");
        EXPECT_FALSE(window.isEnabled());
        auto* progress = window.findChild<QWidget*>(QStringLiteral("TProgressForm"));
        EXPECT_EQ(progress && progress->isVisible(), shown);
        ui.SetProgress(50);
        ui.EndProgress();
        EXPECT_TRUE(window.isEnabled());
        EXPECT_FALSE(progress && progress->isVisible());
    }
}

}  // namespace
}  // namespace kestrin
