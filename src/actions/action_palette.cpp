// Walks a library's definitions in file order and places them in two columns.

#include "actions/action_palette.h"

#include "actions/action_registry.h"

namespace kestrin {

PaletteLayout LayoutActionPalette(const CActionLibrary& library, bool advancedMode) {
    PaletteLayout layout;
    int column = 0;
    int y = 0;
    auto takeCell = [&](PaletteCell cell) {
        cell.x = column * kPaletteCellStep;
        cell.y = y;
        layout.cells.push_back(std::move(cell));
        if (column == 1) {
            column = 0;
            y += kPaletteCellStep;
        } else {
            column = 1;
        }
    };

    for (const auto& owned : library.Definitions) {
        const CActionDefinition& definition = *owned;
        if (definition.Hidden || definition.Kind == kActionKindHidden) continue;
        if (definition.Kind == kActionKindGap) {
            takeCell(PaletteCell{});
            continue;
        }
        if (definition.Kind == kActionKindLabel) {
            if (column == 1) {
                column = 0;
                y += kPaletteCellStep;
            }
            y -= 2;
            PaletteCell label;
            label.type = PaletteCell::Type::Label;
            label.x = 4;
            label.y = y;
            label.text = " " + definition.Name + " ";
            label.lineX = 0;
            label.lineY = y + 6;
            label.lineWidth = kPaletteLabelLineWidth;
            label.lineHeight = kPaletteLabelLineHeight;
            layout.cells.push_back(std::move(label));
            y += 16;
            continue;
        }
        if (definition.Advanced && !advancedMode) {
            takeCell(PaletteCell{});
            continue;
        }
        PaletteCell button;
        button.type = PaletteCell::Type::Button;
        button.definition = &definition;
        button.libraryId = library.Id;
        button.actionId = definition.Id;
        button.iconIndex = definition.IconIndex;
        takeCell(std::move(button));
    }
    layout.height = column == 1 ? y + kPaletteCellStep : y;
    return layout;
}

std::vector<const CActionLibrary*> PaletteLibraries(bool advancedMode) {
    std::vector<const CActionLibrary*> libraries;
    for (int i = 0; i < LibraryCount(); ++i) {
        const CActionLibrary* library = LibraryAt(i);
        if (advancedMode || !library->Advanced) libraries.push_back(library);
    }
    return libraries;
}

}  // namespace kestrin
