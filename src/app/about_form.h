#pragma once
// TAboutForm: the about window; and Kestrin's application icon, drawn in
// code so every size is sharp (data/desktop holds the same picture as files).

#include <QDialog>
#include <QIcon>

class QPainter;
class QRectF;

namespace kestrin {

// Draws the icon into the square.
void DrawKestrinIcon(QPainter& painter, const QRectF& square);
// The icon in the usual sizes, 16 to 256 pixels.
QIcon KestrinIcon();

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);
};

// Shows the about window modally.
void ShowAboutBox(QWidget* parent);

}  // namespace kestrin
