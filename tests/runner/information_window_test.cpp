// The runner's game information page reads the rich text as the editor's
// information window does: Windows Western characters beyond Latin-1 (the
// euro sign, the dashes, the curly quotes) are kept.

#include <gtest/gtest.h>

#include <QTextDocument>
#include <QTextEdit>

#include "app/rich_text_bridge.h"
#include "resources/game_information.h"
#include "runner/information_window.h"

namespace kestrin {
namespace {

TEST(RunnerInformation, ShowsThePageAsTheEditorReadsIt) {
    CGameInformation information;
    const std::string text = "Caf\xE9 na\xEFve \x97 \xFCmlaut \xDF \x80 \x93quoted\x94";
    information.Text.Paragraphs.push_back({ParagraphAlignment::Center, false, {{text, TextFormat{}}}});
    information.Text.Paragraphs.push_back({ParagraphAlignment::Left, true, {{"second", TextFormat{}}}});
    runner::InformationWindow window(information);
    auto* view = window.findChild<QTextEdit*>(QStringLiteral("InformationText"));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->toPlainText(),
              QStringLiteral("Caf\u00e9 na\u00efve \u2014 \u00fcmlaut \u00df \u20ac \u201cquoted\u201d\nsecond"));

    QTextDocument editor;
    PutRichText(information.Text, editor);
    EXPECT_EQ(view->document()->toHtml(), editor.toHtml());
}

}  // namespace
}  // namespace kestrin
