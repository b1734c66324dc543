#pragma once
// TreeResources: what the resource tree asks of the resource lists, by
// resource type code (1 objects, 2 sprites, ...). The game implements it over
// its nine lists; a type without a list gives the neutral result.

#include <cstdint>
#include <string>

namespace kestrin {

class TreeResources {
public:
    virtual ~TreeResources() = default;

    // A new resource with default settings and its default name; -1 when the
    // type has no list.
    virtual std::int32_t AddResource(std::int32_t type) = 0;
    // A new resource with the settings of the source (when it exists); -1 when
    // the type has no list.
    virtual std::int32_t DuplicateResource(std::int32_t type, std::int32_t index) = 0;
    virtual bool DeleteResource(std::int32_t type, std::int32_t index) = 0;
    virtual void RenameResource(std::int32_t type, std::int32_t index, const std::string& name) = 0;
    // "<undefined>" for an empty or invalid index.
    virtual std::string ResourceName(std::int32_t type, std::int32_t index) const = 0;
    // The list's tree icon; 0 for an empty or invalid index.
    virtual int ResourceIcon(std::int32_t type, std::int32_t index) const = 0;
    // Back to the predefined images only (thumbnails are added by the lists).
    virtual void ResetIconList() {}
    // Editors: a resource of a list, the game information, the game options.
    virtual void OpenResource(std::int32_t /*type*/, std::int32_t /*index*/) {}
    virtual void OpenGameInformation() {}
    virtual void OpenGameOptions() {}
    // The tree's changed flag.
    virtual bool TreeChanged() const { return mTreeChanged; }
    virtual void SetTreeChanged(bool changed) { mTreeChanged = changed; }

private:
    bool mTreeChanged = false;
};

}  // namespace kestrin
