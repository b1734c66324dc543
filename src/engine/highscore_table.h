#pragma once
// The game's high-score table: ten places from the highest score down, kept
// in a file of its own so it outlives the game. The file carries the game's
// id; a file of another game or a damaged one gives an empty table.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrin::engine {

struct HighscoreEntry {
    std::string name;
    double score = 0;
};

// How a shown table looks.
struct HighscoreLook {
    int background = -1;  // a background resource behind the table, or -1
    bool border = true;
    std::int32_t newColor = 255;  // the new entry's colour, red in the low byte
    std::int32_t otherColor = 0;
    std::string fontName = "Arial";
    int fontSize = 12;
};

inline constexpr const char* kHighscoreCaption = "High Scores";
inline constexpr const char* kHighscoreNobody = "(empty)";
inline constexpr const char* kHighscoreAnonymous = "Anonymous";
inline constexpr const char* kHighscoreNamePrompt = "You made the high-score table. Your name:";

class HighscoreTable {
public:
    static constexpr int kPlaces = 10;

    HighscoreTable() { Clear(); }
    void Clear();
    // The place (1 .. 10) a new score would take, or 0 when it is too low:
    // it has to beat the score of that place, so ties stay in the order made.
    int PlaceFor(double score) const;
    // Puts the entry in its place; the place, or 0.
    int Add(const std::string& name, double score);
    // Place 1 .. 10; an empty entry for any other.
    const HighscoreEntry& At(int place) const;

    std::string Write(std::int32_t gameId) const;
    // False (the table cleared) for bytes that are not a table of the game.
    bool Read(const std::string& bytes, std::int32_t gameId);

    // Where it is kept; empty keeps it only while the game runs.
    std::string file;
    // Read from the file yet.
    bool loaded = false;

private:
    std::array<HighscoreEntry, kPlaces> mEntries;
};

// The table as lines of text: the caption, then "N. name score" per place,
// the new place (0 for none) marked.
std::vector<std::string> HighscoreLines(const HighscoreTable& table, int newPlace);

// A score as the table shows it: whole numbers without a fraction.
std::string HighscoreText(double score);

}  // namespace kestrin::engine
