// CPath: editing, transformations, the straight and smooth rules, positions
// along the path, and the stored record.

#include "resources/path.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "stream/stream.h"

namespace kestrin {

namespace {

constexpr std::int32_t kPathVersion = 530;
constexpr std::int32_t kOldPathVersion = 420;
constexpr std::size_t kStoredPointSize = 3 * 8;
constexpr std::int64_t kMaxComputedPoints = std::int64_t(1) << 22;

PathPoint Mid(const PathPoint& a, const PathPoint& b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.speed + b.speed) / 2};
}

double SquaredDistance(const PathPoint& a, const PathPoint& b) {
    double dx = a.x - b.x, dy = a.y - b.y;
    return dx * dx + dy * dy;
}

}  // namespace

void CPath::Assign(const CPath& other) {
    // Every change of the points or the settings recomputes, so the other
    // path's polyline is already the one these would make: it is copied,
    // not made again (a long smooth path takes far longer to compute).
    if (&other != this) *this = other;
}

void CPath::ClearPoints() {
    mPoints.clear();
    mComputed.clear();
    mPieceStarts.clear();
    mLength = 0;
}

PathPoint CPath::GetPoint(int i) const {
    if (i < 0 || i >= PointCount()) return {0, 0, 1};
    return mPoints[i];
}

int CPath::AddPoint(double x, double y, double speed) {
    InsertPoint(PointCount(), x, y, speed);
    return PointCount() - 1;
}

void CPath::InsertPoint(int i, double x, double y, double speed) {
    if (i < 0 || i > PointCount()) return;
    mPoints.insert(mPoints.begin() + i, PathPoint{x, y, speed});
    Recompute();
}

void CPath::ChangePoint(int i, double x, double y, double speed) {
    if (i < 0 || i >= PointCount()) return;
    mPoints[i] = {x, y, speed};
    Recompute();
}

void CPath::DeletePoint(int i) {
    if (i < 0 || i >= PointCount()) return;
    mPoints.erase(mPoints.begin() + i);
    Recompute();
}

void CPath::SetKind(std::int32_t kind) {
    Kind = (kind == kPathStraight || kind == kPathSmooth) ? kind : kPathStraight;
    Recompute();
}

void CPath::SetClosed(bool closed) {
    Closed = closed;
    Recompute();
}

void CPath::SetPrecision(std::int32_t precision) {
    Precision = std::clamp(precision, 0, kPathMaxPrecision);
    Recompute();
}

void CPath::GetCenter(double& cx, double& cy) const {
    cx = cy = 0;
    if (mPoints.empty()) return;
    double minX = mPoints[0].x, maxX = minX, minY = mPoints[0].y, maxY = minY;
    for (const auto& p : mPoints) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    cx = (minX + maxX) / 2;
    cy = (minY + maxY) / 2;
}

void CPath::Shift(double dx, double dy) {
    for (auto& p : mPoints) {
        p.x += dx;
        p.y += dy;
    }
    Recompute();
}

void CPath::Mirror() {
    double cx, cy;
    GetCenter(cx, cy);
    for (auto& p : mPoints) p.x = 2 * cx - p.x;
    Recompute();
}

void CPath::Flip() {
    double cx, cy;
    GetCenter(cx, cy);
    for (auto& p : mPoints) p.y = 2 * cy - p.y;
    Recompute();
}

void CPath::Rotate(double degrees) {
    double cx, cy;
    GetCenter(cx, cy);
    double a = degrees * std::numbers::pi / 180;
    double c = std::cos(a), s = std::sin(a);
    for (auto& p : mPoints) {
        double x = p.x - cx, y = p.y - cy;
        p.x = cx + c * x + s * y;
        p.y = cy + c * y - s * x;
    }
    Recompute();
}

void CPath::Scale(double xs, double ys) {
    double cx, cy;
    GetCenter(cx, cy);
    for (auto& p : mPoints) {
        p.x = cx + xs * (p.x - cx);
        p.y = cy + ys * (p.y - cy);
    }
    Recompute();
}

void CPath::Reverse() {
    if (mPoints.size() < 2) return;
    std::reverse(mPoints.begin(), mPoints.end());
    Recompute();
}

void CPath::Subdivide(int depth, const PathPoint& s, const PathPoint& c, const PathPoint& e) {
    if (depth <= 0) return;
    PathPoint m{(s.x + 2 * c.x + e.x) / 4, (s.y + 2 * c.y + e.y) / 4, (s.speed + 2 * c.speed + e.speed) / 4};
    // Halves whose control point lies within 4 pixels of their end are
    // straight enough.
    if (SquaredDistance(c, s) > 16) Subdivide(depth - 1, s, Mid(s, c), m);
    Append(m);
    if (SquaredDistance(c, e) > 16) Subdivide(depth - 1, m, Mid(c, e), e);
}

void CPath::Recompute() {
    mComputed.clear();
    mPieceStarts.clear();
    int n = PointCount();
    if (Kind == kPathSmooth) {
        if (n >= 1) {
            auto at = [&](int i) -> const PathPoint& { return mPoints[i % n]; };
            if (!Closed) Append(at(0));
            int last = Closed ? n - 1 : n - 3;
            // A precision read from a file is kept as it was, but the curve
            // never splits deeper than the editor allows: a huge value would
            // make billions of points.
            int depth = std::clamp(Precision, 0, kPathMaxPrecision);
            // Likewise a file with millions of far-apart points: each
            // segment makes up to 2^depth points, so the depth is lowered
            // until the whole curve stays within a few million points.
            while (depth > 0 && (static_cast<std::int64_t>(n) << depth) > kMaxComputedPoints) --depth;
            for (int k = 0; k <= last; ++k) {
                mPieceStarts.push_back(ComputedCount());
                Subdivide(depth, Mid(at(k), at(k + 1)), at(k + 1), Mid(at(k + 1), at(k + 2)));
            }
            if (Closed) {
                if (!mComputed.empty()) mComputed.push_back(mComputed.front());
            } else {
                Append(at(n - 1));
            }
        }
    } else {
        for (const auto& p : mPoints) {
            mPieceStarts.push_back(ComputedCount());
            Append(p);
        }
        if (Closed && n > 0) Append(mPoints.front());
    }
    // The first piece holds an open curve's first point too, and the last
    // one every segment up to the end.
    if (ComputedCount() < 2) {
        mPieceStarts.clear();
    } else {
        if (mPieceStarts.empty()) mPieceStarts.push_back(0);
        mPieceStarts.front() = 0;
        while (mPieceStarts.size() > 1 && mPieceStarts.back() >= ComputedCount() - 1) mPieceStarts.pop_back();
        mPieceStarts.push_back(ComputedCount() - 1);
    }
    mLength = 0;
    for (std::size_t i = 0; i < mComputed.size(); ++i) {
        if (i > 0) mLength += std::hypot(mComputed[i].x - mComputed[i - 1].x, mComputed[i].y - mComputed[i - 1].y);
        mComputed[i].distance = mLength;
    }
}

std::vector<int> CPath::PiecesShapedBy(int i) const {
    std::vector<int> pieces;
    const int count = static_cast<int>(mPieceStarts.size()) - 1;
    if (count <= 0 || i < 0 || i >= PointCount()) return pieces;
    // A straight segment k joins points k and k + 1. A smooth stretch k is
    // shaped by points k to k + 2, and the piece before it ends with the
    // segment that leads to its first point.
    const int reach = Kind == kPathSmooth ? 3 : 1;
    for (int k = i - reach; k <= i; ++k) {
        int piece = Closed ? ((k % count) + count) % count : std::clamp(k, 0, count - 1);
        pieces.push_back(piece);
    }
    std::sort(pieces.begin(), pieces.end());
    pieces.erase(std::unique(pieces.begin(), pieces.end()), pieces.end());
    return pieces;
}

PathPoint CPath::PositionFrom(double f, int& from) const {
    int count = ComputedCount();
    if (count == 0) return {0, 0, 100};
    auto point = [&](int i) { return PathPoint{mComputed[i].x, mComputed[i].y, mComputed[i].speed}; };
    if (count == 1 || mLength == 0) return point(0);
    f = std::clamp(f, 0.0, 1.0);
    if (f == 0) return point(0);
    if (f == 1) return point(count - 1);
    double d = mLength * f;
    // Distances never decrease, so every index before the answer for a
    // smaller d is also before the answer for d.
    int i = std::clamp(from, 0, count - 2);
    // The answer is the first segment from i on that ends beyond d (or the
    // last one). Leaps that double, then halving, so that a far jump, as
    // drawing one part of a long path after another makes, does not walk
    // every point between.
    auto endsBeyond = [&](int k) { return k >= count - 2 || mComputed[k + 1].distance > d; };
    if (!endsBeyond(i)) {
        int before = i, step = 1;
        int after = std::min(i + step, count - 2);
        while (!endsBeyond(after)) {
            before = after;
            step *= 2;
            after = std::min(before + step, count - 2);
        }
        while (after - before > 1) {
            int middle = before + (after - before) / 2;
            if (endsBeyond(middle)) after = middle;
            else before = middle;
        }
        i = after;
    }
    from = i;
    const auto& a = mComputed[i];
    const auto& b = mComputed[i + 1];
    if (b.distance == a.distance) return point(i);
    double t = (d - a.distance) / (b.distance - a.distance);
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.speed + t * (b.speed - a.speed)};
}

bool CPath::LoadFromStream(CStream& stream) {
    std::int32_t version = stream.ReadInteger();
    if (version != kPathVersion && version != kOldPathVersion) return false;
    Kind = stream.ReadInteger();
    if (version == kPathVersion) {
        Closed = stream.ReadBoolean();
    } else {
        Closed = stream.ReadInteger() == 2;
    }
    Precision = stream.ReadInteger();
    if (version == kPathVersion) {
        BackgroundRoom = stream.ReadInteger();
        SnapX = stream.ReadInteger();
        SnapY = stream.ReadInteger();
    } else {
        BackgroundRoom = -1;
        SnapX = 16;
        SnapY = 16;
    }
    std::int32_t count = stream.ReadInteger();
    if (count < 0) count = 0;
    if (static_cast<std::size_t>(count) > stream.Remaining() / kStoredPointSize) throw StreamReadError();
    mPoints.assign(static_cast<std::size_t>(count), PathPoint{});
    for (auto& p : mPoints) {
        p.x = stream.ReadReal();
        p.y = stream.ReadReal();
        p.speed = stream.ReadReal();
    }
    Recompute();
    return true;
}

void CPath::SaveToStream(CStream& stream) const {
    stream.WriteInteger(kPathVersion);
    stream.WriteInteger(Kind);
    stream.WriteBoolean(Closed);
    stream.WriteInteger(Precision);
    stream.WriteInteger(BackgroundRoom);
    stream.WriteInteger(SnapX);
    stream.WriteInteger(SnapY);
    stream.WriteInteger(static_cast<std::int32_t>(mPoints.size()));
    for (const auto& p : mPoints) {
        stream.WriteReal(p.x);
        stream.WriteReal(p.y);
        stream.WriteReal(p.speed);
    }
}

}  // namespace kestrin
