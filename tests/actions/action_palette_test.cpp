// Palette layout: gaps, hidden definitions, labels that start a fresh row,
// advanced actions in simple mode, and which libraries get a tab.

#include <gtest/gtest.h>

#include "actions/action_palette.h"
#include "actions/action_registry.h"
#include "library_fixture.h"
#include "platform/recording_ui.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

using Type = PaletteCell::Type;

struct Expected {
    Type type;
    int x;
    int y;
    std::int32_t actionId;  // buttons only
};

CActionDefinition& Add(CActionLibrary& library, std::int32_t id, int kind = 0) {
    CActionDefinition& d = library.AddDefinition();
    d.Id = id;
    d.Kind = kind;
    d.IconIndex = id;
    return d;
}

void ExpectCells(const PaletteLayout& layout, const std::vector<Expected>& expected) {
    ASSERT_EQ(layout.cells.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const PaletteCell& cell = layout.cells[i];
        EXPECT_EQ(cell.type, expected[i].type);
        EXPECT_EQ(cell.x, expected[i].x);
        EXPECT_EQ(cell.y, expected[i].y);
        if (cell.type == Type::Button) {
            EXPECT_EQ(cell.actionId, expected[i].actionId);
            EXPECT_EQ(cell.iconIndex, expected[i].actionId);
            ASSERT_NE(cell.definition, nullptr);
            EXPECT_EQ(cell.definition->Id, expected[i].actionId);
        }
    }
}

TEST(ActionPalette, HiddenKindsGapsAndLabels) {
    CActionLibrary library = test::MakeLibrary("tab", 12, 0);
    Add(library, 1);
    Add(library, 2).Hidden = true;        // no cell
    Add(library, 3, kActionKindHidden);   // no cell
    Add(library, 4, kActionKindGap);      // empty cell at the right
    Add(library, 5);
    Add(library, 6, kActionKindLabel).Name = "Group";  // walk is in the right column: next row first
    Add(library, 7);
    Add(library, 8);
    Add(library, 9, kActionKindLabel).Name = "Two";    // already in the left column
    Add(library, 10).Advanced = true;

    for (bool advanced : {false, true}) {
        SCOPED_TRACE(advanced);
        const PaletteLayout layout = LayoutActionPalette(library, advanced);
        ExpectCells(layout, {{Type::Button, 0, 0, 1},
                             {Type::Empty, 32, 0, 0},
                             {Type::Button, 0, 32, 5},
                             {Type::Label, 4, 62, 0},
                             {Type::Button, 0, 78, 7},
                             {Type::Button, 32, 78, 8},
                             {Type::Label, 4, 108, 0},
                             {advanced ? Type::Button : Type::Empty, 0, 124, 10}});
        const PaletteCell& label = layout.cells[3];
        EXPECT_EQ(label.text, " Group ");
        EXPECT_EQ(label.lineX, 0);
        EXPECT_EQ(label.lineY, 68);
        EXPECT_EQ(label.lineWidth, 56);
        EXPECT_EQ(label.lineHeight, 4);
        EXPECT_EQ(layout.cells[0].libraryId, 12);
        EXPECT_EQ(layout.height, 156);
    }
}

TEST(ActionPalette, ALabelFirstMovesUpAboveTheFirstRow) {
    CActionLibrary library = test::MakeLibrary("tab", 1, 0);
    Add(library, 1, kActionKindLabel).Name = "Top";
    Add(library, 2);
    const PaletteLayout layout = LayoutActionPalette(library, false);
    ExpectCells(layout, {{Type::Label, 4, -2, 0}, {Type::Button, 0, 14, 2}});
    EXPECT_EQ(layout.cells[0].lineY, 4);
}

TEST(ActionPalette, AdvancedLibrariesOnlyGetATabInAdvancedMode) {
    ClearActionLibraries();
    RecordingUI ui;
    ScopedUI installed(ui);
    test::TempDir dir;
    CActionLibrary advanced = test::MakeLibrary("adv", 2, 1);
    advanced.Advanced = true;
    test::WriteLibrary(dir.File("1.lib"), test::MakeLibrary("plain", 1, 1));
    test::WriteLibrary(dir.File("2.lib"), advanced);
    test::WriteLibrary(dir.File("3.lib"), test::MakeLibrary("plain2", 3, 1));
    ASSERT_TRUE(LoadActionLibrariesFrom(dir.Path() + "/"));
    auto captions = [](bool mode) {
        std::vector<std::string> out;
        for (const CActionLibrary* library : PaletteLibraries(mode)) out.push_back(library->Caption);
        return out;
    };
    EXPECT_EQ(captions(false), (std::vector<std::string>{"plain", "plain2"}));
    EXPECT_EQ(captions(true), (std::vector<std::string>{"plain", "adv", "plain2"}));
    EXPECT_EQ(PaletteActionNumber(3, 17), 3017);
    EXPECT_EQ(PaletteWidth(2), 112);
    ClearActionLibraries();
}

}  // namespace
}  // namespace kestrin
