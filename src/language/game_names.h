#pragma once
// GameNames: a Game as the language tools see it — its resource names by
// kind, its user-defined constants and its scripts' code.
//
// The names are indexed when the adapter is made, so a check of many
// scripts looks every name up in constant time. Whoever keeps one across
// changes of the game (renames, new or deleted resources, new constants)
// calls Refresh before the next check; counts, names and script code are
// always read from the game as it is.

#include <array>
#include <string>
#include <vector>

#include "language/name_resolver.h"
#include "language/string_map.h"

namespace kestrin {

class Game;

class GameNames : public ProjectSource {
public:
    explicit GameNames(const Game& game);

    // Indexes the game's names and user constants again.
    void Refresh();

    int FindResource(ResourceKind kind, std::string_view name) const override;
    bool IsUserConstant(std::string_view name) const override;
    bool IsResourceName(std::string_view name) const override;

    int ResourceCount(ResourceKind kind) const override;
    bool ResourceExists(ResourceKind kind, int index) const override;
    std::string ResourceName(ResourceKind kind, int index) const override;
    std::string ScriptCode(int index) const override;
    std::vector<std::string> UserConstantNames() const override;

private:
    const Game& mGame;
    std::array<NameIndex<int>, kResourceKindCount> mFirstIndex;  // the lowest slot of each name
    NameSet mAnyKind;
    NameSet mUserConstants;
};

}  // namespace kestrin
