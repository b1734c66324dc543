// The path editor with a smooth, closed path of 10,000 control points at
// precision 4 in an 800 x 600 drawing: a full redraw, one drag step (change
// a point, recompute, redraw), a refill of the point list and opening the
// window. The redraw of a 100-point path in the same view is the baseline
// of two ratios: the long spiral puts far more line and points in view than
// the short one, so its ratio is the cost of what the view shows; a path of
// 10,000 points whose view shows just what the short path's does has the
// ratio that says whether redrawing grows with the path's length.

#include <QApplication>
#include <QListView>
#include <QMdiArea>
#include <QMouseEvent>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>
#include <numbers>

#include "editors/path_drawing.h"
#include "editors/path_form.h"
#include "editors/path_point_model.h"
#include "editors/path_view.h"
#include "storage/game.h"
#include "stream/stream.h"
#include "support/ratio_reporter.h"

namespace {

using namespace kestrin;

constexpr int kLongPath = 10000;
constexpr int kShortPath = 100;
const QSize kViewSize(800, 600);

// A closed spiral around the middle of the view, winding outwards and back,
// with points some 10 pixels apart: many of them in view.
std::vector<PathPoint> Spiral(int count, double centreX) {
    std::vector<PathPoint> points;
    double turns = count / 250.0;
    for (int i = 0; i < count; ++i) {
        double f = double(i) / count;
        double radius = 60 + 1400 * (f < 0.5 ? 2 * f : 2 - 2 * f) + (i % 2) * 6;
        double a = 2 * std::numbers::pi * turns * f;
        points.push_back({centreX + radius * std::cos(a), 300 + radius * std::sin(a), 100});
    }
    return points;
}

// Read as a record, so that the curve is computed once, not after each point.
void SetPoints(CPath& path, const std::vector<PathPoint>& points) {
    CStream record;
    record.WriteInteger(530);
    record.WriteInteger(kPathSmooth);
    record.WriteBoolean(true);  // closed
    record.WriteInteger(4);     // precision
    record.WriteInteger(-1);    // no room
    record.WriteInteger(16);
    record.WriteInteger(16);
    record.WriteInteger(int(points.size()));
    for (const PathPoint& p : points) {
        record.WriteReal(p.x);
        record.WriteReal(p.y);
        record.WriteReal(p.speed);
    }
    record.SetPosition(0);
    path.LoadFromStream(record);
}

// The short path's points, and then the rest of the long path's far to the
// right: the view shows what it shows of the short path.
std::vector<PathPoint> SpiralWithFarTail() {
    std::vector<PathPoint> points = Spiral(kShortPath, 400);
    std::vector<PathPoint> tail = Spiral(kLongPath - kShortPath, 40000);
    points.insert(points.end(), tail.begin(), tail.end());
    return points;
}

struct Fixture {
    Game game;
    QMdiArea area;
    int longIndex = 0;
    int shortIndex = 0;
    int sameViewIndex = 0;  // long, but showing what the short one shows

    Fixture() {
        longIndex = game.Paths().AddResource();
        SetPoints(*game.Paths().ResourceAt(longIndex), Spiral(kLongPath, 400));
        shortIndex = game.Paths().AddResource();
        SetPoints(*game.Paths().ResourceAt(shortIndex), Spiral(kShortPath, 400));
        sameViewIndex = game.Paths().AddResource();
        SetPoints(*game.Paths().ResourceAt(sameViewIndex), SpiralWithFarTail());
        area.resize(1400, 1000);
        area.show();
    }
    // The window on a path, its drawing made 800 x 600.
    TPathForm* OpenForm(int index) {
        auto* form = new TPathForm(game, index);
        area.addSubWindow(form);
        form->show();
        form->resize(form->size() + kViewSize - form->View()->size());
        QApplication::processEvents();
        return form;
    }
    void CloseForm(TPathForm* form) {
        form->CloseWithOk();
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// Made after the application and gone before it: windows must not outlive it.
std::unique_ptr<Fixture> gFixture;

Fixture& Data() { return *gFixture; }

void Redraw(benchmark::State& state, int index) {
    Fixture& data = Data();
    TPathForm* form = data.OpenForm(index);
    if (form->View()->size() != kViewSize) state.SkipWithError("the drawing is not 800 x 600");
    // The same place for every path, whatever opening chose.
    form->View()->SetOrigin({0, 0});
    for (auto _ : state) form->View()->repaint();
    data.CloseForm(form);
}

void RedrawLongPath(benchmark::State& state) { Redraw(state, Data().longIndex); }
void RedrawShortPath(benchmark::State& state) { Redraw(state, Data().shortIndex); }
void RedrawLongPathSameView(benchmark::State& state) { Redraw(state, Data().sameViewIndex); }

// The picture alone, without the widget.
void DrawLongPathPicture(benchmark::State& state) {
    const CPath& path = *Data().game.Paths().ResourceAt(Data().longIndex);
    QImage image(kViewSize, QImage::Format_RGB32);
    PathPictureState picture;
    for (auto _ : state) DrawPathPicture(image, path, nullptr, picture);
}

// The mouse drags a control point one grid step back and forth; each step
// changes the point, recomputes the path and repaints the drawing.
void DragStep(benchmark::State& state) {
    Fixture& data = Data();
    TPathForm* form = data.OpenForm(data.longIndex);
    TPathView* view = form->View();
    PathPoint p = data.game.Paths().ResourceAt(data.longIndex)->GetPoint(0);
    QPoint at = QPoint(int(std::lround(p.x)), int(std::lround(p.y))) - view->Origin();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), view->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &press);
    int step = 0;
    for (auto _ : state) {
        QPoint to = at + QPoint((++step % 2) * 16, 0);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), view->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view, &move);
        view->repaint();
    }
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), view->mapToGlobal(QPointF(at)), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &release);
    data.CloseForm(form);
}

void ListRefill(benchmark::State& state) {
    Fixture& data = Data();
    TPathForm* form = data.OpenForm(data.longIndex);
    auto* list = form->findChild<QListView*>(QStringLiteral("PointList"));
    for (auto _ : state) {
        form->PointModel()->Refill();
        list->setCurrentIndex(form->PointModel()->index(kLongPath / 2));
        list->repaint();
    }
    data.CloseForm(form);
}

void OpenWindow(benchmark::State& state) {
    Fixture& data = Data();
    for (auto _ : state) {
        TPathForm* form = data.OpenForm(data.longIndex);
        state.PauseTiming();
        data.CloseForm(form);
        state.ResumeTiming();
    }
}

BENCHMARK(RedrawShortPath)->Unit(benchmark::kMillisecond);
BENCHMARK(RedrawLongPath)->Unit(benchmark::kMillisecond);
BENCHMARK(RedrawLongPathSameView)->Unit(benchmark::kMillisecond);
BENCHMARK(DrawLongPathPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(DragStep)->Unit(benchmark::kMillisecond);
BENCHMARK(ListRefill)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenWindow)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gFixture = std::make_unique<Fixture>();
    const CPath& path = *Data().game.Paths().ResourceAt(Data().longIndex);
    std::printf("path: %d control points, %d computed points, length %.0f; targets: redraw <= 30 ms, "
                "drag step <= 50 ms, list refill <= 10 ms, opening <= 200 ms\n",
                path.PointCount(), path.ComputedCount(), path.Length());
    std::vector<kestrin::bench::RatioLine> lines = {
        {"redraw 10,000 points / 100 points", "RedrawLongPath", "RedrawShortPath", 1.5},
        {"redraw 10,000 points, same view / 100 points", "RedrawLongPathSameView", "RedrawShortPath", 1.5},
    };
    int result = kestrin::bench::RunAndPrintRatios(argc, argv, lines);
    gFixture.reset();
    return result;
}
