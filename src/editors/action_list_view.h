#pragma once
// TActionListView: the owner-drawn list of an event's or a moment's actions,
// shared by the object and time-line editors. It adds from the palette,
// edits, cuts, copies and pastes through the shared clipboard, and moves or
// copies actions by dragging between lists of the same drag group (object
// editors drag among themselves, time-line editors among themselves).

#include <QListWidget>
#include <QPointer>
#include <cstdint>
#include <string>

class QAction;
class QMenu;

namespace kestrin {

class CEvent;
class TResourceForm;

enum class ActionDragGroup { Objects, TimeLines };

// Where a left-button press in an action list of the group started: the line
// (-1 for none), whether Ctrl was held (copy instead of move), the list.
struct ActionDragSource {
    int index = -1;
    bool copy = false;
    QPointer<class TActionListView> list;
};

ActionDragSource& DragSourceOf(ActionDragGroup group);

inline constexpr int kActionLineHeight = 26;
inline constexpr const char* kDragActionsHere = "drag actions here";

class TActionListView : public QListWidget {
    Q_OBJECT
public:
    // noEventMessage is shown when actions are added with no event or moment.
    TActionListView(TResourceForm& form, ActionDragGroup group, std::string noEventMessage,
                    QWidget* parent = nullptr);

    // The actions shown; null shows nothing.
    void SetEvent(CEvent* event);
    CEvent* Event() const { return mEvent; }
    // Rebuilds the lines; selects the wished line (or none for -1).
    void Refill(int select = -1);
    int Selected() const;

    void AddFromPalette(std::int32_t libraryId, std::int32_t actionId);
    void EditSelected();
    void CutSelected();
    void CopySelected();
    void Paste();
    void DeleteSelected();
    void CopyAll();
    void ClearAll();

    // A drop at a point of the list's viewport: a palette action, or the
    // group's drag source when fromList is set.
    void DropPaletteAction(const QPoint& viewportPos, std::int32_t libraryId, std::int32_t actionId);
    void DropFromList(const QPoint& viewportPos);
    // The index a drop at that viewport point inserts at.
    int DropIndexAt(const QPoint& viewportPos) const;

    QMenu* ListMenu() const { return mListMenu; }

signals:
    // The actions changed: the window marks.
    void Changed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QAction* AddMenuItem(const char* name, const QString& text, const QKeySequence& keys, void (TActionListView::*slot)());
    bool AcceptsDrag(const QMimeData& data) const;
    bool HasEventOrSay();
    // Runs the action's editor inside the window's busy scope; true when it changed.
    bool EditActionAt(int index);
    QString MimeType() const;

    TResourceForm& mForm;
    ActionDragGroup mGroup;
    std::string mNoEventMessage;
    CEvent* mEvent = nullptr;
    QMenu* mListMenu = nullptr;
    QAction* mEdit = nullptr;
    QAction* mCut = nullptr;
    QAction* mCopy = nullptr;
    QAction* mPaste = nullptr;
    QAction* mDelete = nullptr;
    QAction* mCopyAll = nullptr;
    QAction* mClear = nullptr;
    QPoint mPressAt;
    int mDropLine = -1;  // the indicator's insertion index while a drag is over the list
};

}  // namespace kestrin
