// Writing the object information report.

#include "editors/object_report.h"

#include "actions/action_definition.h"
#include "actions/action_description.h"
#include "editors/event_texts.h"
#include "storage/game.h"

namespace kestrin {

namespace {

constexpr double kHeadingSize = 12.0;
constexpr double kBodySize = 8.0;
constexpr int kIndentStep = 6;

void AddLine(CRichText& document, const std::string& text, bool bold = false, double size = kBodySize) {
    RichParagraph paragraph;
    TextRun run;
    run.Text = text;
    run.Format.Size = size;
    run.Format.Bold = bold;
    paragraph.Runs.push_back(std::move(run));
    document.Paragraphs.push_back(std::move(paragraph));
}

std::string Flag(bool value) { return value ? "true" : "false"; }

void AppendEvent(CRichText& document, const Game& game, const CEvent& event) {
    int depth = 0;
    bool afterQuestion = false;
    for (int i = 0; i < event.ActionCount(); ++i) {
        const CAction& action = *event.GetAction(i);
        if (action.Kind == kActionKindBlockStart) {
            ++depth;
        } else if (action.Kind == kActionKindBlockEnd) {
            // A block end without its start must not push lines left of the margin.
            depth = std::max(0, depth - 1);
        } else {
            const int indent = depth + (afterQuestion ? 1 : 0);
            AddLine(document, std::string(static_cast<std::size_t>(indent * kIndentStep), ' ') + ActionHint(action, game));
        }
        afterQuestion =
            action.Kind == kActionKindIndentNext || action.Kind == kActionKindIndentNext2 || action.IsQuestion;
    }
}

}  // namespace

void AppendObjectReport(CRichText& document, const Game& game, int index) {
    const CObject* object = game.ObjectAt(index);
    if (!object) return;
    AddLine(document, "Information about object: " + game.ResourceName(ResourceKind::Object, index), true,
            kHeadingSize);
    AddLine(document, "");
    AddLine(document, "Sprite: " + (object->Sprite < 0 ? std::string("<no sprite>")
                                                        : game.ResourceName(ResourceKind::Sprite, object->Sprite)));
    AddLine(document, "Solid: " + Flag(object->Solid));
    AddLine(document, "Visible: " + Flag(object->Visible));
    AddLine(document, "Depth: " + std::to_string(object->Depth));
    AddLine(document, "Persistent: " + Flag(object->Persistent));
    AddLine(document, "Parent: " + (object->Parent < 0 ? std::string("<no parent>")
                                                        : game.ResourceName(ResourceKind::Object, object->Parent)));
    AddLine(document, "Mask: " + (object->Mask < 0 ? std::string("<same as sprite>")
                                                    : game.ResourceName(ResourceKind::Sprite, object->Mask)));
    for (int type = 0; type < kEventTypeCount; ++type) {
        for (int number : object->EventNumbers(type)) {
            AddLine(document, "");
            AddLine(document, EventCaptionIn(game, type, number) + ":", true);
            AppendEvent(document, game, *object->FindEvent(type, number));
        }
    }
}

CRichText ObjectReport(const Game& game, int object) {
    CRichText document;
    AppendObjectReport(document, game, object);
    return document;
}

CRichText AllObjectsReport(const Game& game) {
    CRichText document;
    for (int i = 0; i < game.ResourceCount(ResourceKind::Object); ++i) {
        if (!game.ObjectAt(i)) continue;
        AppendObjectReport(document, game, i);
        AddLine(document, std::string(54, '_'));
        AddLine(document, "");
    }
    return document;
}

}  // namespace kestrin
