#pragma once
// The dialogs every resource editor shares, behind one seam: the value
// dialog, the code editor, the colour and font choosers and the file
// choosers. The app uses the Qt dialogs; tests install scripted answers with
// ScopedEditorDialogs. The short forms below are what editors call.

#include <QFont>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/app_dialogs.h"
#include "imaging/bitmap24.h"

namespace kestrin {

class CSprite;

// A piece of code handed to the code editor: an action's code, a room's or
// an instance's creation code, or (code mode off) an action's plain text.
struct CodeEditRequest {
    std::string text;
    std::string caption;
    bool codeMode = true;
    bool showAppliesTo = false;
    std::int32_t appliesTo = -1;  // -1 self, -2 other, 0 and up an object
};

// What the image editor may show around the edited image without it being
// part of it: a sprite's frames before and after the edited one, drawn
// faintly over the canvas so that motion can be drawn in step.
struct ImageEditContext {
    std::vector<Bitmap24> neighbours;
};

struct CodeEditResult {
    std::string text;
    std::int32_t appliesTo = -1;
};

class EditorDialogs {
public:
    virtual ~EditorDialogs() = default;
    // Rows 1..count with their captions and values; true and the new values
    // on OK, false with `values` untouched otherwise.
    virtual bool AskValues(const std::string& title, int count, const std::array<std::string, 3>& captions,
                           std::array<std::int32_t, 3>& values) = 0;
    // The edited code when the user confirmed a change; nothing otherwise.
    virtual std::optional<CodeEditResult> EditCode(const CodeEditRequest& request) = 0;
    // Colours as stored: red in the low byte.
    virtual std::optional<std::int32_t> ChooseColor(std::int32_t color) = 0;
    virtual std::optional<QFont> ChooseFont(const QFont& font) = 0;
    virtual std::optional<std::string> ChooseFile(const FileDialogSpec& spec) = 0;
    // Several existing files at once; empty when cancelled.
    virtual std::vector<std::string> ChooseFiles(const FileDialogSpec& spec) = 0;
    // The image editor (or the external paint program) on the image; true
    // when the image was changed. allowResize offers the commands that
    // change its size; transparent is how the image operations treat its
    // transparent colour. The context's neighbours are shown, never edited.
    virtual bool EditImage(Bitmap24& image, bool allowResize, bool transparent,
                           const ImageEditContext& context) = 0;
    // The strip window over the picture, with the run's strip settings
    // (CurrentStripSettings) in its fields; every change is kept in them, also
    // on Cancel. A locked size keeps width and height as they are. True on OK.
    virtual bool AskStrip(const Bitmap24& picture, bool lockSize) = 0;
    // The placement question for incoming frames of another size: one of the
    // kPlacement answers.
    virtual int AskPlacement() = 0;
    // The sprite editor, modal, on the sprite's frames; true when it replaced
    // them.
    virtual bool EditSprite(CSprite& sprite) = 0;
};

// The Qt dialogs, over the active window.
class QtEditorDialogs : public EditorDialogs {
public:
    bool AskValues(const std::string& title, int count, const std::array<std::string, 3>& captions,
                   std::array<std::int32_t, 3>& values) override;
    std::optional<CodeEditResult> EditCode(const CodeEditRequest& request) override;
    std::optional<std::int32_t> ChooseColor(std::int32_t color) override;
    std::optional<QFont> ChooseFont(const QFont& font) override;
    std::optional<std::string> ChooseFile(const FileDialogSpec& spec) override;
    std::vector<std::string> ChooseFiles(const FileDialogSpec& spec) override;
    bool EditImage(Bitmap24& image, bool allowResize, bool transparent, const ImageEditContext& context) override;
    bool AskStrip(const Bitmap24& picture, bool lockSize) override;
    int AskPlacement() override;
    bool EditSprite(CSprite& sprite) override;
};

// The dialogs in use (the Qt ones unless something else is installed).
EditorDialogs& UsedEditorDialogs();
// Installs dialogs; nullptr goes back to the Qt ones. Returns the previous.
EditorDialogs* InstallEditorDialogs(EditorDialogs* dialogs);

class ScopedEditorDialogs {
public:
    explicit ScopedEditorDialogs(EditorDialogs& dialogs) : mPrevious(InstallEditorDialogs(&dialogs)) {}
    ~ScopedEditorDialogs() { InstallEditorDialogs(mPrevious); }
    ScopedEditorDialogs(const ScopedEditorDialogs&) = delete;
    ScopedEditorDialogs& operator=(const ScopedEditorDialogs&) = delete;

private:
    EditorDialogs* mPrevious;
};

// One, two or three values; the caller's variables change only on OK.
bool AskValue(const std::string& title, const std::string& caption, std::int32_t& value);
bool AskValues2(const std::string& title, const std::string& caption1, std::int32_t& value1,
                const std::string& caption2, std::int32_t& value2);
bool AskValues3(const std::string& title, const std::string& caption1, std::int32_t& value1,
                const std::string& caption2, std::int32_t& value2, const std::string& caption3,
                std::int32_t& value3);
inline bool EditImage(Bitmap24& image, bool allowResize, bool transparent, const ImageEditContext& context = {}) {
    return UsedEditorDialogs().EditImage(image, allowResize, transparent, context);
}
inline bool AskStrip(const Bitmap24& picture, bool lockSize) {
    return UsedEditorDialogs().AskStrip(picture, lockSize);
}
inline int AskPlacement() { return UsedEditorDialogs().AskPlacement(); }
inline bool EditSprite(CSprite& sprite) { return UsedEditorDialogs().EditSprite(sprite); }
inline std::optional<CodeEditResult> EditCode(const CodeEditRequest& request) {
    return UsedEditorDialogs().EditCode(request);
}

}  // namespace kestrin
