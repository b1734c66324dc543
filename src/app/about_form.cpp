// TAboutForm.

#include "app/about_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/kestrin_icon.h"
#include "platform/web_addresses.h"

#ifndef KESTRIN_VERSION
#define KESTRIN_VERSION "5"
#endif

namespace kestrin {

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
