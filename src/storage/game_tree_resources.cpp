// GameTreeResources: the tree's calls turned into calls of the game's lists.

#include "storage/game_tree_resources.h"

#include "storage/game.h"
#include "storage/tree_codes.h"

namespace kestrin {

ResourceListBase* GameTreeResources::ListOfType(std::int32_t type) const {
    std::optional<ResourceKind> kind = KindOfType(type);
    return kind ? mGame.ListOf(*kind) : nullptr;
}

std::int32_t GameTreeResources::AddResource(std::int32_t type) {
    ResourceListBase* list = ListOfType(type);
    return list ? list->AddResource() : -1;
}

std::int32_t GameTreeResources::DuplicateResource(std::int32_t type, std::int32_t index) {
    ResourceListBase* list = ListOfType(type);
    return list ? list->DuplicateResource(index) : -1;
}

bool GameTreeResources::DeleteResource(std::int32_t type, std::int32_t index) {
    ResourceListBase* list = ListOfType(type);
    return list && list->DeleteResource(index);
}

void GameTreeResources::RenameResource(std::int32_t type, std::int32_t index, const std::string& name) {
    if (ResourceListBase* list = ListOfType(type)) list->RenameResource(index, name);
}

std::string GameTreeResources::ResourceName(std::int32_t type, std::int32_t index) const {
    ResourceListBase* list = ListOfType(type);
    return list ? list->ResourceName(index) : std::string(kUndefinedName);
}

int GameTreeResources::ResourceIcon(std::int32_t type, std::int32_t index) const {
    ResourceListBase* list = ListOfType(type);
    return list ? list->ResourceIcon(index) : 0;
}

void GameTreeResources::ResetIconList() { mGame.Icons.Reset(); }

void GameTreeResources::OpenResource(std::int32_t type, std::int32_t index) {
    if (ResourceListBase* list = ListOfType(type)) list->OpenResource(index);
}

bool GameTreeResources::TreeChanged() const { return mGame.IsChanged(ChangedFlag::Tree); }

void GameTreeResources::SetTreeChanged(bool changed) { mGame.SetChangedFlag(ChangedFlag::Tree, changed); }

}  // namespace kestrin
