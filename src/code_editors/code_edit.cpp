// TMyRichEdit: keys, snapshot undo, text in and out, the gutter.

#include "code_editors/code_edit.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <algorithm>

#include "app/text_convert.h"
#include "code_editors/code_highlighter.h"
#include "language/code_brackets.h"
#include "language/code_indent.h"
#include "language/code_text.h"
#include "language/code_words.h"

namespace kestrin {

class TMyRichEdit::Gutter : public QWidget {
public:
    explicit Gutter(TMyRichEdit* editor) : QWidget(editor), mEditor(editor) {}
    QSize sizeHint() const override { return QSize(mEditor->GutterWidth(), 0); }

protected:
    void paintEvent(QPaintEvent* event) override { mEditor->PaintGutter(event); }

private:
    TMyRichEdit* mEditor;
};

namespace {

bool IsLineSeparator(char16_t c) { return c == 0x2029 || c == 0x2028 || c == 0xFDD0 || c == 0xFDD1; }

}  // namespace

TMyRichEdit::TMyRichEdit(const NameResolver& names, QWidget* parent)
    : QPlainTextEdit(parent), mGutter(new Gutter(this)), mUndo(kDefaultUndoSize) {
    setObjectName(QStringLiteral("TextObj"));
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    QPlainTextEdit::setFont(font);
    mHighlighter = std::make_unique<CodeHighlighter>(document(), names);

    connect(document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (removed == 0 && added == 0) return;
        if (!mPendingChange) mTextBeforeChange = mDirty ? nullptr : mText;
        mDirty = true;
        mPendingChange = true;
    });
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!mPendingChange) return;
        mPendingChange = false;
        // Formatting alone is no edit.
        std::shared_ptr<const std::string> before = std::move(mTextBeforeChange);
        if (before && *before == *EditText()) return;
        RecordSnapshot();
        emit CodeChanged();
    });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        RecordSnapshot();
        MarkLines();
    });
    connect(this, &QPlainTextEdit::selectionChanged, this, &TMyRichEdit::RecordSnapshot);
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { setViewportMargins(GutterWidth(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy) mGutter->scroll(0, dy);
        else mGutter->update(0, rect.y(), mGutter->width(), rect.height());
    });
    setViewportMargins(GutterWidth(), 0, 0, 0);
    ResetUndo();
    MarkLines();
}

// The base class still edits its document while it goes; this part must not
// hear of it any more.
TMyRichEdit::~TMyRichEdit() {
    disconnect(document(), nullptr, this, nullptr);
    disconnect(this, nullptr, this, nullptr);
}

void TMyRichEdit::SetTabSize(int size) { mTabSize = ClampTabSize(size); }

void TMyRichEdit::SetUndoSize(int size) {
    const int before = mUndo.Size();
    mUndo.SetSize(size, CodeSnapshot{EditText(), textCursor().selectionStart(),
                                     textCursor().selectionEnd() - textCursor().selectionStart(), FirstVisibleLine()});
    if (mUndo.Size() != before) emit StateChanged();
}

void TMyRichEdit::SetCode(const std::string& code) {
    {
        // The text is new, not edited: nobody hears of it as a change.
        QSignalBlocker quiet(this);
        LockUndo();
        // Coloured once, after the whole text is in.
        mHighlighter->setDocument(nullptr);
        setPlainText(ToQt(CodeToEditText(code)));
        mHighlighter->setDocument(document());
        mHighlighter->rehighlight();
        UnlockUndo();
        mPendingChange = false;
    }
    setViewportMargins(GutterWidth(), 0, 0, 0);
    ResetUndo();
    MarkLines();
}

std::string TMyRichEdit::Code() const { return EditTextToCode(*EditText()); }

std::shared_ptr<const std::string> TMyRichEdit::EditText() const {
    if (!mDirty && mText) return mText;
    // The raw text keeps no-break spaces; the plain text would turn them
    // into blanks.
    const QString raw = document()->toRawText();
    const int length = std::min(static_cast<int>(raw.size()), Length());
    std::string text(static_cast<std::size_t>(std::max(length, 0)), '\0');
    const QChar* data = raw.constData();
    for (int i = 0; i < length; ++i) {
        const char16_t c = data[i].unicode();
        text[static_cast<std::size_t>(i)] = IsLineSeparator(c) ? '\n' : c <= 0xFF ? static_cast<char>(c) : '?';
    }
    mText = std::make_shared<const std::string>(std::move(text));
    mDirty = false;
    return mText;
}

void TMyRichEdit::RecordSnapshot() {
    if (mUndo.Locked()) return;
    const bool couldUndo = CanUndo(), couldRedo = CanRedo();
    const QTextCursor cursor = textCursor();
    mUndo.Record(CodeSnapshot{EditText(), cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart(),
                              FirstVisibleLine()});
    if (couldUndo != CanUndo() || couldRedo != CanRedo()) emit StateChanged();
}

void TMyRichEdit::ResetUndo() {
    const QTextCursor cursor = textCursor();
    mUndo.Reset(CodeSnapshot{EditText(), cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart(),
                             FirstVisibleLine()});
    emit StateChanged();
}

void TMyRichEdit::Undo() {
    if (auto snapshot = mUndo.Undo()) Restore(*snapshot);
    emit StateChanged();
}

void TMyRichEdit::Redo() {
    if (auto snapshot = mUndo.Redo()) Restore(*snapshot);
    emit StateChanged();
}

// Only the part that differs is replaced, so the colouring redoes only the
// lines it touches.
void TMyRichEdit::Restore(const CodeSnapshot& snapshot) {
    const std::string& target = *snapshot.text;
    LockUndo();
    ReplaceAllText(target);
    const int length = Length();
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(snapshot.selStart, 0, length));
    cursor.setPosition(std::clamp(snapshot.selStart + snapshot.selLength, 0, length), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ScrollTo(snapshot.firstVisibleLine);
    if (!mDirty) mText = snapshot.text;
    UnlockUndo();
}

void TMyRichEdit::ReplaceAllText(const std::string& target) {
    std::shared_ptr<const std::string> present = EditText();
    const std::string& current = *present;
    const std::size_t shorter = std::min(current.size(), target.size());
    std::size_t prefix = 0;
    while (prefix < shorter && current[prefix] == target[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < shorter - prefix && current[current.size() - 1 - suffix] == target[target.size() - 1 - suffix])
        ++suffix;
    if (prefix == current.size() && prefix == target.size()) return;
    const int caret = textCursor().position();
    LockUndo();
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.setPosition(static_cast<int>(prefix));
    cursor.setPosition(static_cast<int>(current.size() - suffix), QTextCursor::KeepAnchor);
    cursor.insertText(ToQt(target.substr(prefix, target.size() - prefix - suffix)));
    cursor.endEditBlock();
    QTextCursor moved(document());
    moved.setPosition(std::clamp(caret, 0, Length()));
    setTextCursor(moved);
    UnlockUndo();
    RecordSnapshot();
}

void TMyRichEdit::ReplaceRange(int from, int to, const std::string& text, int selStart, int selLength) {
    ApplyEdit(from, to, ToQt(text), selStart, selLength);
}

void TMyRichEdit::ApplyEdit(int from, int to, const QString& text, int selStart, int selLength) {
    LockUndo();
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.setPosition(std::clamp(from, 0, Length()));
    cursor.setPosition(std::clamp(to, 0, Length()), QTextCursor::KeepAnchor);
    cursor.insertText(text);
    cursor.endEditBlock();
    const int length = Length();
    QTextCursor selection(document());
    selection.setPosition(std::clamp(selStart, 0, length));
    selection.setPosition(std::clamp(selStart + selLength, 0, length), QTextCursor::KeepAnchor);
    setTextCursor(selection);
    UnlockUndo();
    RecordSnapshot();
    ensureCursorVisible();
}

bool TMyRichEdit::Fits(int removed, int added) const {
    if (MaxLength <= 0 || added <= removed) return true;
    return Length() - removed + added <= MaxLength;
}

QString TMyRichEdit::Filtered(const QString& text) const {
    QString result = text;
    for (QChar& c : result)
        if (c.unicode() > 0xFF) c = QLatin1Char('?');
    return result;
}

void TMyRichEdit::BlockIndent(int n) {
    std::shared_ptr<const std::string> text = EditText();
    const QTextCursor cursor = textCursor();
    CodeEdit edit = BlockIndentEdit(*text, cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart(), n);
    if (!Fits(edit.to - edit.from, static_cast<int>(edit.insert.size()))) return;
    ReplaceRange(edit.from, edit.to, edit.insert, edit.selStart, edit.selLength);
}

// The line break goes in first, then the indent, so no dialog's Enter ever
// receives the blanks.
void TMyRichEdit::TypeLineBreak() {
    QTextCursor cursor = textCursor();
    if (!Fits(cursor.selectionEnd() - cursor.selectionStart(), 1)) {
        QApplication::beep();
        return;
    }
    LockUndo();
    cursor.insertText(QStringLiteral("\n"));
    setTextCursor(cursor);
    if (AutoIndent) {
        if (auto edit = AutoIndentEdit(*EditText(), cursor.position());
            edit && Fits(0, static_cast<int>(edit->insert.size()))) {
            cursor.insertText(ToQt(edit->insert));
            setTextCursor(cursor);
        }
    }
    UnlockUndo();
    RecordSnapshot();
    ensureCursorVisible();
}

void TMyRichEdit::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = mods & Qt::ControlModifier, alt = mods & Qt::AltModifier, shift = mods & Qt::ShiftModifier;
    const int key = event->key();

    if (key == Qt::Key_Insert && !ctrl && !alt && !shift) {
        setOverwriteMode(!overwriteMode());
        emit StateChanged();
        return;
    }
    if (ctrl && !alt && key == Qt::Key_Z) {
        shift ? Redo() : Undo();
        return;
    }
    if (ctrl && !alt && !shift && key == Qt::Key_Y) {
        Redo();
        return;
    }
    if (ctrl && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        ScrollTo(FirstVisibleLine() + (key == Qt::Key_Up ? -1 : 1));
        return;
    }
    if (ctrl && (key == Qt::Key_PageUp || key == Qt::Key_PageDown)) {
        const int page = std::max(VisibleLineCount(), 1);
        ScrollTo(FirstVisibleLine() + (key == Qt::Key_PageUp ? -page : page));
        return;
    }
    if (ctrl && !alt && key == Qt::Key_I) {
        BlockIndent(shift ? -mTabSize : mTabSize);
        return;
    }
    if (key == Qt::Key_Backtab && !ctrl && !alt) {
        BlockIndent(-mTabSize);
        return;
    }
    if (key == Qt::Key_Tab) {
        if (ctrl || alt) {
            event->ignore();  // for the windows around
            return;
        }
        if (shift) {
            BlockIndent(-mTabSize);
            return;
        }
        std::shared_ptr<const std::string> text = EditText();
        const QTextCursor cursor = textCursor();
        CodeEdit edit = TabEdit(*text, cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart(),
                                mTabSize, SmartTabs);
        if (Fits(0, static_cast<int>(edit.insert.size())))
            ReplaceRange(edit.from, edit.to, edit.insert, edit.selStart, edit.selLength);
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !ctrl && !alt) {
        TypeLineBreak();
        return;
    }
    if (key == Qt::Key_Backspace && !ctrl && !alt && !shift && BackspaceUnindent) {
        const QTextCursor cursor = textCursor();
        if (auto edit = SmartBackspaceEdit(*EditText(), cursor.selectionStart(),
                                           cursor.selectionEnd() - cursor.selectionStart())) {
            ReplaceRange(edit->from, edit->to, edit->insert, edit->selStart, edit->selLength);
            return;
        }
    }
    const QString text = event->text();
    if (text.contains(QLatin1Char('\t'))) return;
    if (!text.isEmpty() && text.at(0).isPrint() && !ctrl) {
        const QTextCursor cursor = textCursor();
        int removed = cursor.selectionEnd() - cursor.selectionStart();
        if (removed == 0 && overwriteMode())
            removed = std::min(static_cast<int>(text.size()), cursor.block().length() - 1 - cursor.positionInBlock());
        if (!Fits(removed, static_cast<int>(text.size()))) {
            QApplication::beep();
            return;
        }
        const QString filtered = Filtered(text);
        if (filtered != text) {
            QKeyEvent replaced(event->type(), key, event->modifiers(), filtered, event->isAutoRepeat(),
                               static_cast<quint16>(event->count()));
            QPlainTextEdit::keyPressEvent(&replaced);
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TMyRichEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    const QString filtered = Filtered(commit);
    const QTextCursor cursor = textCursor();
    if (!commit.isEmpty() && !Fits(cursor.selectionEnd() - cursor.selectionStart(), static_cast<int>(commit.size()))) {
        QApplication::beep();
        QInputMethodEvent none(event->preeditString(), event->attributes());
        QPlainTextEdit::inputMethodEvent(&none);
        return;
    }
    if (filtered != commit) {
        QInputMethodEvent replaced(event->preeditString(), event->attributes());
        replaced.setCommitString(filtered, event->replacementStart(), event->replacementLength());
        QPlainTextEdit::inputMethodEvent(&replaced);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void TMyRichEdit::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) return;
    QString text = source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (QChar& c : text) {
        if (c == QLatin1Char('\r') || IsLineSeparator(c.unicode())) c = QLatin1Char('\n');
    }
    text = Filtered(text);
    QTextCursor cursor = textCursor();
    const int selected = cursor.selectionEnd() - cursor.selectionStart();
    if (MaxLength > 0) {
        const int room = std::max(MaxLength - (Length() - selected), selected);
        if (text.size() > room) {
            QApplication::beep();
            text.truncate(room);
        }
    }
    cursor.insertText(text);
    setTextCursor(cursor);
    ensureCursorVisible();
}

int TMyRichEdit::CaretLine() const { return document()->findBlock(textCursor().selectionStart()).blockNumber(); }

int TMyRichEdit::CaretColumn() const {
    const int start = textCursor().selectionStart();
    return start - document()->findBlock(start).position();
}

void TMyRichEdit::GotoLine(int line) {
    QTextBlock block = document()->findBlockByNumber(std::clamp(line, 0, document()->blockCount() - 1));
    QTextCursor cursor(block);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void TMyRichEdit::SelectLine(int line) {
    QTextBlock block = document()->findBlockByNumber(std::clamp(line, 0, document()->blockCount() - 1));
    QTextCursor cursor(document());
    cursor.setPosition(block.position());
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

int TMyRichEdit::FirstVisibleLine() const { return verticalScrollBar()->value(); }

void TMyRichEdit::ScrollTo(int line) {
    verticalScrollBar()->setValue(std::clamp(line, 0, std::max(document()->blockCount() - 1, 0)));
}

int TMyRichEdit::VisibleLineCount() const {
    if (!isVisible()) return -1;
    return viewport()->height() / std::max(fontMetrics().lineSpacing(), 1);
}

void TMyRichEdit::SetFont(const QFont& font) {
    QPlainTextEdit::setFont(font);
    document()->setDefaultFont(font);
    setViewportMargins(GutterWidth(), 0, 0, 0);
    ResetUndo();
}

std::string TMyRichEdit::WordAtCaret(int* start, int* length) const {
    const QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    const std::string line = FromQt(block.text());
    WordSpan word = WordAt(line, cursor.position() - block.position());
    if (start) *start = block.position() + word.start;
    if (length) *length = word.length;
    return line.substr(word.start, word.length);
}

void TMyRichEdit::MarkLines() {
    QList<QTextEdit::ExtraSelection> marks;
    QTextEdit::ExtraSelection line;
    line.format.setBackground(QColor(255, 255, 215));
    line.format.setProperty(QTextFormat::FullWidthSelection, true);
    line.cursor = textCursor();
    line.cursor.clearSelection();
    marks.append(line);

    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        const int position = cursor.position();
        const QString blockText = cursor.block().text();
        const int column = cursor.positionInBlock();
        auto isBracket = [](QChar c) { return QStringLiteral("()[]{}").contains(c); };
        int at = -1;
        if (column < blockText.size() && isBracket(blockText[column])) at = position;
        else if (column > 0 && isBracket(blockText[column - 1])) at = position - 1;
        if (at >= 0) {
            const int match = MatchingBracket(*EditText(), at);
            if (match >= 0) {
                for (int p : {at, match}) {
                    QTextEdit::ExtraSelection bracket;
                    bracket.format.setBackground(QColor(200, 230, 255));
                    bracket.cursor = QTextCursor(document());
                    bracket.cursor.setPosition(p);
                    bracket.cursor.setPosition(p + 1, QTextCursor::KeepAnchor);
                    marks.append(bracket);
                }
            }
        }
    }
    setExtraSelections(marks);
}

int TMyRichEdit::GutterWidth() const {
    const int digits = static_cast<int>(QString::number(std::max(1, document()->blockCount())).size());
    return 10 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(digits, 3);
}

void TMyRichEdit::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    mGutter->setGeometry(QRect(area.left(), area.top(), GutterWidth(), area.height()));
}

void TMyRichEdit::PaintGutter(QPaintEvent* event) {
    QPainter painter(mGutter);
    painter.fillRect(event->rect(), QColor(240, 240, 240));
    painter.setPen(QColor(130, 130, 130));
    painter.setFont(font());
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    const int lineHeight = fontMetrics().height();
    while (block.isValid() && top <= event->rect().bottom()) {
        const int bottom = top + qRound(blockBoundingRect(block).height());
        if (block.isVisible() && bottom >= event->rect().top()) {
            painter.drawText(0, top, mGutter->width() - 5, lineHeight, Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
        }
        block = block.next();
        top = bottom;
    }
}

}  // namespace kestrin
