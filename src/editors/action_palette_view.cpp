// The palette's tabs and buttons, laid out by the shared palette layout.

#include "editors/action_palette_view.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

#include "actions/action_palette.h"
#include "actions/action_registry.h"
#include "app/text_convert.h"
#include "editors/action_drawing.h"
#include "platform/preferences.h"

namespace kestrin {

namespace {

QByteArray PaletteBytes(std::int32_t libraryId, std::int32_t actionId) {
    return QByteArray::number(libraryId) + ',' + QByteArray::number(actionId);
}

// A palette button: clicks add, dragging carries the action to a list.
class PaletteButton : public QToolButton {
public:
    PaletteButton(const PaletteCell& cell, QWidget* parent)
        : QToolButton(parent), mLibraryId(cell.libraryId), mActionId(cell.actionId) {
        setObjectName(QStringLiteral("PaletteBtn_%1_%2").arg(cell.libraryId).arg(cell.actionId));
        setGeometry(cell.x, cell.y, kPaletteButtonSize + 6, kPaletteButtonSize + 6);
        setIconSize(QSize(kIconSize, kIconSize));
        setIcon(QIcon(ActionIconPixmap(cell.iconIndex)));
        setAutoRaise(true);
        if (cell.definition) setToolTip(ToQt(cell.definition->Description));
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) mPressAt = event->position().toPoint();
        QToolButton::mousePressEvent(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!(event->buttons() & Qt::LeftButton) ||
            (event->position().toPoint() - mPressAt).manhattanLength() < QApplication::startDragDistance()) {
            QToolButton::mouseMoveEvent(event);
            return;
        }
        setDown(false);
        auto* data = new QMimeData;
        data->setData(kPaletteMimeType, PaletteBytes(mLibraryId, mActionId));
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        drag->setPixmap(icon().pixmap(kIconSize, kIconSize));
        drag->exec(Qt::CopyAction);
    }

private:
    std::int32_t mLibraryId;
    std::int32_t mActionId;
    QPoint mPressAt;
};

// One tab: the buttons, and the labels drawn across their separator lines.
class PalettePage : public QWidget {
public:
    PalettePage(const PaletteLayout& layout, QWidget* parent) : QWidget(parent) {
        for (const PaletteCell& cell : layout.cells) {
            if (cell.type == PaletteCell::Type::Label) mLabels.push_back(cell);
        }
        setMinimumSize(2 * kPaletteCellStep + 8, layout.height + 8);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QFont small = font();
        small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1));
        painter.setFont(small);
        for (const PaletteCell& label : mLabels) {
            painter.fillRect(label.lineX, label.lineY, label.lineWidth, label.lineHeight, palette().mid());
            const QString text = ToQt(label.text);
            const QRect box = painter.fontMetrics().boundingRect(text);
            painter.fillRect(QRect(label.x, label.y, box.width(), box.height()), palette().window());
            painter.drawText(label.x, label.y + painter.fontMetrics().ascent(), text);
        }
    }

private:
    std::vector<PaletteCell> mLabels;
};

}  // namespace

bool PaletteActionOf(const QMimeData& data, std::int32_t& libraryId, std::int32_t& actionId) {
    if (!data.hasFormat(kPaletteMimeType)) return false;
    const QList<QByteArray> parts = data.data(kPaletteMimeType).split(',');
    if (parts.size() != 2) return false;
    libraryId = parts[0].toInt();
    actionId = parts[1].toInt();
    return true;
}

TActionPages::TActionPages(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("ActionPages"));
    setTabPosition(QTabWidget::East);
    setUsesScrollButtons(false);
    const bool advanced = Prefs().Advanced;
    for (const CActionLibrary* library : PaletteLibraries(advanced)) {
        const PaletteLayout layout = LayoutActionPalette(*library, advanced);
        auto* page = new PalettePage(layout, this);
        for (const PaletteCell& cell : layout.cells) {
            if (cell.type != PaletteCell::Type::Button) continue;
            auto* button = new PaletteButton(cell, page);
            const std::int32_t libraryId = cell.libraryId;
            const std::int32_t actionId = cell.actionId;
            connect(button, &QToolButton::clicked, this,
                    [this, libraryId, actionId] { emit ActionClicked(libraryId, actionId); });
        }
        addTab(page, ToQt(library->Caption));
    }
}

}  // namespace kestrin
