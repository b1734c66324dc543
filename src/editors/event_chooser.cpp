// The event selector's buttons and menus.

#include "editors/event_chooser.h"

#include <QApplication>
#include <QCursor>
#include <QGridLayout>
#include <QMenu>
#include <QPushButton>

#include "actions/event_names.h"
#include "editors/popup_menu.h"
#include "storage/resource_menu.h"
#include "storage/tree_codes.h"

namespace kestrin {

namespace {

std::function<ChosenEvent()>& InstalledChoice() {
    static std::function<ChosenEvent()> choice;
    return choice;
}

void Item(QMenu& menu, const QString& text, int number) { menu.addAction(text)->setData(number); }

void Range(QMenu& menu, const QString& prefix, int first, int count, int firstNumber) {
    for (int i = 0; i < count; ++i) Item(menu, prefix + QString::number(first + i), firstNumber + i);
}

}  // namespace

void FillAlarmMenu(QMenu& menu) { Range(menu, QStringLiteral("Alarm "), 0, 8, 0); }

void FillStepMenu(QMenu& menu) {
    Item(menu, QStringLiteral("Step"), 0);
    Item(menu, QStringLiteral("Begin step"), 1);
    Item(menu, QStringLiteral("End step"), 2);
}

void FillKeyMenu(QMenu& menu) {
    Item(menu, QStringLiteral("<Left>"), 37);
    Item(menu, QStringLiteral("<Right>"), 39);
    Item(menu, QStringLiteral("<Up>"), 38);
    Item(menu, QStringLiteral("<Down>"), 40);
    menu.addSeparator();
    Item(menu, QStringLiteral("<Ctrl>"), 17);
    Item(menu, QStringLiteral("<Alt>"), 18);
    Item(menu, QStringLiteral("<Shift>"), 16);
    Item(menu, QStringLiteral("<Space>"), 32);
    Item(menu, QStringLiteral("<Enter>"), 13);
    menu.addSeparator();
    QMenu* keypad = menu.addMenu(QStringLiteral("Keypad"));
    Range(*keypad, QStringLiteral("Keypad "), 0, 10, 96);
    Item(*keypad, QStringLiteral("Keypad /"), 111);
    Item(*keypad, QStringLiteral("Keypad *"), 106);
    Item(*keypad, QStringLiteral("Keypad -"), 109);
    Item(*keypad, QStringLiteral("Keypad +"), 107);
    Item(*keypad, QStringLiteral("Keypad ."), 110);
    QMenu* digits = menu.addMenu(QStringLiteral("Digits"));
    Range(*digits, QString(), 0, 10, 48);
    QMenu* letters = menu.addMenu(QStringLiteral("Letters"));
    for (int c = 'A'; c <= 'Z'; ++c) Item(*letters, QString(QChar(c)), c);
    QMenu* function = menu.addMenu(QStringLiteral("Function keys"));
    Range(*function, QStringLiteral("F"), 1, 12, 112);
    QMenu* others = menu.addMenu(QStringLiteral("Others"));
    Item(*others, QStringLiteral("<Backspace>"), 8);
    Item(*others, QStringLiteral("<Escape>"), 27);
    Item(*others, QStringLiteral("<Home>"), 36);
    Item(*others, QStringLiteral("<End>"), 35);
    Item(*others, QStringLiteral("<Page Up>"), 33);
    Item(*others, QStringLiteral("<Page Down>"), 34);
    Item(*others, QStringLiteral("<Delete>"), 46);
    Item(*others, QStringLiteral("<Insert>"), 45);
    menu.addSeparator();
    Item(menu, QStringLiteral("<No key>"), 0);
    Item(menu, QStringLiteral("<Any key>"), 1);
}

void FillMouseMenu(QMenu& menu) {
    Item(menu, QStringLiteral("Left button"), 0);
    Item(menu, QStringLiteral("Right button"), 1);
    Item(menu, QStringLiteral("Middle button"), 2);
    Item(menu, QStringLiteral("No button"), 3);
    menu.addSeparator();
    Item(menu, QStringLiteral("Left pressed"), 4);
    Item(menu, QStringLiteral("Right pressed"), 5);
    Item(menu, QStringLiteral("Middle pressed"), 6);
    menu.addSeparator();
    Item(menu, QStringLiteral("Left released"), 7);
    Item(menu, QStringLiteral("Right released"), 8);
    Item(menu, QStringLiteral("Middle released"), 9);
    menu.addSeparator();
    Item(menu, QStringLiteral("Mouse enter"), 10);
    Item(menu, QStringLiteral("Mouse leave"), 11);
    menu.addSeparator();
    Item(menu, QStringLiteral("Global pressed"), 12);
    Item(menu, QStringLiteral("Global released"), 13);
    for (int stick = 1; stick <= 2; ++stick) {
        const int base = stick == 1 ? 16 : 31;
        const QString prefix = QStringLiteral("Joystick %1 ").arg(stick);
        QMenu* joystick = menu.addMenu(QStringLiteral("Joystick %1").arg(stick));
        Item(*joystick, prefix + QStringLiteral("left"), base);
        Item(*joystick, prefix + QStringLiteral("right"), base + 1);
        Item(*joystick, prefix + QStringLiteral("up"), base + 2);
        Item(*joystick, prefix + QStringLiteral("down"), base + 3);
        joystick->addSeparator();
        Range(*joystick, prefix + QStringLiteral("button "), 1, 8, base + 5);
    }
}

void FillOtherMenu(QMenu& menu) {
    Item(menu, QStringLiteral("Outside room"), 0);
    Item(menu, QStringLiteral("Intersect boundary"), 1);
    menu.addSeparator();
    Item(menu, QStringLiteral("Game start"), 2);
    Item(menu, QStringLiteral("Game end"), 3);
    menu.addSeparator();
    Item(menu, QStringLiteral("Room start"), 4);
    Item(menu, QStringLiteral("Room end"), 5);
    menu.addSeparator();
    Item(menu, QStringLiteral("No more lives"), 6);
    Item(menu, QStringLiteral("No more health"), 9);
    menu.addSeparator();
    Item(menu, QStringLiteral("Animation end"), 7);
    Item(menu, QStringLiteral("End of path"), 8);
    menu.addSeparator();
    QMenu* user = menu.addMenu(QStringLiteral("User defined"));
    Range(*user, QStringLiteral("User defined "), 0, 8, 10);
}

TEventForm::TEventForm(Game& game, QWidget* parent) : QDialog(parent), mGame(game) {
    setObjectName(QStringLiteral("TEventForm"));
    setWindowTitle(tr("Choose the Event to Add"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* grid = new QGridLayout(this);
    struct Button {
        const char* name;
        const char* text;
        int type;
    };
    static const Button kButtons[] = {
        {"CreateBtn", "&Create", kEventCreate},         {"DestroyBtn", "&Destroy", kEventDestroy},
        {"AlarmBtn", "&Alarm", kEventAlarm},            {"StepBtn", "&Step", kEventStep},
        {"CollisionBtn", "C&ollision", kEventCollision}, {"KeyboardBtn", "&Keyboard", kEventKeyboard},
        {"MouseBtn", "&Mouse", kEventMouse},            {"OtherBtn", "Ot&her", kEventOther},
        {"DrawingBtn", "D&raw", kEventDraw},            {"KeyPressBtn", "Key &Press", kEventKeyPress},
        {"KeyReleaseBtn", "Key &Release", kEventKeyRelease},
    };
    int i = 0;
    for (const Button& spec : kButtons) {
        auto* button = new QPushButton(QString::fromLatin1(spec.text), this);
        button->setObjectName(QString::fromLatin1(spec.name));
        button->setMinimumSize(110, 32);
        const int type = spec.type;
        connect(button, &QPushButton::clicked, this, [this, type] { ChooseType(type); });
        grid->addWidget(button, i / 2, i % 2);
        ++i;
    }
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    grid->addWidget(cancel, (i + 1) / 2, 0, 1, 2);
}

void TEventForm::ChooseType(int type) {
    if (type == kEventCreate || type == kEventDestroy || type == kEventDraw) {
        mChosen = {type, 0};
        accept();
        return;
    }
    int number = -1;
    if (type == kEventCollision) {
        const std::int32_t chosen = ChooseResourceFromMenu(mGame, kTypeObjects, std::nullopt, QCursor::pos());
        if (chosen >= 0) number = chosen;
    } else {
        QMenu menu(this);
        switch (type) {
        case kEventAlarm: FillAlarmMenu(menu); break;
        case kEventStep: FillStepMenu(menu); break;
        case kEventMouse: FillMouseMenu(menu); break;
        case kEventOther: FillOtherMenu(menu); break;
        default: FillKeyMenu(menu); break;
        }
        QAction* chosen = ExecPopupMenu(menu, QCursor::pos());
        if (chosen && chosen->data().isValid()) number = chosen->data().toInt();
    }
    // A dismissed menu leaves the selector open.
    if (number < 0) return;
    mChosen = {type, number};
    accept();
}

ChosenEvent ChooseEvent(Game& game) {
    if (InstalledChoice()) return InstalledChoice()();
    TEventForm form(game, QApplication::activeWindow());
    if (form.exec() != QDialog::Accepted) return {};
    return form.Chosen();
}

ScopedEventChoice::ScopedEventChoice(std::function<ChosenEvent()> answer) : mPrevious(std::move(InstalledChoice())) {
    InstalledChoice() = std::move(answer);
}

ScopedEventChoice::~ScopedEventChoice() { InstalledChoice() = std::move(mPrevious); }

}  // namespace kestrin
