#pragma once
// TTimeLineForm: the time-line editor. The moment list on the left with its
// commands (add, change, delete, merge, shift, clear), the selected moment's
// actions and the action palette on the right, working like the object
// editor's action side.

#include "editors/resource_form.h"
#include "resources/time_line.h"

class QListWidget;
class QMenu;

namespace kestrin {

class TActionListView;

inline constexpr const char* kNoMomentForActions = "You need to add a moment before you can add actions.";
inline constexpr const char* kRemoveMomentQuestion = "Are you sure you want to remove the moment with all its actions?";
inline constexpr const char* kRemoveAllMomentsQuestion = "Are you sure you want to remove all moments?";

class TTimeLineForm : public ResourceForm<CTimeLine> {
    Q_OBJECT
public:
    TTimeLineForm(Game& game, int index, QWidget* parent = nullptr);

    void ResourcesChanged(ResourceKind kind) override;

    int SelectedMoment() const;
    void SelectMoment(int line);
    TActionListView& Actions() const { return *mActionList; }

    void AddMoment();
    void DeleteMoment();
    void ChangeMoment();
    void MergeMoments();
    void ShiftMoments();
    void ClearMoments();

protected:
    void FillControls() override;
    void RestoreBackup() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Rebuilds the lines and selects the wished line, or the last one when
    // the list is shorter, or none when it is empty.
    void FillMomentList(int select);
    void CurrentMomentChanged();
    void MomentListMenu(const QPoint& globalPos);

    QListWidget* mMomentList = nullptr;
    QMenu* mEventsMenu = nullptr;
    TActionListView* mActionList = nullptr;
};

}  // namespace kestrin
