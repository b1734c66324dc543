#pragma once
// The game information page as the runner shows it on F1: the rich text on
// the page's background colour, read only; Esc closes it.

#include <QDialog>

class QTextDocument;

namespace kestrin {
class CGameInformation;
class CRichText;
}  // namespace kestrin

namespace kestrin::runner {

// The rich text as a Qt document (paragraph alignment, bullets, fonts,
// sizes, colours, bold, italic, underline).
void FillDocument(const CRichText& text, QTextDocument& document);

class InformationWindow : public QDialog {
public:
    explicit InformationWindow(const CGameInformation& information, QWidget* parent = nullptr);
};

}  // namespace kestrin::runner
