// The Qt side of pictures: painting through the drawing target with the
// transparent colour masked, and Qt's reader behind the general image reader.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "image_editors/qt_draw_target.h"
#include "image_editors/qt_picture_decoder.h"
#include "imaging/picture.h"

namespace kestrin {
namespace {

TEST(QtDrawing, SeeThroughPaintingSkipsTheTransparentColour) {
    Bitmap24 image(2, 2, 0x0000ff);
    image.SetPixel(0, 1, 0x00ff00);  // bottom-left: the transparent colour
    image.SetPixel(1, 0, 0x00ff00);
    QImage canvas(6, 6, QImage::Format_RGB32);
    canvas.fill(Qt::blue);
    {
        QPainter painter(&canvas);
        QtDrawTarget target(painter, canvas.rect());
        EXPECT_EQ(target.ClipRect(), (DrawRect{0, 0, 6, 6}));
        target.DrawImage(image, 1, 1, true);
        target.DrawStretched(image, 2, 4, 4, 2, false);
    }
    EXPECT_EQ(canvas.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(2, 1), qRgb(0, 0, 255));  // masked
    EXPECT_EQ(canvas.pixel(2, 4), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(4, 4), qRgb(0, 255, 0));  // opaque stretch keeps the green
    EXPECT_EQ(ToQImage(image, false).pixel(1, 0), qRgb(0, 255, 0));
}

TEST(QtDrawing, QtReaderDecodesFormatsTheCoreDoesNot) {
    QImage source(3, 2, QImage::Format_RGB32);
    source.fill(qRgb(10, 20, 30));
    source.setPixel(2, 1, qRgb(200, 100, 0));
    QByteArray ppm;
    QBuffer buffer(&ppm);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(source.save(&buffer, "PPM"));
    std::vector<std::uint8_t> bytes(ppm.begin(), ppm.end());
    EXPECT_FALSE(DecodePicture(bytes));
    RegisterQtPictureDecoder();
    auto picture = DecodePicture(bytes);
    ClearPictureDecoders();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->image->Width(), 3);
    EXPECT_EQ(picture->image->Pixel(2, 1), MakeColor(200, 100, 0));
    EXPECT_TRUE(picture->alpha.empty());
}

}  // namespace
}  // namespace kestrin
