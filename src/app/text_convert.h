#pragma once
// Model text is 8-bit; Qt text is Unicode. Latin-1 maps each byte to the
// character with the same code, both ways.

#include <QString>
#include <string>

namespace kestrin {

inline QString ToQt(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQt(const QString& text) {
    QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace kestrin
