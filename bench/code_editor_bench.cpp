// The script editor on a 10,000-line, 256k-character script, offscreen: the
// editor's own work per keystroke (undo snapshot, the CR LF copy into the
// script, colouring, status panels, help list), opening, switching colouring
// on, undo and redo, Replace All with 10,000 matches, and the memory the undo
// ring keeps after caret moves. Each figure is printed with its target.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include "code_editors/code_edit.h"
#include "code_editors/code_editor_frame.h"
#include "code_editors/code_highlighter.h"
#include "code_editors/find_dialogs.h"
#include "code_editors/script_form.h"
#include "platform/preferences.h"
#include "storage/game.h"

namespace kestrin {
namespace {

using Clock = std::chrono::steady_clock;

double Millis(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The time this thread ran, so other programs on a loaded machine do not count.
double ThreadMillis() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// 10,000 lines of about 25 characters, each with one "foo".
std::string BigScript() {
    std::string code;
    // 24 characters each: 250,000 characters as edited, 260,000 as stored.
    const char* lines[] = {"var foo; foo = x + 1;   ", "if (foo > 3) { y = 2; } ", "/* foo */ draw_sprite(  ",
                           "  foo = \"text\"; // ok  "};
    for (int i = 0; i < 10000; ++i) {
        code += lines[i % 4];
        code += "\r\n";
    }
    return code;
}

struct Fixture {
    Fixture() {
        const int index = game.Scripts().AddResource();
        game.Scripts().RenameResource(index, "scr_big");
        game.Scripts().ResourceAt(index)->Code = BigScript();
    }
    TScriptForm* OpenForm() {
        auto* form = new TScriptForm(game, 0);
        form->resize(800, 600);
        form->show();
        return form;
    }
    Game game;
};

void Press(QWidget* widget, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * (values.size() - 1))];
}

void BM_Keystroke(benchmark::State& state) {
    Fixture fixture;
    TScriptForm* form = fixture.OpenForm();
    TMyRichEdit* text = form->Frame()->Text();
    text->GotoLine(5000);
    std::vector<double> times, cpu;
    bool type = true;
    for (auto _ : state) {
        const auto start = Clock::now();
        const double cpuStart = ThreadMillis();
        if (type) Press(text, Qt::Key_A, QStringLiteral("a"));
        else Press(text, Qt::Key_Backspace, QString(QChar(8)));
        cpu.push_back(ThreadMillis() - cpuStart);
        times.push_back(Millis(Clock::now() - start));
        type = !type;
    }
    state.counters["median_ms"] = Percentile(times, 0.5);
    state.counters["p99_ms"] = Percentile(times, 0.99);
    std::printf("keystroke (%d characters): wall median %.3f ms, p99 %.3f ms; thread CPU median %.3f ms, p99 %.3f ms "
                "(targets 4 and 16)\n",
                text->Length(), Percentile(times, 0.5), Percentile(times, 0.99), Percentile(cpu, 0.5),
                Percentile(cpu, 0.99));
    delete form;
}
BENCHMARK(BM_Keystroke)->Iterations(400)->Unit(benchmark::kMillisecond);

void BM_Open(benchmark::State& state) {
    Fixture fixture;
    for (auto _ : state) {
        TScriptForm* form = fixture.OpenForm();
        state.PauseTiming();
        fixture.game.Scripts().EditorClosed(0);
        delete form;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Open)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_ColoringOn(benchmark::State& state) {
    Fixture fixture;
    TScriptForm* form = fixture.OpenForm();
    for (auto _ : state) {
        state.PauseTiming();
        form->Frame()->ToggleColor();
        state.ResumeTiming();
        form->Frame()->ToggleColor();
    }
    delete form;
}
BENCHMARK(BM_ColoringOn)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_UndoRedo(benchmark::State& state) {
    Fixture fixture;
    TScriptForm* form = fixture.OpenForm();
    TMyRichEdit* text = form->Frame()->Text();
    text->GotoLine(5000);
    Press(text, Qt::Key_A, QStringLiteral("a"));
    std::vector<double> undo, redo;
    for (auto _ : state) {
        auto start = Clock::now();
        text->Undo();
        undo.push_back(Millis(Clock::now() - start));
        start = Clock::now();
        text->Redo();
        redo.push_back(Millis(Clock::now() - start));
    }
    std::printf("undo: median %.3f ms, redo: median %.3f ms (target 30 each)\n", Percentile(undo, 0.5),
                Percentile(redo, 0.5));
    delete form;
}
BENCHMARK(BM_UndoRedo)->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_ReplaceAll(benchmark::State& state) {
    Fixture fixture;
    TScriptForm* form = fixture.OpenForm();
    TCodeEditorFrame* frame = form->Frame();
    frame->ReplaceDialog()->SetFindText("foo");
    frame->ReplaceDialog()->findChild<QLineEdit*>(QStringLiteral("ReplaceText"))->setText(QStringLiteral("bar"));
    for (auto _ : state) {
        frame->ReplaceAll();
        state.PauseTiming();
        if (fixture.game.Scripts().ResourceAt(0)->Code.find("foo") != std::string::npos) state.SkipWithError("left");
        frame->Text()->Undo();
        state.ResumeTiming();
    }
    delete form;
}
BENCHMARK(BM_ReplaceAll)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_CaretMovesUndoMemory(benchmark::State& state) {
    Fixture fixture;
    Prefs().GroupUndo = false;
    TScriptForm* form = fixture.OpenForm();
    TMyRichEdit* text = form->Frame()->Text();
    for (auto _ : state) {
        for (int i = 0; i < 64; ++i) Press(text, Qt::Key_Down, QString());
    }
    const double bytes = static_cast<double>(text->UndoTextBytes());
    state.counters["ring_bytes"] = bytes;
    std::printf("undo ring after %d caret moves (group undo off, 32 slots): %.0f bytes of text, text is %d characters\n",
                64 * static_cast<int>(state.iterations()), bytes, text->Length());
    Prefs().GroupUndo = true;
    delete form;
}
BENCHMARK(BM_CaretMovesUndoMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrin

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kestrin::Prefs() = kestrin::Preferences{};
    kestrin::Prefs().Advanced = true;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
