// TAboutForm and the icon.

#include "app/about_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/web_addresses.h"

#ifndef KESTRIN_VERSION
#define KESTRIN_VERSION "5"
#endif

namespace kestrin {

void DrawKestrinIcon(QPainter& painter, const QRectF& square) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(square.topLeft());
    painter.scale(square.width() / 256.0, square.height() / 256.0);

    // Evening sky.
    QLinearGradient sky(0, 8, 0, 248);
    sky.setColorAt(0, QColor(0x2b, 0x6c, 0xa8));
    sky.setColorAt(1, QColor(0x14, 0x34, 0x58));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);

    // Sun.
    painter.setBrush(QColor(0xf6, 0xc3, 0x4a));
    painter.drawEllipse(QPointF(184, 74), 30, 30);

    // A kestrel gliding: wide swept wings, a small head and a long tail.
    QPainterPath bird;
    bird.moveTo(28, 140);
    bird.cubicTo(60, 112, 96, 98, 118, 112);
    bird.cubicTo(122, 100, 134, 100, 138, 112);
    bird.cubicTo(160, 98, 196, 112, 228, 140);
    bird.cubicTo(196, 132, 168, 134, 144, 148);
    bird.lineTo(150, 204);
    bird.lineTo(128, 214);
    bird.lineTo(106, 204);
    bird.lineTo(112, 148);
    bird.cubicTo(88, 134, 60, 132, 28, 140);
    bird.closeSubpath();
    painter.setBrush(QColor(0xe0, 0x7a, 0x32));
    painter.setPen(QPen(QColor(0x5a, 0x26, 0x0c), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(bird);

    // The dark tail band and wing tips.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x5a, 0x26, 0x0c));
    QPainterPath band;
    band.moveTo(108, 192);
    band.lineTo(148, 192);
    band.lineTo(150, 204);
    band.lineTo(128, 214);
    band.lineTo(106, 204);
    band.closeSubpath();
    painter.drawPath(band);
    painter.restore();
}

QIcon KestrinIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        DrawKestrinIcon(painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TAboutForm"));
    setWindowTitle(QStringLiteral("About Kestrin"));
    setModal(true);

    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setPixmap(KestrinIcon().pixmap(96, 96));
    picture->setAlignment(Qt::AlignTop);

    auto* title = new QLabel(QStringLiteral("<h2>Kestrin</h2>"));
    title->setObjectName(QStringLiteral("ProductName"));
    auto* version = new QLabel(QStringLiteral("Version " KESTRIN_VERSION));
    version->setObjectName(QStringLiteral("VersionLabel"));
    auto* text = new QLabel(QStringLiteral(
        "A desktop authoring environment for two-dimensional games.<br>"
        "Build games from sprites, sounds, backgrounds, paths, scripts, data files, time lines, "
        "objects and rooms; give objects behaviour with events and actions; "
        "run them or turn them into stand-alone programs."));
    text->setWordWrap(true);
    auto* links = new QLabel(QStringLiteral("<a href=\"%1\">Web site</a> &nbsp; <a href=\"%2\">Forum</a>")
                                 .arg(QLatin1String(kWebSiteAddress), QLatin1String(kForumAddress)));
    links->setObjectName(QStringLiteral("LinksLabel"));
    links->setOpenExternalLinks(true);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* column = new QVBoxLayout;
    column->addWidget(title);
    column->addWidget(version);
    column->addSpacing(8);
    column->addWidget(text);
    column->addSpacing(8);
    column->addWidget(links);
    column->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    column->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picture);
    layout->addSpacing(12);
    layout->addLayout(column, 1);
    setFixedWidth(460);
}

void ShowAboutBox(QWidget* parent) {
    TAboutForm form(parent);
    form.exec();
}

}  // namespace kestrin
