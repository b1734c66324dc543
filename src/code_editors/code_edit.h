#pragma once
// TMyRichEdit: the code edit control. Plain 8-bit program text on a
// QPlainTextEdit, coloured by a CodeHighlighter, with its own snapshot undo
// (Qt's is off), blank-based indentation, scrolling keys, a line-number
// gutter, the current line and matching brackets marked. A tab character is
// never typed; characters beyond Latin-1 are replaced when typed or pasted,
// so what is shown is what is saved.

#include <QPlainTextEdit>
#include <memory>
#include <string>

#include "language/code_undo_ring.h"

namespace kestrin {

class CodeHighlighter;
class NameResolver;

class TMyRichEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TMyRichEdit(const NameResolver& names, QWidget* parent = nullptr);
    ~TMyRichEdit() override;

    CodeHighlighter& Highlighter() const { return *mHighlighter; }

    // Settings.
    bool InsertMode() const { return !overwriteMode(); }
    bool AutoIndent = true;
    bool SmartTabs = true;
    bool BackspaceUnindent = true;
    // Clamped to the preferences' ranges.
    void SetTabSize(int size);
    int TabSize() const { return mTabSize; }
    void SetGroupUndo(bool group) { mUndo.SetGroupUndo(group); }
    bool GroupUndo() const { return mUndo.GroupUndo(); }
    void SetUndoSize(int size);
    int UndoSize() const { return mUndo.Size(); }
    // Growth beyond this many characters is refused.
    int MaxLength = 0;

    // Stored code (CR LF, LF or CR line breaks) in; undo starts afresh.
    void SetCode(const std::string& code);
    // The text as stored: lines ending with CR LF, bytes as typed.
    std::string Code() const;
    // The text with LF line breaks; shared until the next edit.
    std::shared_ptr<const std::string> EditText() const;
    int Length() const { return document()->characterCount() - 1; }

    // Snapshot undo.
    void RecordSnapshot();
    void ResetUndo();
    bool CanUndo() const { return mUndo.CanUndo(); }
    bool CanRedo() const { return mUndo.CanRedo(); }
    void Undo();
    void Redo();
    void LockUndo() { mUndo.Lock(); }
    void UnlockUndo() { mUndo.Unlock(); }
    std::size_t UndoTextBytes() const { return mUndo.TextBytes(); }

    // Replaces [from, to) of the edited text and selects, as one step.
    void ReplaceRange(int from, int to, const std::string& text, int selStart, int selLength);
    void ReplaceAllText(const std::string& text);

    int CaretLine() const;
    int CaretColumn() const;
    void GotoLine(int line);
    int FirstVisibleLine() const;
    void ScrollTo(int line);
    int VisibleLineCount() const;
    // Selects the whole line (from 0) and shows it.
    void SelectLine(int line);
    void SetFont(const QFont& font);
    // The word at the caret, for the help list and the resource properties.
    std::string WordAtCaret(int* start = nullptr, int* length = nullptr) const;

    void BlockIndent(int n);

signals:
    // The text was edited (not by formatting); undo has recorded it.
    void CodeChanged();
    // Undo or redo became possible or impossible, or the insert mode flipped.
    void StateChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class Gutter;
    friend class Gutter;

    void ApplyEdit(int from, int to, const QString& text, int selStart, int selLength);
    void Restore(const CodeSnapshot& snapshot);
    bool Fits(int removed, int added) const;
    QString Filtered(const QString& text) const;
    void TypeLineBreak();
    void MarkLines();
    int GutterWidth() const;
    void PaintGutter(QPaintEvent* event);

    std::unique_ptr<CodeHighlighter> mHighlighter;
    Gutter* mGutter;
    CodeUndoRing mUndo;
    int mTabSize = 4;
    mutable std::shared_ptr<const std::string> mText;
    mutable bool mDirty = true;
    std::shared_ptr<const std::string> mTextBeforeChange;
    bool mPendingChange = false;
};

}  // namespace kestrin
