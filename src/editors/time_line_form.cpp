// The time-line editor: moments and their actions.

#include "editors/time_line_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/resource_icons.h"
#include "editors/action_list_view.h"
#include "editors/action_palette_view.h"
#include "editors/editor_dialogs.h"
#include "editors/moment_commands.h"
#include "editors/popup_menu.h"
#include "platform/user_interface.h"

namespace kestrin {

namespace {

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

TTimeLineForm::TTimeLineForm(Game& game, int index, QWidget* parent) : ResourceForm<CTimeLine>(game, index, parent) {
    setObjectName(QStringLiteral("TTimeLineForm"));
    setWindowIcon(ResourceIconImage(game, game.ResourceIcon(ResourceKind::TimeLine, index)));
    // Moments without actions do not survive opening the editor.
    if (CTimeLine* timeLine = Resource()) timeLine->RemoveEmptyMoments();

    auto* content = new QWidget(this);
    auto* layout = new QHBoxLayout(content);
    auto* left = new QVBoxLayout;
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(tr("Name:"), content));
    auto* nameEdit = new QLineEdit(content);
    nameEdit->setObjectName(QStringLiteral("NameEdit"));
    nameRow->addWidget(nameEdit);
    left->addLayout(nameRow);
    AttachNameEdit(nameEdit);

    auto* momentsRow = new QHBoxLayout;
    mMomentList = new QListWidget(content);
    mMomentList->setObjectName(QStringLiteral("EventList"));
    mMomentList->setSelectionMode(QAbstractItemView::SingleSelection);
    mMomentList->setFixedWidth(110);
    mMomentList->viewport()->installEventFilter(this);
    momentsRow->addWidget(mMomentList);
    connect(mMomentList, &QListWidget::currentRowChanged, this, [this] {
        if (!Filling()) CurrentMomentChanged();
    });
    auto* buttons = new QVBoxLayout;
    struct Command {
        const char* name;
        const char* text;
        void (TTimeLineForm::*slot)();
    };
    static const Command kCommands[] = {
        {"AddEventBtn", "&Add", &TTimeLineForm::AddMoment},
        {"ChangeEventBtn", "C&hange", &TTimeLineForm::ChangeMoment},
        {"DeleteEventBtn", "&Delete", &TTimeLineForm::DeleteMoment},
        {"ClearEventBtn", "C&lear", &TTimeLineForm::ClearMoments},
        {"ShiftEventBtn", "&Shift", &TTimeLineForm::ShiftMoments},
        {"MergeEventBtn", "&Merge", &TTimeLineForm::MergeMoments},
    };
    for (const Command& command : kCommands) {
        QPushButton* button = Button(QString::fromLatin1(command.text), command.name, content);
        connect(button, &QPushButton::clicked, this, command.slot);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    momentsRow->addLayout(buttons);
    left->addLayout(momentsRow, 1);
    QPushButton* ok = Button(tr("OK"), "OKBtn", content);
    connect(ok, &QPushButton::clicked, this, &TResourceForm::CloseWithOk);
    left->addWidget(ok);
    layout->addLayout(left);

    mEventsMenu = new QMenu(this);
    mEventsMenu->setObjectName(QStringLiteral("EventsMenu"));
    static const Command kMenu[] = {
        {"AddEvent1", "&Add Moment", &TTimeLineForm::AddMoment},
        {"ChangeEvent1", "&Change Moment", &TTimeLineForm::ChangeMoment},
        {"DeleteEvent1", "&Delete Moment", &TTimeLineForm::DeleteMoment},
        {"ShiftMoments1", "&Shift Moments", &TTimeLineForm::ShiftMoments},
        {"MergeMoments1", "&Merge Moments", &TTimeLineForm::MergeMoments},
    };
    for (const Command& command : kMenu) {
        QAction* action = mEventsMenu->addAction(QString::fromLatin1(command.text));
        action->setObjectName(QString::fromLatin1(command.name));
        connect(action, &QAction::triggered, this, command.slot);
    }

    auto* actionsBox = new QVBoxLayout;
    actionsBox->addWidget(new QLabel(tr("Actions:"), content));
    mActionList = new TActionListView(*this, ActionDragGroup::TimeLines, kNoMomentForActions, content);
    mActionList->setMinimumSize(260, 300);
    actionsBox->addWidget(mActionList, 1);
    layout->addLayout(actionsBox, 1);
    connect(mActionList, &TActionListView::Changed, this, [this] { Mark(); });

    auto* pages = new TActionPages(content);
    layout->addWidget(pages);
    connect(pages, &TActionPages::ActionClicked, mActionList, &TActionListView::AddFromPalette);
    setWidget(content);
    // The window cannot be made smaller than it opens.
    setMinimumSize(sizeHint());
    Open();
}

void TTimeLineForm::FillControls() { FillMomentList(0); }

void TTimeLineForm::RestoreBackup() {
    // The copy replaces every moment: the list must not keep pointing into the old ones.
    mActionList->SetEvent(nullptr);
    ResourceForm<CTimeLine>::RestoreBackup();
}

void TTimeLineForm::ResourcesChanged(ResourceKind) {
    // Action lines name resources.
    mActionList->viewport()->update();
}

void TTimeLineForm::FillMomentList(int select) {
    const CTimeLine* timeLine = Resource();
    const int count = timeLine ? timeLine->MomentCount() : 0;
    {
        FillScope muted(*this);
        mMomentList->clear();
        for (int i = 0; i < count; ++i)
            mMomentList->addItem(QStringLiteral("Step %1").arg(timeLine->GetMomentStep(i)));
        const int line = count == 0 ? -1 : std::min(select, count - 1);
        mMomentList->setCurrentRow(line, line >= 0 ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Clear);
    }
    CurrentMomentChanged();
}

int TTimeLineForm::SelectedMoment() const {
    const QList<QListWidgetItem*> items = mMomentList->selectedItems();
    return items.isEmpty() ? -1 : mMomentList->row(items.first());
}

void TTimeLineForm::SelectMoment(int line) {
    mMomentList->setCurrentRow(line, line >= 0 ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Clear);
    CurrentMomentChanged();
}

void TTimeLineForm::CurrentMomentChanged() {
    CTimeLine* timeLine = Resource();
    mActionList->SetEvent(timeLine ? timeLine->GetMomentEvent(SelectedMoment()) : nullptr);
}

void TTimeLineForm::AddMoment() {
    CTimeLine* timeLine = Resource();
    if (!timeLine) return;
    const int selected = SelectedMoment();
    std::int32_t step = selected >= 0 ? timeLine->GetMomentStep(selected) : 0;
    if (selected >= 0 && step < INT32_MAX) ++step;
    bool ok;
    {
        BusyScope busy(*this);
        ok = AskValue("Adding a Moment", "Indicate the moment:", step);
    }
    timeLine = Resource();
    if (!timeLine || !ok) return;
    const MomentOutcome outcome = AddMomentCommand(*timeLine, step);
    if (outcome.message) return ShowMessage(outcome.message);
    FillMomentList(outcome.select);
}

void TTimeLineForm::DeleteMoment() {
    CTimeLine* timeLine = Resource();
    const int selected = SelectedMoment();
    if (!timeLine || selected < 0) return;
    if (!timeLine->GetMomentEvent(selected)->Empty()) {
        bool yes;
        {
            BusyScope busy(*this);
            yes = AskYesNo(kRemoveMomentQuestion);
        }
        timeLine = Resource();
        if (!timeLine || !yes) return;
    }
    const MomentOutcome outcome = DeleteMomentCommand(*timeLine, selected);
    if (!outcome.changed) return;
    FillMomentList(outcome.select);
    Mark();
}

void TTimeLineForm::ChangeMoment() {
    CTimeLine* timeLine = Resource();
    const int selected = SelectedMoment();
    if (!timeLine || selected < 0) return;
    std::int32_t step = timeLine->GetMomentStep(selected);
    bool ok;
    {
        BusyScope busy(*this);
        ok = AskValue("Changing a Moment", "Indicate new moment:", step);
    }
    timeLine = Resource();
    if (!timeLine || !ok) return;
    const MomentOutcome outcome = ChangeMomentCommand(*timeLine, selected, step);
    if (outcome.message) return ShowMessage(outcome.message);
    if (!outcome.changed) return;
    FillMomentList(outcome.select);
    Mark();
}

void TTimeLineForm::MergeMoments() {
    CTimeLine* timeLine = Resource();
    const int selected = SelectedMoment();
    if (!timeLine || selected < 0) return;
    std::int32_t from = timeLine->GetMomentStep(selected);
    std::int32_t till = from;
    bool ok;
    {
        BusyScope busy(*this);
        ok = AskValues2("Merging Moments", "From moment:", from, "Till moment:", till);
    }
    timeLine = Resource();
    if (!timeLine || !ok) return;
    const MomentOutcome outcome = MergeMomentsCommand(*timeLine, from, till);
    if (!outcome.changed) return;
    FillMomentList(outcome.select);
    Mark();
}

void TTimeLineForm::ShiftMoments() {
    CTimeLine* timeLine = Resource();
    const int selected = SelectedMoment();
    if (!timeLine || selected < 0) return;
    std::int32_t from = timeLine->GetMomentStep(selected);
    std::int32_t till = from;
    std::int32_t amount = 1;
    bool ok;
    {
        BusyScope busy(*this);
        ok = AskValues3("Shift Moments", "From moment:", from, "Till moment:", till, "By amount:", amount);
    }
    timeLine = Resource();
    if (!timeLine || !ok) return;
    const MomentOutcome outcome = ShiftMomentsCommand(*timeLine, selected, from, till, amount);
    if (outcome.message) return ShowMessage(outcome.message);
    if (!outcome.changed) return;
    FillMomentList(outcome.select);
    Mark();
}

void TTimeLineForm::ClearMoments() {
    CTimeLine* timeLine = Resource();
    if (!timeLine || SelectedMoment() < 0) return;
    bool yes;
    {
        BusyScope busy(*this);
        yes = AskYesNo(kRemoveAllMomentsQuestion);
    }
    timeLine = Resource();
    if (!timeLine || !yes) return;
    timeLine->Clear();
    FillMomentList(0);
    Mark();
}

void TTimeLineForm::MomentListMenu(const QPoint& globalPos) {
    const bool selected = SelectedMoment() >= 0;
    for (QAction* action : mEventsMenu->actions())
        if (action->objectName() != QStringLiteral("AddEvent1")) action->setEnabled(selected);
    QAction* chosen;
    {
        BusyScope busy(*this);
        chosen = ExecPopupMenu(*mEventsMenu, globalPos);
    }
    if (Forgotten()) return;
    for (QAction* action : mEventsMenu->actions()) action->setEnabled(true);
    if (chosen) chosen->trigger();
}

bool TTimeLineForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mMomentList->viewport()) {
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QModelIndex index = mMomentList->indexAt(mouse->position().toPoint());
            SelectMoment(index.isValid() ? index.row() : -1);
            MomentListMenu(mouse->globalPosition().toPoint());
            return true;
        }
        if (event->type() == QEvent::ContextMenu) return true;
    }
    return ResourceForm<CTimeLine>::eventFilter(watched, event);
}

}  // namespace kestrin
