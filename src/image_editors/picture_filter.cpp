// The open-picture filter, from the formats the image reader knows.

#include "image_editors/picture_filter.h"

#include <QImageReader>
#include <QStringList>

#include "app/text_convert.h"

namespace kestrin {

std::string PictureFileFilter() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    return FromQt(QStringLiteral("Picture files (%1);;All files (*)").arg(patterns.join(QLatin1Char(' '))));
}

}  // namespace kestrin
