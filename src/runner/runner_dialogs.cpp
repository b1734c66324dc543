// The game's dialogs built in Qt with the message settings.

#include "runner/runner_dialogs.h"

#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <cstring>

#include "runner/runner_text.h"
#include "storage/game.h"

namespace kestrin::runner {

namespace {

QString Latin1(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

QColor ToQColor(ColorValue color) { return QColor(RedOf(color), GreenOf(color), BlueOf(color)); }

// A font the game never set is left as Qt's own.
bool FontSet(const engine::MessageFont& font) {
    const engine::MessageFont usual;
    return font.font.name != usual.font.name || font.font.size != usual.font.size ||
           font.font.style != usual.font.style || font.color != usual.color;
}

void SetFontOf(QWidget& widget, const engine::MessageFont& font) {
    if (!FontSet(font)) return;
    widget.setFont(GameFont(font.font));
    QPalette palette = widget.palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, ToQColor(font.color));
    widget.setPalette(palette);
}

// Closes at a key or a click.
class ShowWindow : public QDialog {
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent*) override { accept(); }
    void mousePressEvent(QMouseEvent*) override { accept(); }
};

}  // namespace

QImage BackgroundPicture(Game& game, int background) {
    const CBackground* resource = game.Backgrounds().ResourceAt(background);
    const Bitmap24* image = resource ? resource->DisplayImage() : nullptr;
    if (!image || image->Width() <= 0 || image->Height() <= 0) return {};
    QImage picture(image->Width(), image->Height(), QImage::Format_BGR888);
    for (int y = 0; y < image->Height(); ++y) std::memcpy(picture.scanLine(y), image->Row(y), image->RowBytes());
    return picture;
}

void ApplyMessageLook(QDialog& dialog, const engine::MessageLook& look, const QString& windowCaption,
                      const QImage& background) {
    dialog.setWindowTitle(look.caption.empty() ? windowCaption : Latin1(look.caption));
    if (!look.showCaption) dialog.setWindowFlag(Qt::FramelessWindowHint);
    dialog.setWindowOpacity(look.alpha);
    if (!background.isNull()) {
        QPalette palette = dialog.palette();
        palette.setBrush(QPalette::Window, QBrush(background));
        dialog.setPalette(palette);
        dialog.setAutoFillBackground(true);
    }
    dialog.setStyleSheet(QStringLiteral("QPushButton:hover { background-color: %1; }"
                                        "QLineEdit, QSpinBox, QAbstractSpinBox { background-color: %2; }")
                             .arg(ToQColor(look.mouseColor).name(), ToQColor(look.inputColor).name()));
    for (QLabel* label : dialog.findChildren<QLabel*>()) SetFontOf(*label, look.textFont);
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) SetFontOf(*button, look.buttonFont);
    for (QLineEdit* field : dialog.findChildren<QLineEdit*>()) SetFontOf(*field, look.inputFont);
    if (look.width > 0 || look.height > 0) {
        dialog.adjustSize();
        dialog.resize(look.width > 0 ? look.width : dialog.width(), look.height > 0 ? look.height : dialog.height());
    }
    if (look.x >= 0 || look.y >= 0) dialog.move(look.x >= 0 ? look.x : dialog.x(), look.y >= 0 ? look.y : dialog.y());
}

std::unique_ptr<QMenu> MakeGameMenu(const std::vector<std::string>& items, QWidget* parent) {
    auto menu = std::make_unique<QMenu>(parent);
    menu->setObjectName(QStringLiteral("GameMenu"));
    menu->setProperty("chosen", -1);
    QMenu* self = menu.get();
    for (std::size_t i = 0; i < items.size(); ++i) {
        QAction* action = menu->addAction(Latin1(items[i]));
        QObject::connect(action, &QAction::triggered, self, [self, i] { self->setProperty("chosen", int(i)); });
    }
    return menu;
}

std::unique_ptr<QDialog> MakeShowWindow(const QImage& picture, const QString& text, const QColor& back,
                                        bool fullScreen, int delay, QWidget* parent) {
    auto window = std::make_unique<ShowWindow>(parent);
    window->setObjectName(QStringLiteral("ShowWindow"));
    window->setWindowFlag(Qt::FramelessWindowHint);
    auto* layout = new QVBoxLayout(window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    if (!picture.isNull()) {
        auto* label = new QLabel;
        label->setObjectName(QStringLiteral("ShowPicture"));
        label->setAlignment(Qt::AlignCenter);
        label->setPixmap(QPixmap::fromImage(picture));
        layout->addWidget(label);
    } else {
        auto* view = new QPlainTextEdit(text);
        view->setObjectName(QStringLiteral("ShowText"));
        view->setReadOnly(true);
        QPalette palette = view->palette();
        palette.setColor(QPalette::Base, back);
        view->setPalette(palette);
        // Clicks and keys on the text close the window as well.
        view->setFocusPolicy(Qt::NoFocus);
        view->viewport()->setAttribute(Qt::WA_TransparentForMouseEvents);
        layout->addWidget(view);
        window->resize(480, 360);
    }
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, fullScreen ? Qt::black : back);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    if (fullScreen) window->setWindowState(Qt::WindowFullScreen);
    if (delay > 0) QTimer::singleShot(delay, window.get(), &QDialog::accept);
    return window;
}

}  // namespace kestrin::runner
