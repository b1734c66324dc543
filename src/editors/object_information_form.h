#pragma once
// TObjectInformationForm: the one read-only window with the object
// information report, for one object or for all of them. It fills itself
// again whenever it becomes active, saves the report as rich or plain text
// and prints it.

#include <QMdiSubWindow>

#include "resources/rich_text.h"

class QMdiArea;
class QTextEdit;

namespace kestrin {

class Game;

class TObjectInformationForm : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit TObjectInformationForm(Game& game, QWidget* parent = nullptr);

    // -1 reports every object.
    void Report(int object);
    // Fills the text again for the last request.
    void Refill();
    QTextEdit& Text() const { return *mText; }
    void SaveReport();
    void PrintReport();

private:
    Game& mGame;
    int mObject = -1;
    CRichText mReport;
    QTextEdit* mText = nullptr;
};

// The one window, made in the area on first use, brought to the front.
TObjectInformationForm& ShowObjectInformation(Game& game, QMdiArea& area, int object);
TObjectInformationForm& ShowAllObjectsInformation(Game& game, QMdiArea& area);

}  // namespace kestrin
