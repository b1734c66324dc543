// The high-score table and its file.

#include "engine/highscore_table.h"

#include <cmath>
#include <cstdio>
#include <exception>

#include "stream/stream.h"

namespace kestrin::engine {

namespace {

constexpr char kMark[] = "KESTRIN HIGHSCORES";
// Longer names are cut: the table is a list to read, not a store.
constexpr std::size_t kMaxNameLength = 64;

}  // namespace

void HighscoreTable::Clear() {
    for (HighscoreEntry& entry : mEntries) entry = HighscoreEntry{kHighscoreNobody, 0};
}

int HighscoreTable::PlaceFor(double score) const {
    for (int i = 0; i < kPlaces; ++i)
        if (score > mEntries[i].score) return i + 1;
    return 0;
}

int HighscoreTable::Add(const std::string& name, double score) {
    const int place = PlaceFor(score);
    if (place == 0) return 0;
    for (int i = kPlaces - 1; i >= place; --i) mEntries[i] = mEntries[i - 1];
    mEntries[place - 1] = HighscoreEntry{name.substr(0, kMaxNameLength), score};
    return place;
}

const HighscoreEntry& HighscoreTable::At(int place) const {
    static const HighscoreEntry none;
    return place >= 1 && place <= kPlaces ? mEntries[place - 1] : none;
}

std::string HighscoreTable::Write(std::int32_t gameId) const {
    CStream out;
    out.WriteString(kMark);
    out.WriteInteger(gameId);
    for (const HighscoreEntry& entry : mEntries) {
        out.WriteString(entry.name);
        out.WriteReal(entry.score);
    }
    return std::string(out.View());
}

bool HighscoreTable::Read(const std::string& bytes, std::int32_t gameId) {
    std::array<HighscoreEntry, kPlaces> entries;
    try {
        CStream in(bytes);
        bool good = in.ReadString() == kMark && in.ReadInteger() == gameId;
        for (HighscoreEntry& entry : entries) {
            if (!good) break;
            entry.name = in.ReadString().substr(0, kMaxNameLength);
            entry.score = in.ReadReal();
            good = std::isfinite(entry.score);
        }
        if (good && in.Remaining() == 0) {
            mEntries = entries;
            return true;
        }
    } catch (const std::exception&) {
        // A short file.
    }
    Clear();
    return false;
}

std::string HighscoreText(double score) {
    char buffer[40];
    if (score == std::floor(score) && std::fabs(score) < 1e15)
        std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(score));
    else
        std::snprintf(buffer, sizeof buffer, "%.2f", score);
    return buffer;
}

std::vector<std::string> HighscoreLines(const HighscoreTable& table, int newPlace) {
    std::vector<std::string> lines{kHighscoreCaption};
    for (int place = 1; place <= HighscoreTable::kPlaces; ++place) {
        const HighscoreEntry& entry = table.At(place);
        lines.push_back(std::to_string(place) + ". " + entry.name + " " + HighscoreText(entry.score) +
                        (place == newPlace ? " (new)" : ""));
    }
    return lines;
}

}  // namespace kestrin::engine
