// TPlacementForm: four buttons, each closing the window with its answer.

#include "image_editors/placement_form.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "image_editors/named_controls.h"

namespace kestrin {

TPlacementForm::TPlacementForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TPlacementForm"));
    setWindowTitle(QStringLiteral("Different size"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("The size of the image(s) differs from that of the current image.\n"
                                           "What do you want to do with them?"),
                            this);
    layout->addWidget(text);
    struct Choice {
        const char* name;
        const char* caption;
        int answer;
    };
    const Choice choices[] = {
        {"TopLeftBtn", "Place them at the top-left", kPlacementTopLeft},
        {"CentreBtn", "Place them in the centre", kPlacementCentre},
        {"StretchBtn", "Stretch the image(s)", kPlacementStretch},
        {"DontInsertBtn", "Do not insert them", kPlacementCancel},
    };
    for (const Choice& choice : choices) {
        QPushButton* button = MakeButton(choice.name, choice.caption, this);
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, answer = choice.answer] {
            mAnswer = answer;
            accept();
        });
    }
}

int RunPlacementForm() {
    TPlacementForm form(QApplication::activeWindow());
    form.exec();
    return form.Answer();
}

}  // namespace kestrin
