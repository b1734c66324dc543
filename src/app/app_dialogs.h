#pragma once
// The dialogs the main window's commands ask through besides the messages and
// questions of the user-interface seam: file choosers, input boxes, the
// resource kind of dropped pictures and the OK/Cancel question. The app uses
// the Qt dialogs; tests install their own answers.

#include <optional>
#include <string>

class QFont;
class QString;
class QWidget;

namespace kestrin {

enum class ImageResourceChoice { Sprite, Background, Cancel };

struct FileDialogSpec {
    std::string objectName;        // FileOpenDialog, FileSaveDialog, ...
    std::string title;
    std::string defaultExtension;  // without the dot
    std::string filter;            // Qt form: "Game files (*.ksd);;..."
    bool save = false;             // a save dialog asks before overwriting
    bool mustExist = false;
    std::string folder;            // where it starts; empty: wherever it likes
    std::string proposedName;
};

class AppDialogs {
public:
    virtual ~AppDialogs() = default;
    // The chosen file, or nothing when the user cancelled.
    virtual std::optional<std::string> ChooseFile(const FileDialogSpec& spec) = 0;
    // The entered text, or nothing when the user cancelled.
    virtual std::optional<std::string> InputText(const std::string& caption, const std::string& prompt,
                                                 const std::string& defaultText) = 0;
    // "What resource to create?" for pictures dropped on the main window.
    virtual ImageResourceChoice AskImageResource() = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool AskOkCancel(const std::string& text) = 0;
};

// The width of an input box, so that its whole caption fits in its title bar.
int InputBoxWidth(const QString& caption, const QFont& font);

// The Qt dialogs, children of the given window.
class QtAppDialogs : public AppDialogs {
public:
    explicit QtAppDialogs(QWidget* parent) : mParent(parent) {}
    std::optional<std::string> ChooseFile(const FileDialogSpec& spec) override;
    std::optional<std::string> InputText(const std::string& caption, const std::string& prompt,
                                         const std::string& defaultText) override;
    ImageResourceChoice AskImageResource() override;
    bool AskOkCancel(const std::string& text) override;

private:
    QWidget* mParent;
};

inline constexpr const char* kImageResourceTitle = "What resource to create?";
inline constexpr const char* kImageResourceText = "Please indicate the type of resource you want to create.";

}  // namespace kestrin
