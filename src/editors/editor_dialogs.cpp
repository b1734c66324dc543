// The Qt side of the editors' shared dialogs and the short forms.

#include "editors/editor_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <memory>
#include <utility>

#include "app/color_value.h"
#include "app/text_convert.h"
#include "code_editors/code_form.h"
#include "image_editors/edit_sprite_form.h"
#include "image_editors/image_edit_form.h"
#include "image_editors/placement_form.h"
#include "image_editors/strip_form.h"
#include "image_editors/values_dialog.h"
#include "platform/external_program.h"
#include "platform/preferences.h"

namespace kestrin {

namespace {

EditorDialogs* gInstalled = nullptr;

QFileDialog* MakeFileDialog(const FileDialogSpec& spec) {
    auto* dialog = new QFileDialog(QApplication::activeWindow(), ToQt(spec.title));
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    dialog->setObjectName(ToQt(spec.objectName));
    dialog->setNameFilter(ToQt(spec.filter));
    dialog->setDefaultSuffix(ToQt(spec.defaultExtension));
    if (spec.save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(spec.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (!spec.folder.empty()) dialog->setDirectory(PathToQt(spec.folder));
    if (!spec.proposedName.empty()) dialog->selectFile(PathToQt(spec.proposedName));
    return dialog;
}

}  // namespace

EditorDialogs& UsedEditorDialogs() {
    static QtEditorDialogs qtDialogs;
    return gInstalled ? *gInstalled : qtDialogs;
}

EditorDialogs* InstallEditorDialogs(EditorDialogs* dialogs) { return std::exchange(gInstalled, dialogs); }

bool QtEditorDialogs::AskValues(const std::string& title, int count, const std::array<std::string, 3>& captions,
                                std::array<std::int32_t, 3>& values) {
    return TValuesDialog::Instance().Ask(title, count, captions, values);
}

// The program the preferences name, or the code editor.
std::optional<CodeEditResult> QtEditorDialogs::EditCode(const CodeEditRequest& request) {
    if (ExternalCodeEditorChosen()) {
        std::string text = EditTextExternally(request.text, Prefs().CodeEditor);
        if (text == request.text) return std::nullopt;
        return CodeEditResult{text, request.appliesTo};
    }
    return RunCodeForm(request);
}

std::optional<std::int32_t> QtEditorDialogs::ChooseColor(std::int32_t color) {
    QColor chosen = QColorDialog::getColor(ToQColor(color), QApplication::activeWindow());
    if (!chosen.isValid()) return std::nullopt;
    return FromQColor(chosen);
}

std::optional<QFont> QtEditorDialogs::ChooseFont(const QFont& font) {
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, font, QApplication::activeWindow());
    if (!ok) return std::nullopt;
    return chosen;
}

std::optional<std::string> QtEditorDialogs::ChooseFile(const FileDialogSpec& spec) {
    std::unique_ptr<QFileDialog> dialog(MakeFileDialog(spec));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    return PathFromQt(dialog->selectedFiles().first());
}

std::vector<std::string> QtEditorDialogs::ChooseFiles(const FileDialogSpec& spec) {
    std::unique_ptr<QFileDialog> dialog(MakeFileDialog(spec));
    dialog->setFileMode(QFileDialog::ExistingFiles);
    std::vector<std::string> files;
    if (dialog->exec() != QDialog::Accepted) return files;
    for (const QString& file : dialog->selectedFiles()) files.push_back(PathFromQt(file));
    return files;
}

bool QtEditorDialogs::EditImage(Bitmap24& image, bool allowResize, bool transparent,
                                const ImageEditContext& context) {
    return RunImageEditor(image, allowResize, transparent, context);
}

bool QtEditorDialogs::AskStrip(const Bitmap24& picture, bool lockSize) { return RunStripForm(picture, lockSize); }

int QtEditorDialogs::AskPlacement() { return RunPlacementForm(); }

bool QtEditorDialogs::EditSprite(CSprite& sprite) { return RunEditSpriteForm(sprite); }

bool AskValue(const std::string& title, const std::string& caption, std::int32_t& value) {
    std::array<std::int32_t, 3> values{value, 0, 0};
    if (!UsedEditorDialogs().AskValues(title, 1, {caption, "", ""}, values)) return false;
    value = values[0];
    return true;
}

bool AskValues2(const std::string& title, const std::string& caption1, std::int32_t& value1,
                const std::string& caption2, std::int32_t& value2) {
    std::array<std::int32_t, 3> values{value1, value2, 0};
    if (!UsedEditorDialogs().AskValues(title, 2, {caption1, caption2, ""}, values)) return false;
    value1 = values[0];
    value2 = values[1];
    return true;
}

bool AskValues3(const std::string& title, const std::string& caption1, std::int32_t& value1,
                const std::string& caption2, std::int32_t& value2, const std::string& caption3,
                std::int32_t& value3) {
    std::array<std::int32_t, 3> values{value1, value2, value3};
    if (!UsedEditorDialogs().AskValues(title, 3, {caption1, caption2, caption3}, values)) return false;
    value1 = values[0];
    value2 = values[1];
    value3 = values[2];
    return true;
}

}  // namespace kestrin
