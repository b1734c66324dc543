#pragma once
// GameTreeResources: the resource tree's view of a game's lists. Resources of
// a type come from the list of its kind; the tree's changed flag is the
// game's tree flag; editors open through the game's editor host.

#include "storage/tree_resources.h"

namespace kestrin {

class Game;
class ResourceListBase;

class GameTreeResources final : public TreeResources {
public:
    explicit GameTreeResources(Game& game) : mGame(game) {}

    std::int32_t AddResource(std::int32_t type) override;
    std::int32_t DuplicateResource(std::int32_t type, std::int32_t index) override;
    bool DeleteResource(std::int32_t type, std::int32_t index) override;
    void RenameResource(std::int32_t type, std::int32_t index, const std::string& name) override;
    std::string ResourceName(std::int32_t type, std::int32_t index) const override;
    int ResourceIcon(std::int32_t type, std::int32_t index) const override;
    void ResetIconList() override;
    void OpenResource(std::int32_t type, std::int32_t index) override;
    bool TreeChanged() const override;
    void SetTreeChanged(bool changed) override;

private:
    ResourceListBase* ListOfType(std::int32_t type) const;

    Game& mGame;
};

}  // namespace kestrin
