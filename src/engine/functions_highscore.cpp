// High-score functions: the table kept in the file the shell names, read
// when the game first asks for it and written after every change.

#include <cmath>
#include <exception>
#include <fstream>
#include <iterator>

#include "engine/canvas.h"
#include "engine/game_shell.h"
#include "engine/text_layout.h"
#include "engine/world.h"
#include "engine/world_functions.h"
#include "storage/game.h"
#include "stream/stream.h"

namespace kestrin::engine {

namespace {

// A table file is small; anything larger is not one.
constexpr std::streamoff kMaxTableFileBytes = 1 << 16;

HighscoreTable& Table(FunctionCall& call) {
    HighscoreTable& table = call.world.Highscores();
    if (table.loaded) return table;
    table.loaded = true;
    table.file = call.world.Shell().HighscoreFile();
    if (table.file.empty()) return table;
    std::ifstream in(table.file, std::ios::binary | std::ios::ate);
    if (!in || in.tellg() > kMaxTableFileBytes) return table;
    in.seekg(0);
    table.Read({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}, call.world.GameData().GameId);
    return table;
}

void Keep(FunctionCall& call, const HighscoreTable& table) {
    if (table.file.empty()) return;
    try {
        CStream(table.Write(call.world.GameData().GameId)).SaveToFile(table.file);
    } catch (const std::exception&) {
        call.world.ReportError("Cannot write the high-score table to " + table.file + ".");
    }
}

// Adds the score with the name the player gives, when it makes the table.
int AddAsked(FunctionCall& call, double score) {
    HighscoreTable& table = Table(call);
    if (table.PlaceFor(score) == 0) return 0;
    const int place = table.Add(call.world.Shell().AskHighscoreName(), score);
    Keep(call, table);
    return place;
}

void Show(FunctionCall& call, double score, const HighscoreLook& look) {
    const int place = AddAsked(call, score);
    call.world.Shell().ShowHighscores(Table(call), place, look);
}

Value HighscoreClear(FunctionCall& call) {
    HighscoreTable& table = Table(call);
    table.Clear();
    Keep(call, table);
    return 0.0;
}

Value HighscoreAdd(FunctionCall& call) {
    HighscoreTable& table = Table(call);
    if (table.Add(call.Text(0), call.Real(1)) > 0) Keep(call, table);
    return 0.0;
}

Value HighscoreAddCurrent(FunctionCall& call) {
    AddAsked(call, call.world.Values().score);
    return 0.0;
}

Value HighscoreValue(FunctionCall& call) { return Table(call).At(call.Int(0)).score; }

Value HighscoreName(FunctionCall& call) { return Table(call).At(call.Int(0)).name; }

Value HighscoreShow(FunctionCall& call) {
    Show(call, call.Real(0), HighscoreLook{});
    return 0.0;
}

Value HighscoreShowExt(FunctionCall& call) {
    HighscoreLook look;
    look.background = call.Int(1);
    look.border = call.Bool(2);
    look.newColor = static_cast<std::int32_t>(static_cast<std::int64_t>(call.Real(3)) & 0xFFFFFF);
    look.otherColor = static_cast<std::int32_t>(static_cast<std::int64_t>(call.Real(4)) & 0xFFFFFF);
    if (call.Count() > 5 && !call.Text(5).empty()) look.fontName = call.Text(5);
    if (call.Count() > 6 && call.Int(6) > 0) look.fontSize = std::min(call.Int(6), 200);
    Show(call, call.Real(0), look);
    return 0.0;
}

// Names from the left edge, scores ending at the right edge, ten rows over
// the height, in the drawing font and colour.
Value DrawHighscore(FunctionCall& call) {
    Canvas* canvas = call.world.DrawingCanvas();
    if (!canvas) return 0.0;
    const HighscoreTable& table = Table(call);
    const double x1 = call.Real(0), y1 = call.Real(1), x2 = call.Real(2), y2 = call.Real(3);
    const double row = (y2 - y1) / HighscoreTable::kPlaces;
    const GameValues& values = call.world.Values();
    const TextFont font = GameFont(values);
    const auto color = static_cast<ColorValue>(static_cast<std::int64_t>(values.fontColor) & 0xFFFFFF);
    for (int place = 1; place <= HighscoreTable::kPlaces; ++place) {
        const int y = static_cast<int>(std::floor(y1 + row * (place - 1)));
        const std::string score = HighscoreText(table.At(place).score);
        canvas->Text(static_cast<int>(std::floor(x1)), y, table.At(place).name, font, color);
        canvas->Text(static_cast<int>(std::floor(x2)) - call.world.Metrics().Width(score, font), y, score, font, color);
    }
    return 0.0;
}

}  // namespace

void AddHighscoreFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"highscore_clear", HighscoreClear},       {"highscore_add", HighscoreAdd},
        {"highscore_add_current", HighscoreAddCurrent}, {"highscore_value", HighscoreValue},
        {"highscore_name", HighscoreName},         {"highscore_show", HighscoreShow},
        {"highscore_show_ext", HighscoreShowExt},  {"draw_highscore", DrawHighscore},
    });
}

}  // namespace kestrin::engine
