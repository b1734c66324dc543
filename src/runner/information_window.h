#pragma once
// The game information page as the runner shows it on F1: the rich text read
// as the editor's information window reads it, on the page's background
// colour, read only; Esc closes it.

#include <QDialog>

namespace kestrin {
class CGameInformation;
}  // namespace kestrin

namespace kestrin::runner {

class InformationWindow : public QDialog {
public:
    explicit InformationWindow(const CGameInformation& information, QWidget* parent = nullptr);
};

}  // namespace kestrin::runner
