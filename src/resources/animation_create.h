#pragma once
// The generating operations of frame sets: each builds a new frame set of
// the source's size and transparency from n frames, S(k) being source frame
// k mod count, and leaves the source untouched. An empty source gives an
// empty result.

#include <memory>

#include "imaging/color.h"
#include "resources/animation.h"

namespace kestrin {

std::unique_ptr<TAnimation> Animation_SetLength(const TAnimation& source, int n);
std::unique_ptr<TAnimation> Animation_StretchLength(const TAnimation& source, int n);
std::unique_ptr<TAnimation> Animation_Reverse(const TAnimation& source);
std::unique_ptr<TAnimation> Animation_AddReverse(const TAnimation& source);
std::unique_ptr<TAnimation> Animation_Translation(const TAnimation& source, int n, int dx, int dy);
std::unique_ptr<TAnimation> Animation_Rotation(const TAnimation& source, int n, double degrees);
std::unique_ptr<TAnimation> Animation_Colorize(const TAnimation& source, int n, int hue);
std::unique_ptr<TAnimation> Animation_FadeTo(const TAnimation& source, int n, ColorValue color);
std::unique_ptr<TAnimation> Animation_Shrink(const TAnimation& source, int n, int placement);
std::unique_ptr<TAnimation> Animation_Grow(const TAnimation& source, int n, int placement);
std::unique_ptr<TAnimation> Animation_Disappear(const TAnimation& source, int n);
std::unique_ptr<TAnimation> Animation_Flatten(const TAnimation& source, int n, int placement);
std::unique_ptr<TAnimation> Animation_Raise(const TAnimation& source, int n, int placement);
// O(k) is frame k mod count of the other set; empty when either is empty.
std::unique_ptr<TAnimation> Animation_Overlay(const TAnimation& source, const TAnimation& other, int n);
std::unique_ptr<TAnimation> Animation_Morph(const TAnimation& source, const TAnimation& other, int n);

}  // namespace kestrin
