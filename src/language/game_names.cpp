// GameNames: the indexes of a game's names and the reads of its lists.

#include "language/game_names.h"

#include "storage/game.h"
#include "storage/resource_traits.h"

namespace kestrin {

namespace {

// A name the list itself answers without looking at the slots: the object
// list gives "self" and "other" their own negative codes, so an object
// named so is never found by its name.
bool IsSpecialName(ResourceKind kind, const std::string& name) {
    return kind == ResourceKind::Object && ResourceTraits<CObject>::SpecialIndex(name).has_value();
}

}  // namespace

GameNames::GameNames(const Game& game) : mGame(game) { Refresh(); }

void GameNames::Refresh() {
    mFirstIndex = {};
    mAnyKind = NameSet();
    mUserConstants = NameSet();
    for (ResourceKind kind : kAllResourceKinds) {
        const ResourceListBase* list = mGame.ListOf(kind);
        if (!list) continue;
        NameIndex<int>& index = mFirstIndex[KindIndex(kind)];
        for (int i = 0; i < list->ResourceCount(); ++i) {
            if (!list->ResourceExists(i)) continue;
            const std::string name = list->ResourceName(i);
            if (IsSpecialName(kind, name)) continue;
            index.Insert(name, i);  // keeps the lowest index of a name
            mAnyKind.Insert(name, true);
        }
    }
    for (const auto& constant : mGame.Options.Constants) mUserConstants.Insert(constant.Name, true);
}

int GameNames::FindResource(ResourceKind kind, std::string_view name) const {
    const int* found = mFirstIndex[KindIndex(kind)].Find(name);
    return found ? *found : -1;
}

bool GameNames::IsUserConstant(std::string_view name) const { return mUserConstants.Contains(name); }

bool GameNames::IsResourceName(std::string_view name) const { return mAnyKind.Contains(name); }

int GameNames::ResourceCount(ResourceKind kind) const {
    const ResourceListBase* list = mGame.ListOf(kind);
    return list ? list->ResourceCount() : 0;
}

bool GameNames::ResourceExists(ResourceKind kind, int index) const {
    const ResourceListBase* list = mGame.ListOf(kind);
    return list && list->ResourceExists(index);
}

std::string GameNames::ResourceName(ResourceKind kind, int index) const {
    const ResourceListBase* list = mGame.ListOf(kind);
    return list ? list->ResourceName(index) : std::string();
}

std::string GameNames::ScriptCode(int index) const {
    const CScript* script = mGame.Scripts().ResourceAt(index);
    return script ? script->Code : std::string();
}

std::vector<std::string> GameNames::UserConstantNames() const {
    std::vector<std::string> names;
    names.reserve(mGame.Options.Constants.size());
    for (const auto& constant : mGame.Options.Constants) names.push_back(constant.Name);
    return names;
}

}  // namespace kestrin
