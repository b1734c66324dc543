// The Qt picture decoder: the size is read and checked before any pixels.

#include "image_editors/qt_picture_decoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include "imaging/picture.h"

namespace kestrin {

namespace {

bool DecodeWithQt(const std::vector<std::uint8_t>& bytes, Picture& picture) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QSize size = reader.size();
    // Formats without a size in their header are read and checked afterwards.
    if (size.isValid() && !PictureSizeAllowed(size.width(), size.height(), bytes.size(), 4096)) return false;
    QImage image = reader.read();
    if (image.isNull() || !PictureSizeAllowed(image.width(), image.height(), bytes.size(), 4096)) return false;
    bool hasAlpha = image.hasAlphaChannel();
    image = image.convertToFormat(QImage::Format_ARGB32);
    picture.image = std::make_unique<Bitmap24>(image.width(), image.height());
    picture.alpha.clear();
    if (hasAlpha) picture.alpha.resize(static_cast<std::size_t>(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::uint8_t* d = picture.image->Row(y);
        for (int x = 0; x < image.width(); ++x, d += 3) {
            d[0] = static_cast<std::uint8_t>(qBlue(s[x]));
            d[1] = static_cast<std::uint8_t>(qGreen(s[x]));
            d[2] = static_cast<std::uint8_t>(qRed(s[x]));
            if (hasAlpha) picture.alpha[static_cast<std::size_t>(y) * image.width() + x] = static_cast<std::uint8_t>(qAlpha(s[x]));
        }
    }
    return true;
}

}  // namespace

void RegisterQtPictureDecoder() { RegisterPictureDecoder(DecodeWithQt); }

}  // namespace kestrin
