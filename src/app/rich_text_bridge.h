#pragma once
// The game information's rich-text model on a QTextDocument and back: each
// paragraph a block (alignment, a bullet list), each run a fragment with its
// font, size, colour and styles. Model text is 8-bit Windows Western, as the
// RTF reader and writer keep it. A model put into a document and taken back
// out comes back equal.

#include <QString>
#include <cstdint>
#include <string>

#include "resources/rich_text.h"

class QTextDocument;
class QTextCharFormat;

namespace kestrin {

// Replaces the document's content with the model (the undo history is cleared).
void PutRichText(const CRichText& text, QTextDocument& document);

// The document as the model: one paragraph per block, normalised runs; a
// document holding nothing but one empty block is the empty model.
CRichText TakeRichText(const QTextDocument& document);

// A character format of the model as Qt's and back; a format without a font
// family or size takes the document's default font.
QTextCharFormat ToQtFormat(const TextFormat& format);
TextFormat FromQtFormat(const QTextCharFormat& format, const QTextDocument& document);

// 8-bit Windows Western text as Unicode and back ('?' for what has no byte).
QString FromWindowsText(const std::string& text);
std::string ToWindowsText(const QString& text);

}  // namespace kestrin
