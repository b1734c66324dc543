// The code edit control: keys, bytes in and out, undo on the widget, the
// length limit and colouring that follows edits.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "app/text_convert.h"
#include "code_editors/code_edit.h"
#include "code_editors/code_highlighter.h"
#include "language/project_names.h"

namespace kestrin {
namespace {

const ProjectNames& Names() {
    static const ProjectNames names = [] {
        ProjectNames n;
        n.AddResource(ResourceKind::Sprite, "spr_ball");
        return n;
    }();
    return names;
}

class CodeEditTest : public ::testing::Test {
protected:
    CodeEditTest() : edit(Names()) {
        edit.resize(400, 300);
        edit.show();
        edit.setFocus();
    }
    void Put(const std::string& code, int caret) {
        edit.SetCode(code);
        QTextCursor cursor = edit.textCursor();
        cursor.setPosition(caret);
        edit.setTextCursor(cursor);
        edit.ResetUndo();
    }
    std::string Text() const { return *edit.EditText(); }
    TMyRichEdit edit;
};

TEST_F(CodeEditTest, KeysEditLikeACodeEditor) {
    struct Case {
        const char* text;
        int caret;
        bool smartTabs;
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* after;
        int caretAfter;
    } cases[] = {
        {"abcde", 5, false, Qt::Key_Tab, Qt::NoModifier, "abcde   ", 8},
        {"if (a)\n", 7, true, Qt::Key_Tab, Qt::NoModifier, "if (a)\n   ", 10},
        {"ab", 1, false, Qt::Key_I, Qt::ControlModifier, "    ab", 5},
        {"      ab", 7, false, Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier, "  ab", 3},
        {"      ab", 7, false, Qt::Key_Backtab, Qt::ShiftModifier, "  ab", 3},
        {"      x", 7, false, Qt::Key_Return, Qt::NoModifier, "      x\n      ", 14},
        {"      x", 7, false, Qt::Key_Return, Qt::ShiftModifier, "      x\n      ", 14},
        {"    a\n        b\n        c", 24, false, Qt::Key_Backspace, Qt::NoModifier, "    a\n        b\n    c", 20},
        {"ab", 1, false, Qt::Key_Tab, Qt::ControlModifier, "ab", 1},
    };
    for (const Case& c : cases) {
        Put(c.text, c.caret);
        edit.SmartTabs = c.smartTabs;
        QTest::keyClick(&edit, static_cast<Qt::Key>(c.key), c.modifiers);
        EXPECT_EQ(Text(), c.after) << c.text << " key " << c.key;
        EXPECT_EQ(edit.textCursor().position(), c.caretAfter) << c.text << " key " << c.key;
        EXPECT_EQ(Text().find('\t'), std::string::npos);
    }
}

TEST_F(CodeEditTest, TypedTabCharactersAndWideCharactersNeverArrive) {
    Put("", 0);
    QTest::keyClicks(&edit, QStringLiteral("a"));
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\t"));
    QApplication::sendEvent(&edit, &tab);
    QTest::keyClicks(&edit, QStringLiteral("b"));
    QKeyEvent euro(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x20AC)));
    QApplication::sendEvent(&edit, &euro);
    QApplication::clipboard()->setText(QStringLiteral("\u00E9\u0416\r\nz"));
    edit.paste();
    EXPECT_EQ(Text(), "ab?\xE9?\nz");
    EXPECT_EQ(edit.Code(), "ab?\xE9?\r\nz");
}

TEST_F(CodeEditTest, BytesComeBackAsStored) {
    struct Case {
        std::string stored;
        std::string code;
    } cases[] = {
        {"a\r\nb", "a\r\nb"},
        {"a\nb\n", "a\r\nb\r\n"},
        {"a\rb", "a\r\nb"},
        {std::string("x\xA0y\xFF\x80 \x01z", 8), std::string("x\xA0y\xFF\x80 \x01z", 8)},
        {"\r\n\r\n", "\r\n\r\n"},
    };
    for (const Case& c : cases) {
        edit.SetCode(c.stored);
        EXPECT_EQ(edit.Code(), c.code);
    }
    // An edit beside a no-break space keeps it.
    Put(std::string("a\xA0", 2), 2);
    QTest::keyClicks(&edit, QStringLiteral("b"));
    EXPECT_EQ(edit.Code(), std::string("a\xA0" "b", 3));
}

TEST_F(CodeEditTest, UndoRestoresTextSelectionAndTopLine) {
    std::string code;
    for (int i = 0; i < 200; ++i) code += "line " + std::to_string(i) + "\r\n";
    edit.SetCode(code);
    edit.GotoLine(150);
    edit.ScrollTo(120);
    edit.ResetUndo();
    QTest::keyClicks(&edit, QStringLiteral("xyz"));
    edit.ScrollTo(0);
    EXPECT_TRUE(edit.CanUndo());
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit.Code(), code);
    EXPECT_EQ(edit.CaretLine(), 150);
    EXPECT_EQ(edit.CaretColumn(), 0);
    EXPECT_EQ(edit.FirstVisibleLine(), 120);
    QTest::keyClick(&edit, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(edit.CaretColumn(), 3);
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NE(edit.Code().find("xyzline 150"), std::string::npos);
    edit.SetUndoSize(0);
    QTest::keyClicks(&edit, QStringLiteral("q"));
    EXPECT_FALSE(edit.CanUndo());
}

TEST_F(CodeEditTest, LengthLimitRefusesOnlyGrowth) {
    edit.MaxLength = 10;
    const std::string longer(15, 'x');
    Put(longer, 15);
    EXPECT_EQ(edit.Code(), longer);
    QTest::keyClicks(&edit, QStringLiteral("y"));
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(edit.Code(), longer);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.Code().size(), 14u);
    Put("abc", 3);
    QApplication::clipboard()->setText(QStringLiteral("0123456789"));
    edit.paste();
    EXPECT_EQ(edit.Code(), "abc0123456");
}

TEST_F(CodeEditTest, ScrollKeysAndQueries) {
    std::string code;
    for (int i = 0; i < 300; ++i) code += "x\r\n";
    Put(code, 0);
    QTest::keyClick(&edit, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(edit.FirstVisibleLine(), 2);
    EXPECT_EQ(edit.CaretLine(), 0);
    QTest::keyClick(&edit, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(edit.FirstVisibleLine(), 2 + edit.VisibleLineCount());
    QTest::keyClick(&edit, Qt::Key_Insert);
    EXPECT_FALSE(edit.InsertMode());
    edit.GotoLine(9999);
    EXPECT_EQ(edit.CaretLine(), 300);
    edit.ScrollTo(-5);
    EXPECT_EQ(edit.FirstVisibleLine(), 0);
}

// The formats of every block as one comparable list.
std::vector<std::string> Formats(const QTextDocument& document) {
    std::vector<std::string> all;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        std::string line = std::to_string(block.userState()) + ":";
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            line += std::to_string(range.start) + "+" + std::to_string(range.length) + "/" +
                    FromQt(range.format.foreground().color().name()) + (range.format.fontItalic() ? "i" : "") +
                    (range.format.fontWeight() == QFont::Bold ? "b" : "") + " ";
        }
        all.push_back(line);
    }
    return all;
}

TEST_F(CodeEditTest, ColouringFollowsEditsLikeAFullRecolour) {
    const char* pieces[] = {"/*", "*/", "//", "\"", "\n", "x", "spr_ball", " if ", "{", "draw_sprite(", "5", "'"};
    QRandomGenerator random(7);
    Put("x = 1;\r\n/* a */ y\r\nif (spr_ball) {}\r\n", 0);
    for (int step = 0; step < 300; ++step) {
        QTextCursor cursor(edit.document());
        const int length = edit.Length();
        const int at = static_cast<int>(random.bounded(length + 1));
        cursor.setPosition(at);
        if (random.bounded(3) == 0 && at < length) {
            cursor.setPosition(std::min(length, at + static_cast<int>(random.bounded(6))), QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        } else {
            cursor.insertText(QString::fromLatin1(pieces[random.bounded(static_cast<int>(std::size(pieces)))]));
        }
    }
    TMyRichEdit fresh(Names());
    fresh.SetCode(edit.Code());
    EXPECT_EQ(Formats(*edit.document()), Formats(*fresh.document()));
    // Switched off: nothing is formatted; on again: as before.
    edit.Highlighter().SetEnabled(false);
    for (const std::string& line : Formats(*edit.document())) EXPECT_EQ(line.find('/'), std::string::npos) << line;
    edit.Highlighter().SetEnabled(true);
    EXPECT_EQ(Formats(*edit.document()), Formats(*fresh.document()));
}

}  // namespace
}  // namespace kestrin
