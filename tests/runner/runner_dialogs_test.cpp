// The game's dialogs in the window runner, answered through the shell's seam
// with real clicks and keys: message boxes with the game's buttons and look,
// menus, numbers, colours, files, pictures; the high-score table over its
// background; the screen's gamma on the shown frame.

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <fstream>
#include <functional>

#include "engine/engine_fixture.h"
#include "engine/world.h"
#include "runner/highscore_dialog.h"
#include "runner/runner_dialogs.h"
#include "runner/runner_screen.h"
#include "runner/runner_shell.h"
#include "support/temp_dir.h"

namespace kestrin::runner {
namespace {

class RunnerDialogsTest : public ::testing::Test {
public:
    RunnerDialogsTest() {
        const int room = mTest.AddRoom("room");
        mTest.Place(room, mTest.AddObject("thing"), 0, 0);
        mTest.game.Options.WriteErrors = false;
        mShell.AnswerBoxesWith([this](const std::string& text, bool) {
            mBoxes.push_back(text);
            return true;
        });
        mWorld = std::make_unique<engine::World>(mTest.game, mShell, std::vector<std::string>{}, 1);
        mWorld->Start();
    }
    engine::Value Run(const std::string& expression) {
        return engine::test::Eval(*mWorld, mWorld->Instances().at(0).get(), expression);
    }
    // Clicks the dialog's button with the text.
    static void Click(QWidget& dialog, const QString& text) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text().remove('&') == text) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
        ADD_FAILURE() << "no button " << text.toStdString();
    }
    // The dialog's OK button, whatever it is called where the test runs.
    static void ClickOk(QWidget& dialog) {
        QDialogButtonBox* box = dialog.findChild<QDialogButtonBox*>();
        ASSERT_TRUE(box);
        QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
    }

    engine::test::TestGame mTest;
    RunnerShell mShell{true, mTest.game, {}};
    std::vector<std::string> mBoxes;
    std::unique_ptr<engine::World> mWorld;
};

TEST_F(RunnerDialogsTest, AMessageBoxHasTheGamesButtonsAndLook) {
    QString caption, font;
    bool bold = false;
    QColor color;
    mShell.AnswerDialogsWith([&](QWidget& dialog) {
        dialog.show();
        caption = dialog.windowTitle();
        const QLabel* label = dialog.findChild<QLabel*>("qt_msgbox_label");
        font = label->font().family();
        bold = label->font().bold();
        color = label->palette().color(QPalette::WindowText);
        Click(dialog, "Later");
    });
    Run("message_caption(true, 'Quest') + message_text_font('Courier', 10, c_blue, fs_bold)");
    EXPECT_EQ(Run("show_message_ext('Fight?', 'Now', 'Later', '')").Real(), 2);
    EXPECT_EQ(caption, "Quest");
    EXPECT_EQ(font, "Courier");
    EXPECT_TRUE(bold);
    EXPECT_EQ(color, QColor(0, 0, 255));
}

TEST_F(RunnerDialogsTest, PlainMessagesAndQuestionsWearTheGamesLookToo) {
    QStringList seen;
    mShell.AnswerBoxesWith({});  // real boxes, answered through the dialog seam
    mShell.AnswerDialogsWith([&](QWidget& dialog) {
        dialog.show();
        const QLabel* label = dialog.findChild<QLabel*>("qt_msgbox_label");
        seen << dialog.objectName() + " " + dialog.windowTitle() + " " + label->font().family() +
                    (label->font().bold() ? " bold" : "");
        QMessageBox& box = static_cast<QMessageBox&>(dialog);
        QTest::mouseClick(box.button(box.button(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok),
                          Qt::LeftButton);
    });
    Run("message_caption(true, 'Quest') + message_text_font('Courier', 10, c_blue, fs_bold)");
    Run("show_message('The gate is open.')");
    EXPECT_EQ(Run("show_question('Go in?')").Real(), 1);
    EXPECT_EQ(seen, QStringList({"GameMessage Quest Courier bold", "GameQuestion Quest Courier bold"}));
}

TEST_F(RunnerDialogsTest, QuestionsAnswerWhatThePlayerEnteredOrTheDefault) {
    struct Case {
        const char* code;
        std::function<void(QWidget&)> answer;
        double result;
    };
    const std::vector<Case> cases = {
        {"get_integer('How many?', 3)",
         [](QWidget& dialog) {
             QLineEdit* field = dialog.findChild<QLineEdit*>();
             field->selectAll();
             QTest::keyClicks(field, "42");
             ClickOk(dialog);
         },
         42},
        {"get_integer('How many?', 3)", [](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }, 3},
        {"get_color(c_white)",
         [](QWidget& dialog) {
             static_cast<QColorDialog&>(dialog).setCurrentColor(Qt::red);
             ClickOk(dialog);
         },
         255},
        {"get_color(c_white)", [](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }, -1},
        {"show_menu('new|open|quit', -1)",
         [](QWidget& menu) { static_cast<QMenu&>(menu).actions().at(2)->trigger(); }, 2},
        {"show_menu_pos(5, 5, 'new|open|quit', 7)", [](QWidget&) {}, 7},
    };
    for (const Case& c : cases) {
        mShell.AnswerDialogsWith([&](QWidget& dialog) {
            dialog.show();
            c.answer(dialog);
        });
        EXPECT_EQ(Run(c.code).Real(), c.result) << c.code;
    }
    mShell.AnswerDialogsWith([](QWidget& dialog) {
        dialog.show();
        QLineEdit* field = dialog.findChild<QLineEdit*>();
        field->selectAll();
        QTest::keyClicks(field, "Zed");
        QTest::keyClick(field, Qt::Key_Return);
    });
    EXPECT_EQ(Run("get_string('Name?', 'Ann')").Text(), "Zed");
}

TEST_F(RunnerDialogsTest, FileDialogsOfferTheGamesFiltersAndAnswerTheChosenFile) {
    test::TempDir dir;
    const std::string chosen = dir.File("save.txt");
    QStringList filters;
    mShell.AnswerDialogsWith([&](QWidget& dialog) {
        auto& files = static_cast<QFileDialog&>(dialog);
        filters = files.nameFilters();
        files.selectFile(QString::fromStdString(chosen));
        static_cast<QDialog&>(files).accept();
    });
    EXPECT_EQ(Run("get_save_filename('Text files|*.txt;*.text|All files|*.*', '')").Text(), chosen);
    EXPECT_EQ(filters, (QStringList{"Text files (*.txt *.text)", "All files (*.*)"}));
    mShell.AnswerDialogsWith([](QWidget& dialog) { static_cast<QDialog&>(dialog).reject(); });
    EXPECT_EQ(Run("get_directory_alt('Where?', '/')").Text(), "");
}

TEST_F(RunnerDialogsTest, APictureIsShownUntilAKeyAndABrokenOneIsAnError) {
    test::TempDir dir;
    const std::string picture = dir.File("title.png"), broken = dir.File("broken.png");
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(QString::fromStdString(picture)));
    std::ofstream(broken) << "not a picture";
    QSize shown;
    mShell.AnswerDialogsWith([&](QWidget& window) {
        window.show();
        shown = window.findChild<QLabel*>("ShowPicture")->pixmap().size();
        QTest::keyClick(&window, Qt::Key_Space);
        EXPECT_EQ(static_cast<QDialog&>(window).result(), QDialog::Accepted);
    });
    Run("show_image('" + picture + "', false, 0)");
    EXPECT_EQ(shown, QSize(4, 3));
    EXPECT_TRUE(mBoxes.empty());
    mWorld->Script().RunCode("show_image('" + broken + "', false, 0)", mWorld->Instances().at(0).get(), "test");
    ASSERT_EQ(mBoxes.size(), 1u);
    EXPECT_NE(mBoxes[0].find("Cannot show the image file"), std::string::npos) << mBoxes[0];
}

TEST(HighscoreDialog, TheTableIsShownOverItsBackground) {
    engine::HighscoreTable table;
    QImage background(8, 8, QImage::Format_RGB32);
    background.fill(Qt::blue);
    HighscoreDialog plain(table, 0, engine::HighscoreLook{});
    HighscoreDialog over(table, 0, engine::HighscoreLook{}, background);
    EXPECT_TRUE(plain.palette().brush(QPalette::Window).textureImage().isNull());
    EXPECT_EQ(over.palette().brush(QPalette::Window).textureImage().pixelColor(3, 3), QColor(Qt::blue));
    over.resize(100, 100);
    EXPECT_EQ(over.grab().toImage().pixelColor(90, 5), QColor(Qt::blue));
}

TEST(ScreenGamma, TheShownFrameTakesEachChannelsGamma) {
    engine::FixedScreen screen;
    QImage frame(1, 1, QImage::Format_BGR888);
    frame.fill(QColor(64, 64, 64));
    QImage same = frame;
    ApplyGamma(same, screen);
    EXPECT_EQ(same.pixelColor(0, 0), QColor(64, 64, 64));
    // Above 1 brightens, below darkens, 1 leaves the channel alone.
    screen.SetGamma(2, 0.5, 1);
    ApplyGamma(frame, screen);
    EXPECT_EQ(frame.pixelColor(0, 0), QColor(128, 16, 64));
}

}  // namespace
}  // namespace kestrin::runner
