#pragma once
// CPath: the control points and settings of a path, and the computed
// polyline (with the distance along it at every point) that instances follow.

#include <cstdint>
#include <vector>

namespace kestrin {

class CStream;

struct PathPoint {
    double x = 0;
    double y = 0;
    double speed = 0;
};

struct ComputedPathPoint {
    double x = 0;
    double y = 0;
    double speed = 0;
    double distance = 0;  // along the polyline from the first point
};

inline constexpr std::int32_t kPathStraight = 0;
inline constexpr std::int32_t kPathSmooth = 1;
inline constexpr std::int32_t kPathMaxPrecision = 8;

class CPath {
public:
    CPath() = default;

    void Assign(const CPath& other);

    void ClearPoints();
    int PointCount() const { return static_cast<int>(mPoints.size()); }
    // Point i; x 0, y 0, speed 1 outside the list.
    PathPoint GetPoint(int i) const;
    int AddPoint(double x, double y, double speed);
    void InsertPoint(int i, double x, double y, double speed);
    void ChangePoint(int i, double x, double y, double speed);
    void DeletePoint(int i);

    void SetKind(std::int32_t kind);
    void SetClosed(bool closed);
    void SetPrecision(std::int32_t precision);

    // Centre of the control points' bounding box; (0, 0) without points.
    void GetCenter(double& cx, double& cy) const;
    void Shift(double dx, double dy);
    void Mirror();
    void Flip();
    // Counter-clockwise on a screen whose y axis points down.
    void Rotate(double degrees);
    void Scale(double xs, double ys);
    void Reverse();

    // Position and speed at a fraction of the length.
    PathPoint GetPosition(double f) const { int from = 0; return PositionFrom(f, from); }
    double GetX(double f) const { return GetPosition(f).x; }
    double GetY(double f) const { return GetPosition(f).y; }

    void Recompute();
    int ComputedCount() const { return static_cast<int>(mComputed.size()); }
    const std::vector<ComputedPathPoint>& Computed() const { return mComputed; }
    double Length() const { return mLength; }
    // The computed polyline in pieces: piece k is the segments from computed
    // point PieceStarts()[k] up to PieceStarts()[k + 1] (the last entry is
    // the last computed point). A smooth path has a piece per stretch of
    // curve, a straight one a piece per segment. Moving one control point
    // changes only a few pieces and never their number, so a drawing can
    // keep what it knows of the others.
    const std::vector<int>& PieceStarts() const { return mPieceStarts; }
    // In increasing order: the pieces whose points depend on control point i.
    std::vector<int> PiecesShapedBy(int i) const;

    // Reads versions 530 and 420; false (the path unchanged) for any other.
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    // Set directly by the loader and the editor; the setters above recompute.
    std::int32_t Kind = kPathStraight;
    bool Closed = true;
    std::int32_t Precision = 4;
    std::int32_t BackgroundRoom = -1;
    std::int32_t SnapX = 16;
    std::int32_t SnapY = 16;

private:
    friend class PathSampler;
    // GetPosition, searching the segment from index `from` on (which must
    // not lie beyond the answer) and leaving the found segment there.
    PathPoint PositionFrom(double f, int& from) const;
    void Subdivide(int depth, const PathPoint& s, const PathPoint& c, const PathPoint& e);
    void Append(const PathPoint& p) { mComputed.push_back({p.x, p.y, p.speed, 0}); }

    std::vector<PathPoint> mPoints;
    std::vector<ComputedPathPoint> mComputed;
    std::vector<int> mPieceStarts;
    double mLength = 0;
};

// Positions at fractions that never decrease, as drawing asks for them: one
// walk along the computed points instead of a search from the start for each.
// Every answer equals GetPosition's.
class PathSampler {
public:
    explicit PathSampler(const CPath& path) : mPath(path) {}
    // f must not be smaller than in the previous call.
    PathPoint At(double f) { return mPath.PositionFrom(f, mIndex); }

private:
    const CPath& mPath;
    int mIndex = 0;
};

}  // namespace kestrin
