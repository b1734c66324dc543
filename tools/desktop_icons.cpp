// kestrin-icons OUTPUT_FOLDER: renders the application icon as PNG files
// "<size>x<size>/apps/kestrin.png", laid out as the desktop's icon theme is.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "app/kestrin_icon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrin-icons OUTPUT_FOLDER\n");
        return 2;
    }
    // Drawing needs the GUI's font and raster set-up, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        kestrin::DrawKestrinIcon(painter, QRectF(0, 0, size, size));
        painter.end();
        const QString sizeFolder = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString path = sizeFolder + QStringLiteral("/kestrin.png");
        if (!QDir().mkpath(sizeFolder) || !image.save(path, "PNG")) {
            std::fprintf(stderr, "kestrin-icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
