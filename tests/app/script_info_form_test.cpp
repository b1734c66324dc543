// The information window: one window per listing, a new one per search, the
// line cap, clicks that open resources, and saving as plain or rich text.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QLabel>
#include <QMouseEvent>
#include <QPrinter>
#include <QTextBlock>
#include <QTextEdit>

#include "app/color_value.h"
#include "app/script_info_form.h"
#include "platform/file_system.h"
#include "platform/recording_ui.h"
#include "resources/rtf_reader.h"
#include "storage/game.h"
#include "storage/resource_editor.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Lines that tell which type and search made them and how often.
struct CountingSource {
    int calls = 0;
    InfoLineSource Source() {
        return [this](InfoType type, const std::string& search) {
            ++calls;
            return std::vector<InfoLine>{
                {"type " + std::to_string(static_cast<int>(type)) + " " + search, kInfoNavy, -1, -1, -1},
                {"call " + std::to_string(calls), kInfoMaroon, 5, 7, 2},
            };
        };
    }
};

TEST(ScriptInfoWindows, OneWindowPerListingAndOnePerSearch) {
    CountingSource lines;
    ScriptInfoWindows windows(lines.Source(), nullptr);

    TScriptInfoForm* names = windows.Show(InfoType::ResourceNames);
    EXPECT_EQ(names->windowTitle(), QStringLiteral("All Resource Names"));
    EXPECT_EQ(names->Lines()[1].text, "call 1");
    TScriptInfoForm* again = windows.Show(InfoType::ResourceNames);
    EXPECT_EQ(again, names);
    EXPECT_EQ(names->Lines()[1].text, "call 2");  // recomputed
    EXPECT_EQ(windows.OpenWindows().size(), 1u);

    TScriptInfoForm* check = windows.Show(InfoType::CheckScripts);
    EXPECT_NE(check, names);
    EXPECT_EQ(windows.WindowOf(InfoType::CheckScripts), check);

    TScriptInfoForm* first = windows.Show(InfoType::SearchScripts, "abc");
    TScriptInfoForm* second = windows.Show(InfoType::SearchScripts, "abc");
    EXPECT_NE(first, second);
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Searching Scripts for \"abc\""));
    EXPECT_EQ(windows.OpenWindows().size(), 4u);

    // Refresh of a search keeps its text.
    first->Refresh();
    EXPECT_EQ(first->Lines()[0].text, "type 4 abc");

    // A closed window is forgotten; the next command makes a new one.
    names->close();
    FlushDeletes();
    EXPECT_EQ(windows.WindowOf(InfoType::ResourceNames), nullptr);
    EXPECT_EQ(windows.OpenWindows().size(), 3u);
    EXPECT_NE(windows.Show(InfoType::ResourceNames), nullptr);

    windows.CloseAll();
    FlushDeletes();
    EXPECT_TRUE(windows.OpenWindows().empty());
}

TEST(ScriptInfoWindows, WindowsAreChildWindowsOfTheClientArea) {
    QMdiArea area;
    CountingSource lines;
    ScriptInfoWindows windows(lines.Source(), nullptr, &area);
    windows.Show(InfoType::BuiltinFunctions);
    windows.Show(InfoType::BuiltinFunctions);
    windows.Show(InfoType::SearchScripts, "x");
    windows.Show(InfoType::SearchScripts, "x");
    ASSERT_EQ(area.subWindowList().size(), 3);
    EXPECT_EQ(area.subWindowList()[0]->windowTitle(), QStringLiteral("All Built-In Functions"));

    area.closeAllSubWindows();
    FlushDeletes();
    EXPECT_TRUE(windows.OpenWindows().empty());
}

TEST(ScriptInfoForm, KeepsAtMostSixteenThousandLines) {
    InfoLineSource many = [](InfoType, const std::string&) {
        std::vector<InfoLine> lines;
        for (int i = 0; i < kMaxInfoLines + 500; ++i) lines.push_back({"line " + std::to_string(i), 0, -1, -1, -1});
        return lines;
    };
    TScriptInfoForm form(InfoType::BuiltinFunctions, {}, many, nullptr);
    ASSERT_EQ(form.Lines().size(), static_cast<std::size_t>(kMaxInfoLines));
    EXPECT_EQ(form.Lines().back().text, "line 15999");
    auto* text = form.findChild<QTextEdit*>(QStringLiteral("InfoText"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->document()->blockCount(), kMaxInfoLines);
    EXPECT_EQ(text->document()->lastBlock().text(), QStringLiteral("line 15999"));
}

TEST(ScriptInfoForm, ShowsLinesInTheirColoursAndAClickOpensTheLineUnderIt) {
    std::vector<InfoLine> shown = {
        {"<No errors were found>", kInfoDarkGreen, -1, -1, -1},
        {"In script s line 2 pos 2: x", kInfoNavy, 5, 2, 3},
        {"ball: sprite", 0x8000FF, 1, -1, 0},
    };
    std::vector<InfoLine> opened;
    TScriptInfoForm form(
        InfoType::CheckScripts, {}, [&](InfoType, const std::string&) { return shown; },
        [&](const InfoLine& line) { opened.push_back(line); });
    form.resize(400, 300);
    form.show();
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("StatusLabel"))->text(),
              QStringLiteral("Click on a line to open the script"));
    auto* text = form.findChild<QTextEdit*>(QStringLiteral("InfoText"));
    QTextBlock block = text->document()->findBlockByNumber(2);
    EXPECT_EQ(block.begin().fragment().charFormat().foreground().color(), ToQColor(0x8000FF));

    auto clickRow = [&](int row) {
        QTextCursor cursor(text->document()->findBlockByNumber(row));
        cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
        QPointF at = text->cursorRect(cursor).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, text->viewport()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(text->viewport(), &press);
    };
    clickRow(1);
    clickRow(0);  // no kind: nothing opens
    clickRow(2);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].text, shown[1].text);
    EXPECT_EQ(opened[0].lineNumber, 2);
    EXPECT_EQ(opened[1].kind, 1);
}

TEST(ScriptInfoForm, SavesPlainTextForTxtInAnyCaseAndRichTextOtherwise) {
    test::TempDir dir;
    std::vector<InfoLine> shown = {{"global:  x", kInfoMaroon, -1, -1, -1}, {"local:   y", kInfoNavy, -1, -1, -1}};
    TScriptInfoForm form(InfoType::BuiltinVariables, {}, [&](InfoType, const std::string&) { return shown; }, nullptr);

    for (const char* name : {"list.txt", "LIST2.TXT", "list3.Txt"}) {
        ASSERT_TRUE(form.SaveToFile(QString::fromStdString(dir.File(name))));
        EXPECT_EQ(ReadFileText(dir.File(name)), "global:  x\r\nlocal:   y\r\n") << name;
    }
    for (const char* name : {"list.rtf", "list.doc", "list"}) {
        ASSERT_TRUE(form.SaveToFile(QString::fromStdString(dir.File(name))));
        std::string rtf = ReadFileText(dir.File(name));
        EXPECT_EQ(rtf.rfind("{\\rtf", 0), 0u) << name;
        CRichText read = ReadRtf(rtf);
        ASSERT_EQ(read.Paragraphs.size(), 2u) << name;
        EXPECT_EQ(read.Paragraphs[0].PlainText(), "global:  x");
        EXPECT_EQ(read.Paragraphs[0].Runs[0].Format.Color, kInfoMaroon);
        EXPECT_EQ(read.Paragraphs[1].Runs[0].Format.Color, kInfoNavy);
    }

    RecordingUI recorder;
    ScopedUI installed(recorder);
    EXPECT_FALSE(form.SaveToFile(QString::fromStdString(dir.File("missing/folder/list.txt"))));
    EXPECT_EQ(recorder.Messages().size(), 1u);
}

TEST(ScriptInfoForm, PrintsTheList) {
    test::TempDir dir;
    TScriptInfoForm form(InfoType::BuiltinVariables, {},
                         [](InfoType, const std::string&) {
                             return std::vector<InfoLine>{{"local:   x", kInfoNavy, -1, -1, -1}};
                         },
                         nullptr);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.File("list.pdf")));
    form.PrintTo(printer);
    EXPECT_EQ(ReadFileText(dir.File("list.pdf")).rfind("%PDF", 0), 0u);
}

// The game's lists open the editors: records which and at which line.
class RecordingHost : public EditorHost {
public:
    struct Editor : ResourceEditor {
        RecordingHost* host;
        void BringToFront() override {}
        void CloseEditor() override {}
        void ShowName(const std::string&) override {}
        void SelectLine(int line) override { host->selected.push_back(line); }
    };
    ResourceEditor* CreateEditor(ResourceKind kind, int index) override {
        created.push_back({kind, index});
        auto editor = std::make_unique<Editor>();
        editor->host = this;
        editors.push_back(std::move(editor));
        return editors.back().get();
    }
    std::vector<std::pair<ResourceKind, int>> created;
    std::vector<int> selected;
    std::vector<std::unique_ptr<Editor>> editors;
};

TEST(ScriptInfoWindows, ListsTheGameAndOpensItsResources) {
    RecordingHost host;
    Game game;
    game.SetEditors(&host);
    game.Sprites().AddResource();
    game.Sprites().RenameResource(0, "ball");
    game.Scripts().AddResource();
    game.Scripts().RenameResource(0, "move");
    game.Scripts().ResourceAt(0)->Code = "x = 1;\r\nfoo(3);";
    game.Options.Constants.push_back({"SPEED", "4"});

    ScriptInfoWindows windows(GameInfoLines(game), OpenGameInfoLine(game));
    TScriptInfoForm* names = windows.Show(InfoType::ResourceNames);
    ASSERT_EQ(names->Lines().size(), 2u);
    EXPECT_EQ(names->Lines()[0].text, "ball: sprite");
    EXPECT_EQ(names->Lines()[1].text, "move: script");

    TScriptInfoForm* check = windows.Show(InfoType::CheckScripts);
    ASSERT_EQ(check->Lines().size(), 1u);
    EXPECT_EQ(check->Lines()[0].text, "In script move line 2 pos 2: Unknown function or script: foo");

    bool hasSpeed = false;
    for (const auto& line : windows.Show(InfoType::Constants)->Lines()) hasSpeed |= line.text == "SPEED";
    EXPECT_TRUE(hasSpeed);

    // Renamed since: Refresh sees the change.
    game.Sprites().RenameResource(0, "bat");
    names->Refresh();
    EXPECT_EQ(names->Lines()[0].text, "bat: sprite");

    check->OpenLine(0);
    names->OpenLine(0);
    ASSERT_EQ(host.created.size(), 2u);
    EXPECT_EQ(host.created[0], std::make_pair(ResourceKind::Script, 0));
    EXPECT_EQ(host.created[1], std::make_pair(ResourceKind::Sprite, 0));
    EXPECT_EQ(host.selected, std::vector<int>{2});
    windows.CloseAll();
    FlushDeletes();
    game.SetEditors(nullptr);
}

}  // namespace
}  // namespace kestrin
