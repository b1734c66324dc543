// The shown high-score table.

#include "runner/highscore_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kestrin::runner {

namespace {

QString Latin1(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

QColor ColorOf(std::int32_t value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

}  // namespace

HighscoreDialog::HighscoreDialog(const engine::HighscoreTable& table, int newPlace, const engine::HighscoreLook& look,
                                 const QImage& background, QWidget* parent)
    : QDialog(parent) {
    setObjectName("HighscoreDialog");
    setWindowTitle(QString::fromLatin1(engine::kHighscoreCaption));
    if (!look.border) setWindowFlag(Qt::FramelessWindowHint);
    QFont font(Latin1(look.fontName));
    font.setPointSize(look.fontSize);
    setFont(font);
    if (!background.isNull()) {
        // Tiled behind the table, as a room's background would be.
        QPalette palette = this->palette();
        palette.setBrush(QPalette::Window, QBrush(background));
        setPalette(palette);
        setAutoFillBackground(true);
    }

    auto* layout = new QVBoxLayout(this);
    auto* places = new QGridLayout;
    places->setHorizontalSpacing(24);
    for (int place = 1; place <= engine::HighscoreTable::kPlaces; ++place) {
        const engine::HighscoreEntry& entry = table.At(place);
        const QString style =
            QStringLiteral("color: %1").arg(ColorOf(place == newPlace ? look.newColor : look.otherColor).name());
        auto* name = new QLabel(Latin1(entry.name));
        auto* score = new QLabel(Latin1(engine::HighscoreText(entry.score)));
        name->setObjectName(QStringLiteral("HighscoreName%1").arg(place));
        score->setObjectName(QStringLiteral("HighscoreScore%1").arg(place));
        score->setAlignment(Qt::AlignRight);
        for (QLabel* label : {name, score}) label->setStyleSheet(style);
        places->addWidget(name, place - 1, 0);
        places->addWidget(score, place - 1, 1);
    }
    layout->addLayout(places);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

}  // namespace kestrin::runner
