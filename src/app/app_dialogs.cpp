// QtAppDialogs: file dialogs, input boxes and the two special questions.

#include "app/app_dialogs.h"

#include <QFileDialog>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "app/text_convert.h"

namespace kestrin {

std::optional<std::string> QtAppDialogs::ChooseFile(const FileDialogSpec& spec) {
    QFileDialog dialog(mParent, ToQt(spec.title));
    dialog.setObjectName(ToQt(spec.objectName));
    dialog.setNameFilter(ToQt(spec.filter));
    dialog.setDefaultSuffix(ToQt(spec.defaultExtension));
    if (spec.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(spec.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (!spec.folder.empty()) dialog.setDirectory(PathToQt(spec.folder));
    if (!spec.proposedName.empty()) dialog.selectFile(PathToQt(spec.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return PathFromQt(dialog.selectedFiles().first());
}

int InputBoxWidth(const QString& caption, const QFont& font) {
    // The title bar's text is bold on most desktops, and shares the bar with
    // the window's icon and its buttons.
    QFont bold = font;
    bold.setBold(true);
    constexpr int kTitleBarExtras = 140;
    return std::max(320, QFontMetrics(bold).horizontalAdvance(caption) + kTitleBarExtras);
}

std::optional<std::string> QtAppDialogs::InputText(const std::string& caption, const std::string& prompt,
                                                   const std::string& defaultText) {
    QInputDialog dialog(mParent);
    dialog.setObjectName(QStringLiteral("InputBox"));
    dialog.setWindowTitle(ToQt(caption));
    dialog.setLabelText(ToQt(prompt));
    dialog.setTextValue(ToQt(defaultText));
    // The dialog's layout fixes its own minimum size from its contents, so the
    // room for the caption is asked of the text field.
    if (auto* edit = dialog.findChild<QLineEdit*>()) {
        const QMargins margins = dialog.layout() ? dialog.layout()->contentsMargins() : QMargins(11, 11, 11, 11);
        edit->setMinimumWidth(InputBoxWidth(dialog.windowTitle(), dialog.font()) - margins.left() - margins.right());
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return FromQt(dialog.textValue());
}

ImageResourceChoice QtAppDialogs::AskImageResource() {
    QMessageBox box(mParent);
    box.setObjectName(QStringLiteral("ImageResourceQuestion"));
    // No close button: the answer has to be one of the three.
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    box.setWindowTitle(QString::fromLatin1(kImageResourceTitle));
    box.setText(QString::fromLatin1(kImageResourceText));
    box.setIcon(QMessageBox::Question);
    QPushButton* sprite = box.addButton(QStringLiteral("Sprite"), QMessageBox::AcceptRole);
    QPushButton* background = box.addButton(QStringLiteral("Background"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(sprite);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == sprite) return ImageResourceChoice::Sprite;
    if (box.clickedButton() == background) return ImageResourceChoice::Background;
    return ImageResourceChoice::Cancel;
}

bool QtAppDialogs::AskOkCancel(const std::string& text) {
    return QMessageBox::question(mParent, QStringLiteral("Kestrin"), ToQt(text), QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

}  // namespace kestrin
