#pragma once
// The frames shown while one room gives way to the next: the new room's
// frame pushed in from a side over the old one, or faded in.

#include <QImage>

namespace kestrin::runner {

// Kinds as transition_kind holds them: 1 from the left, 2 from the right,
// 3 from the top, 4 from the bottom, 5 fade; done runs from 0 to 1. The
// picture has the new frame's size.
QImage TransitionFrame(const QImage& from, const QImage& to, int kind, double done);

}  // namespace kestrin::runner
