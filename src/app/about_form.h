#pragma once
// TAboutForm: the about window.

#include <QDialog>

namespace kestrin {

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);
};

// Shows the about window modally.
void ShowAboutBox(QWidget* parent);

}  // namespace kestrin
