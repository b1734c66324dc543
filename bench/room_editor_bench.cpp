// The room editor at scale: a 3200 x 2400 room with 10,000 instances (four
// objects, 32 and 64 pixel sprites, mixed depths) and 10,000 tiles on three
// layers, shown in a 1280 x 900 view (offscreen). Each case is measured
// through the editor's view and again drawing the same area with Room::Draw
// (no culling, a conversion per draw call), printed as ratios.

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

#include "editors/room_edit_controller.h"
#include "editors/room_paint_list.h"
#include "editors/room_view.h"
#include "image_editors/qt_draw_target.h"
#include "resources/background.h"
#include "resources/object.h"
#include "resources/sprite.h"
#include "storage/game.h"
#include "support/ratio_reporter.h"

namespace {

using namespace kestrin;

constexpr int kInstances = 10000;
constexpr int kTiles = 10000;
constexpr int kViewW = 1280, kViewH = 900;

struct Fixture {
    RandomSource random{1};
    Game game{random};
    CRoom* room = nullptr;
    std::unique_ptr<RoomEditController> controller;
    std::unique_ptr<TRoomView> view;
    QImage baselineCanvas{kViewW, kViewH, QImage::Format_ARGB32_Premultiplied};

    Fixture() {
        std::mt19937 rng(7);
        const int sizes[] = {32, 64, 32, 64};
        const int depths[] = {0, 10, -10, 100};
        for (int i = 0; i < 4; ++i) {
            const int s = game.Sprites().AddResource();
            Bitmap24 picture(sizes[i], sizes[i], 0xFFFFFF);
            picture.FillRect(2, 2, sizes[i] - 2, sizes[i] - 2, 0x2040C0 + 0x300000 * i);
            CSprite& sprite = *game.Sprites().ResourceAt(s);
            sprite.AddImage(&picture);
            sprite.SetTransparent(true);
            sprite.UpdateTransparentColor();
            sprite.XOrigin = sizes[i] / 2;
            sprite.YOrigin = sizes[i] / 2;
            const int o = game.Objects().AddResource();
            game.Objects().ResourceAt(o)->Sprite = s;
            game.Objects().ResourceAt(o)->Depth = depths[i];
        }
        const int tileset = game.Backgrounds().AddResource();
        Bitmap24 tiles(256, 256, 0x808080);
        for (int y = 0; y < 256; y += 16)
            for (int x = 0; x < 256; x += 16) tiles.FillRect(x + 1, y + 1, x + 15, y + 15, (x * 977 + y * 131) & 0xFFFFFF);
        game.Backgrounds().ResourceAt(tileset)->SetImage(&tiles);

        room = game.Rooms().ResourceAt(game.Rooms().AddResource());
        room->Width = 3200;
        room->Height = 2400;
        for (int i = 0; i < kInstances; ++i)
            room->AddInstance(static_cast<int>(rng() % 3200), static_cast<int>(rng() % 2400), static_cast<int>(rng() % 4), game);
        const int layerDepths[] = {1000000, 50, -50};
        for (int i = 0; i < kTiles; ++i) {
            RoomTile tile;
            tile.X = static_cast<int>(rng() % 200) * 16;
            tile.Y = static_cast<int>(rng() % 150) * 16;
            tile.Background = tileset;
            tile.Left = static_cast<int>(rng() % 16) * 16;
            tile.Top = static_cast<int>(rng() % 16) * 16;
            tile.Width = tile.Height = 16;
            tile.Depth = layerDepths[i % 3];
            room->AddTile(tile, game);
        }
        controller = std::make_unique<RoomEditController>(*room, game, game);
        controller->currentObject = 0;
        view = std::make_unique<TRoomView>(*room, game);
        view->resize(kViewW, kViewH);
        view->SetScroll(800, 600);
        controller->onRepaint = [this](const RoomArea& area) { view->RepaintArea(area); };
        view->Render();
        controller->SaveUndo();
    }

    // Room::Draw of the view's area, clipped to a rectangle of the view.
    void BaselineDraw(const QRect& clip) {
        QPainter painter(&baselineCanvas);
        painter.setClipRect(clip);
        QtDrawTarget target(painter, clip);
        room->Draw(target, static_cast<int>(view->ScrollX()), static_cast<int>(view->ScrollY()), game);
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_FullRepaint(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        f.view->RepaintAll();
        f.view->Render();
    }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

void BM_FullRepaint_RoomDraw(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) f.BaselineDraw(QRect(0, 0, kViewW, kViewH));
}
BENCHMARK(BM_FullRepaint_RoomDraw)->Unit(benchmark::kMillisecond);

void BM_DirtyRepaint32(benchmark::State& state) {
    Fixture& f = Shared();
    std::int64_t x = 0;
    for (auto _ : state) {
        x = (x + 37) % (kViewW - 32);
        f.view->RepaintArea({f.view->ScrollX() + x, f.view->ScrollY() + 300, f.view->ScrollX() + x + 32,
                             f.view->ScrollY() + 332});
        f.view->Render();
    }
}
BENCHMARK(BM_DirtyRepaint32)->Unit(benchmark::kMillisecond);

void BM_DirtyRepaint32_RoomDraw(benchmark::State& state) {
    Fixture& f = Shared();
    int x = 0;
    for (auto _ : state) {
        x = (x + 37) % (kViewW - 32);
        f.BaselineDraw(QRect(x, 300, 32, 32));
    }
}
BENCHMARK(BM_DirtyRepaint32_RoomDraw)->Unit(benchmark::kMillisecond);

// One step of a Shift-drag along a row: hit test, delete underlying, add,
// sort, repaint of the changed cells.
void ShiftDragSteps(benchmark::State& state, bool baseline) {
    Fixture& f = Shared();
    const RoomModifiers shift{true, false, false};
    const std::int64_t y = f.view->ScrollY() + 450;
    std::int64_t x = f.view->ScrollX();
    RoomArea dirty;
    if (baseline) f.controller->onRepaint = [&dirty](const RoomArea& area) { dirty = dirty.United(area); };
    f.controller->LeftDown(RoomItemKind::Instance, x, y, shift);
    for (auto _ : state) {
        x += 16;
        if (x > f.view->ScrollX() + kViewW - 64) x = f.view->ScrollX();
        dirty = {};
        f.controller->LeftMove(RoomItemKind::Instance, x, y, shift);
        if (baseline) {
            SortRoomForDrawing(*f.room, f.game);
            f.BaselineDraw(QRect(static_cast<int>(dirty.left - f.view->ScrollX()),
                                 static_cast<int>(dirty.top - f.view->ScrollY()), static_cast<int>(dirty.right - dirty.left),
                                 static_cast<int>(dirty.bottom - dirty.top)));
        } else {
            f.view->Render();
        }
    }
    f.controller->LeftUp(RoomItemKind::Instance, x, y, {});
    f.controller->onRepaint = [&f](const RoomArea& area) { f.view->RepaintArea(area); };
    state.counters["instances"] = f.room->InstanceCount();
}

void BM_ShiftDragStep(benchmark::State& state) { ShiftDragSteps(state, false); }
BENCHMARK(BM_ShiftDragStep)->Unit(benchmark::kMillisecond);
void BM_ShiftDragStep_RoomDraw(benchmark::State& state) { ShiftDragSteps(state, true); }
BENCHMARK(BM_ShiftDragStep_RoomDraw)->Unit(benchmark::kMillisecond);

void BM_UndoSwap(benchmark::State& state) {
    Fixture& f = Shared();
    f.controller->SaveUndo();
    for (auto _ : state) f.controller->Undo();
}
BENCHMARK(BM_UndoSwap)->Unit(benchmark::kMillisecond);

// Undo as a whole-room exchange, the old way.
void BM_UndoSwap_RoomAssign(benchmark::State& state) {
    Fixture& f = Shared();
    CRoom copy, scratch;
    copy.Assign(f.room);
    for (auto _ : state) {
        scratch.Assign(f.room);
        f.room->Assign(&copy);
        copy.Assign(&scratch);
    }
}
BENCHMARK(BM_UndoSwap_RoomAssign)->Unit(benchmark::kMillisecond);

void BM_UndoWithRepaint(benchmark::State& state) {
    Fixture& f = Shared();
    f.controller->SaveUndo();
    for (auto _ : state) {
        f.controller->Undo();
        f.view->Render();
    }
}
BENCHMARK(BM_UndoWithRepaint)->Unit(benchmark::kMillisecond);

void BM_UndoWithRepaint_RoomDraw(benchmark::State& state) {
    Fixture& f = Shared();
    CRoom copy, scratch;
    copy.Assign(f.room);
    for (auto _ : state) {
        scratch.Assign(f.room);
        f.room->Assign(&copy);
        copy.Assign(&scratch);
        f.BaselineDraw(QRect(0, 0, kViewW, kViewH));
    }
}
BENCHMARK(BM_UndoWithRepaint_RoomDraw)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    kestrin::bench::RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    struct Line {
        const char* label;
        const char* measured;
        const char* baseline;
        double targetMs;
    };
    const Line lines[] = {
        {"full repaint 1280 x 900", "BM_FullRepaint", "BM_FullRepaint_RoomDraw", 8.0},
        {"32 x 32 dirty repaint", "BM_DirtyRepaint32", "BM_DirtyRepaint32_RoomDraw", 0.5},
        {"Shift-drag placing step", "BM_ShiftDragStep", "BM_ShiftDragStep_RoomDraw", 2.0},
        {"undo swap (lists only)", "BM_UndoSwap", "BM_UndoSwap_RoomAssign", 5.0},
        {"undo with repaint", "BM_UndoWithRepaint", "BM_UndoWithRepaint_RoomDraw", 0},
    };
    std::printf("\n%-28s %10s %12s %10s %8s\n", "case", "ours ms", "Room::Draw", "ratio", "target");
    for (const Line& line : lines) {
        // Google Benchmark reports these in milliseconds (the unit set above).
        const double ours = reporter.Time(line.measured), base = reporter.Time(line.baseline);
        if (ours <= 0 || base <= 0) continue;
        std::printf("%-28s %10.3f %12.3f %10.4f", line.label, ours, base, ours / base);
        if (line.targetMs > 0) std::printf(" %6.1f ms %s", line.targetMs, ours <= line.targetMs ? "ok" : "MISSED");
        std::printf("\n");
    }
    benchmark::Shutdown();
    return 0;
}
