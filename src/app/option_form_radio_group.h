#pragma once
// TRadioGroup: a framed column of radio buttons of which one is chosen, read
// and set by its position (-1: none chosen).

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace kestrin {

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);

    int ItemIndex() const;
    // An index outside the items chooses none.
    void SetItemIndex(int index);

private:
    QButtonGroup* mButtons;
};

}  // namespace kestrin
