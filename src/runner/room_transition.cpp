// Room transitions in Qt.

#include "runner/room_transition.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kestrin::runner {

QImage TransitionFrame(const QImage& from, const QImage& to, int kind, double done) {
    done = std::clamp(done, 0.0, 1.0);
    QImage frame(to.size(), QImage::Format_RGB32);
    QPainter painter(&frame);
    // The old frame as it was, even when the new room is of another size.
    painter.fillRect(frame.rect(), Qt::black);
    painter.drawImage(0, 0, from);
    const int w = to.width(), h = to.height();
    const auto left = static_cast<int>(std::lround((1 - done) * w));
    const auto up = static_cast<int>(std::lround((1 - done) * h));
    switch (kind) {
        case 1: painter.drawImage(-left, 0, to); break;
        case 2: painter.drawImage(left, 0, to); break;
        case 3: painter.drawImage(0, -up, to); break;
        case 4: painter.drawImage(0, up, to); break;
        default:
            painter.setOpacity(done);
            painter.drawImage(0, 0, to);
            break;
    }
    return frame;
}

}  // namespace kestrin::runner
