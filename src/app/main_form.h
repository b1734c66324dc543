#pragma once
// TMainForm: the main window. The client area holds the editor windows; a
// 100 ms timer keeps the title showing the mode, the file and its changed mark.

#include <QMainWindow>
#include <string>

class QMdiArea;
class QTimer;

namespace kestrin {

// "Kestrin: " or "Kestrin Simple: ", the file name or "<new game>", and "*"
// while the game has changes.
QString MainTitle(bool advanced, const std::string& fileName, bool changed);

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);

    QMdiArea* ClientArea() const { return mClientArea; }
    void UpdateTitle();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QMdiArea* mClientArea;
    QTimer* mTitleTimer;
    bool mShownBefore = false;
};

}  // namespace kestrin
