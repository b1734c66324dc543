// The gradient dialog; the kind buttons show their gradient in the chosen colours.

#include "image_editors/gradient_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/color_value.h"
#include "editors/editor_dialogs.h"
#include "image_editors/qt_draw_target.h"
#include "imaging/gradient_fill.h"

namespace kestrin {

namespace {

GradientChoice& Remembered() {
    static GradientChoice choice;
    return choice;
}

}  // namespace

TGradientDialog::TGradientDialog(QWidget* parent) : QDialog(parent), mChoice(Remembered()) {
    setObjectName(QStringLiteral("TGradientDialog"));
    setWindowTitle(QStringLiteral("Gradient Fill"));
    auto* layout = new QVBoxLayout(this);
    auto* colors = new QHBoxLayout;
    mColor1 = new QToolButton(this);
    mColor1->setObjectName(QStringLiteral("Color1Btn"));
    mColor1->setText(QStringLiteral("Color 1"));
    mColor2 = new QToolButton(this);
    mColor2->setObjectName(QStringLiteral("Color2Btn"));
    mColor2->setText(QStringLiteral("Color 2"));
    for (QToolButton* b : {mColor1, mColor2}) {
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setIconSize(QSize(32, 20));
        colors->addWidget(b);
    }
    connect(mColor1, &QToolButton::clicked, this, [this] { ChooseColor(false); });
    connect(mColor2, &QToolButton::clicked, this, [this] { ChooseColor(true); });
    layout->addLayout(colors);
    auto* kinds = new QGridLayout;
    for (int kind = 0; kind < kGradientKinds; ++kind) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("Kind%1Btn").arg(kind));
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setIconSize(QSize(40, 40));
        button->setChecked(kind == mChoice.kind);
        connect(button, &QToolButton::clicked, this, [this, kind] { mChoice.kind = kind; });
        kinds->addWidget(button, kind / 3, kind % 3);
        mKinds[static_cast<std::size_t>(kind)] = button;
    }
    layout->addLayout(kinds);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKBtn"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    RefreshButtons();
}

void TGradientDialog::ChooseColor(bool second) {
    ColorValue& color = second ? mChoice.color2 : mChoice.color1;
    auto chosen = UsedEditorDialogs().ChooseColor(static_cast<std::int32_t>(color));
    if (!chosen) return;
    color = static_cast<ColorValue>(*chosen) & 0xFFFFFF;
    RefreshButtons();
}

void TGradientDialog::RefreshButtons() {
    auto swatch = [](ColorValue c) {
        QPixmap pixmap(32, 20);
        pixmap.fill(ToQColor(static_cast<std::int32_t>(c)));
        return QIcon(pixmap);
    };
    mColor1->setIcon(swatch(mChoice.color1));
    mColor2->setIcon(swatch(mChoice.color2));
    for (int kind = 0; kind < kGradientKinds; ++kind) {
        Bitmap24 sample(40, 40);
        GradientFill(sample, kind, mChoice.color1, mChoice.color2);
        mKinds[static_cast<std::size_t>(kind)]->setIcon(QIcon(QPixmap::fromImage(ToQImage(sample, false))));
    }
}

std::optional<GradientChoice> TGradientDialog::Ask() {
    TGradientDialog dialog(QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    Remembered() = dialog.Choice();
    return dialog.Choice();
}

}  // namespace kestrin
