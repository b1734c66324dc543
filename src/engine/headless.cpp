// Headless play and its input script and summary.

#include "engine/headless.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <sstream>

#include "actions/event_names.h"
#include "engine/game_shell.h"
#include "engine/world.h"
#include "storage/game.h"

namespace kestrin::engine {

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Trim(const std::string& text) {
    std::size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos) return {};
    std::size_t end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

// The name without "<" ">" or "-key", lower case.
std::string BareKeyName(const std::string& name) {
    std::string bare = Lower(Trim(name));
    if (bare.size() >= 2 && bare.front() == '<' && bare.back() == '>') bare = bare.substr(1, bare.size() - 2);
    if (bare.size() > 4 && bare.compare(bare.size() - 4, 4, "-key") == 0) bare.resize(bare.size() - 4);
    return bare;
}

bool ReadInteger(const std::string& text, long long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return end && *end == '\0';
}

void JsonString(std::ostream& out, const std::string& text) {
    out << '"';
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') out << '\\' << c;
        else if (c < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
            out << buffer;
        } else if (c >= 0x80) {
            // Model text is Latin-1; JSON wants UTF-8.
            out << static_cast<char>(0xC0 | (c >> 6)) << static_cast<char>(0x80 | (c & 0x3F));
        } else
            out << c;
    }
    out << '"';
}

void JsonNumber(std::ostream& out, double value) {
    if (!std::isfinite(value)) {
        out << 0;
        return;
    }
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        out << static_cast<long long>(value);
        return;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.10g", value);
    out << buffer;
}

class StreamShell : public GameShell {
public:
    explicit StreamShell(std::ostream& out) : mOut(out) {}
    void ShowMessage(const std::string& text) override { Line(text); }
    bool ShowQuestion(const std::string& text) override {
        Line(text);
        return true;
    }
    void WriteErrorLog(const std::string&) override {}

private:
    // One line per message: line breaks inside it become spaces.
    void Line(std::string text) {
        std::replace(text.begin(), text.end(), '\n', ' ');
        text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
        mOut << text << '\n';
    }
    std::ostream& mOut;
};

}  // namespace

int KeyFromName(const std::string& name) {
    const std::string wanted = BareKeyName(name);
    if (wanted.empty()) return -1;
    for (int code = 0; code < 256; ++code) {
        const std::string known = KeyName(code);
        if (known == "<unknown>") continue;
        if (BareKeyName(known) == wanted) return code;
    }
    return -1;
}

bool ParseInputScript(const std::string& text, std::vector<InputEvent>& events, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        line = Trim(line);
        if (line.empty() || line[0] == '#') continue;
        auto fail = [&](const std::string& why) {
            error = "line " + std::to_string(number) + ": " + why;
            return false;
        };
        std::istringstream words(line);
        std::string stepText, verb;
        words >> stepText >> verb;
        long long step;
        if (!ReadInteger(stepText, step) || step < 1) return fail("the step must be a number from 1");
        InputEvent event;
        event.step = step;
        verb = Lower(verb);
        std::string rest;
        std::getline(words, rest);
        rest = Trim(rest);
        if (verb == "down" || verb == "up") {
            event.kind = verb == "down" ? InputEvent::Kind::Down : InputEvent::Kind::Up;
            event.key = KeyFromName(rest);
            if (event.key < 0) return fail("unknown key \"" + rest + "\"");
        } else if (verb == "click") {
            event.kind = InputEvent::Kind::Click;
            std::istringstream position(rest);
            std::string xs, ys, extra;
            position >> xs >> ys >> extra;
            long long x, y;
            if (!ReadInteger(xs, x) || !ReadInteger(ys, y) || !extra.empty()) return fail("a click needs X and Y");
            event.x = static_cast<int>(std::clamp<long long>(x, -1000000, 1000000));
            event.y = static_cast<int>(std::clamp<long long>(y, -1000000, 1000000));
        } else {
            return fail("expected down, up or click");
        }
        events.push_back(event);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const InputEvent& a, const InputEvent& b) { return a.step < b.step; });
    return true;
}

std::string WorldSummaryJson(World& world) {
    std::ostringstream out;
    const GameValues& values = world.Values();
    out << "{\"steps\":" << world.StepCount() << ",\"room\":";
    JsonString(out, world.Room().name);
    out << ",\"score\":";
    JsonNumber(out, values.score);
    out << ",\"lives\":";
    JsonNumber(out, values.lives);
    out << ",\"health\":";
    JsonNumber(out, values.health);
    out << ",\"instances\":[";
    bool first = true;
    for (const auto& instance : world.Instances()) {
        if (!instance->alive) continue;
        out << (first ? "" : ",") << "{\"object\":";
        first = false;
        JsonString(out, world.GameData().Objects().ResourceName(instance->object));
        out << ",\"id\":" << instance->id << ",\"x\":";
        JsonNumber(out, instance->x);
        out << ",\"y\":";
        JsonNumber(out, instance->y);
        out << '}';
    }
    out << "]}";
    return out.str();
}

int PlayHeadless(Game& game, std::vector<std::string> libraryCode, const HeadlessOptions& options,
                 std::ostream& out) {
    StreamShell shell(out);
    shell.SetCommandLine(options.commandLine);
    World world(game, shell, std::move(libraryCode), options.seed);
    const bool started = world.Start();
    if (!started && world.Room().index < 0) {
        out << "The game has no room.\n";
        return 1;
    }
    std::size_t next = 0;
    bool releaseClick = false;
    for (std::int64_t step = 1; step <= options.steps && !world.Ended(); ++step) {
        if (releaseClick) {
            world.Input().ButtonUp(kMouseLeft);
            releaseClick = false;
        }
        for (; next < options.input.size() && options.input[next].step <= step; ++next) {
            const InputEvent& event = options.input[next];
            if (event.step < step) continue;
            switch (event.kind) {
                case InputEvent::Kind::Down: world.Input().KeyDown(event.key); break;
                case InputEvent::Kind::Up: world.Input().KeyUp(event.key); break;
                case InputEvent::Kind::Click:
                    world.Input().MoveMouse(event.x, event.y);
                    world.Input().ButtonDown(kMouseLeft);
                    releaseClick = true;
                    break;
            }
        }
        world.Step();
    }
    out << WorldSummaryJson(world) << '\n';
    return 0;
}

}  // namespace kestrin::engine
