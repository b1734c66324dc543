#pragma once
// The find and replace dialogs of the code editors: non-modal, downward
// only, with match case and whole word. They only gather what to look for;
// the editor searches.

#include <QDialog>
#include <string>

#include "language/code_search.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kestrin {

class TFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFindDialog(QWidget* parent, bool withReplace);

    std::string FindText() const;
    void SetFindText(const std::string& text);
    std::string ReplaceText() const;
    SearchOptions Options() const;
    void SetOptions(SearchOptions options);

signals:
    void FindNext();
    void Replace();
    void ReplaceAll();

private:
    QLineEdit* mFind;
    QLineEdit* mReplace = nullptr;
    QCheckBox* mMatchCase;
    QCheckBox* mWholeWord;
};

}  // namespace kestrin
