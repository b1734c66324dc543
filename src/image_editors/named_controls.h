#pragma once
// Controls made with their names, and the file-size test of the windows that
// take whole files into the game.

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <string>

#include "app/text_convert.h"
#include "stream/stream.h"

namespace kestrin {

template <class Control>
Control* MakeNamed(const char* name, const char* text, QWidget* parent) {
    auto* control = new Control(QString::fromLatin1(text), parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

inline QPushButton* MakeButton(const char* name, const char* text, QWidget* parent) {
    return MakeNamed<QPushButton>(name, text, parent);
}
inline QCheckBox* MakeCheck(const char* name, const char* text, QWidget* parent) {
    return MakeNamed<QCheckBox>(name, text, parent);
}

// A file small enough to be kept in one stored block of a game.
inline bool FileFitsInGame(const std::string& file) {
    return FitsInBlock(static_cast<std::uint64_t>(QFileInfo(PathToQt(file)).size()));
}

}  // namespace kestrin
