#pragma once
// Model text is 8-bit; Qt text is Unicode. Latin-1 maps each byte to the
// character with the same code, both ways.
//
// File and folder names are not model text: they are the bytes the system
// names files with (UTF-8 here), so they cross with the file name encoding.

#include <QFile>
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

inline QString PathToQt(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

inline std::string PathFromQt(const QString& path) {
    QByteArray bytes = QFile::encodeName(path);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace kestrin
