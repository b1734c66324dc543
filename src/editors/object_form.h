#pragma once
// TObjectForm: the object editor. Properties on the left, the object's
// events in the middle, the current event's actions and the action palette
// on the right. Every edit acts on the live object at once; the base keeps
// the copy that "No" on closing puts back.

#include "editors/listed_events.h"
#include "editors/resource_form.h"
#include "resources/object.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QToolButton;

namespace kestrin {

class TActionListView;
class TActionPages;
class TValueEdit;

inline constexpr const char* kNoEventForActions = "You need to add an event before you can add actions.";
inline constexpr const char* kParentLoopMessage = "This will create a loop in parents.";
inline constexpr const char* kRemoveEventQuestion = "Are you sure you want to remove the event with all its actions?";
inline constexpr const char* kListOfEventsHint = "list of defined events";

class TObjectForm : public ResourceForm<CObject> {
    Q_OBJECT
public:
    TObjectForm(Game& game, int index, QWidget* parent = nullptr);

    void ResourcesChanged(ResourceKind kind) override;

    const ListedEvents& Listed() const { return mListed; }
    // The selected line of the event list, which is always the current event.
    int SelectedEvent() const;
    void SelectEvent(int line);
    TActionListView& Actions() const { return *mActionList; }

    void AddEvent();
    void DeleteEvent();
    void ChangeEvent();
    void ChooseSprite(const QPoint& globalPos);
    void ChooseParent(const QPoint& globalPos);
    void ChooseMask(const QPoint& globalPos);
    void NewSprite();
    void EditSprite();
    void ShowInformation();
    // What becoming the active window does: collision events of deleted
    // objects leave the list, the sprite display is brought up to date.
    void Reactivated();

protected:
    void FillControls() override;
    void RestoreBackup() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildProperties();
    QWidget* BuildEvents();
    void FillEventList(int select);
    void ShowSprite();
    void ShowNames();
    void CurrentEventChanged();
    CEvent* CurrentEvent();
    void EventListMenu(const QPoint& globalPos);

    ListedEvents mListed;

    QLabel* mSpriteImg = nullptr;
    QLineEdit* mSpriteName = nullptr;
    QToolButton* mSpriteMenu = nullptr;
    QPushButton* mEditSpriteBtn = nullptr;
    QCheckBox* mSolidCheck = nullptr;
    QCheckBox* mVisibleCheck = nullptr;
    QWidget* mAdvancedPanel = nullptr;
    TValueEdit* mDepthValue = nullptr;
    QCheckBox* mPersistentCheck = nullptr;
    QLineEdit* mParentName = nullptr;
    QLineEdit* mMaskName = nullptr;
    QListWidget* mEventList = nullptr;
    QPushButton* mDeleteEventBtn = nullptr;
    QPushButton* mChangeEventBtn = nullptr;
    QMenu* mEventsMenu = nullptr;
    QAction* mChangeEvent1 = nullptr;
    QAction* mDeleteEvent1 = nullptr;
    TActionListView* mActionList = nullptr;
    TActionPages* mActionPages = nullptr;
};

}  // namespace kestrin
