#pragma once
// The resource list pattern: one list per kind holding the kind's resources
// in numbered slots. Slots are never renumbered: adding appends a slot,
// deleting empties one, and empty slots are saved too, so an index stays
// valid for the life of the game.
//
// All nine lists are CResourceList<R> over their resource class R. What
// differs between kinds is a row of kResourceKinds (resource_kinds.h) and a
// ResourceTraits<R> specialization (resource_traits.h). To add a kind:
//   1. write its class with Clear, Assign(const R*), LoadFromStream and
//      SaveToStream;
//   2. specialize ResourceTraits<R>, deriving from DefaultResourceTraits<R,
//      ResourceKind::X> and hiding only the hooks the kind needs (tree icon,
//      thumbnails, extra section fields, special names, after-delete);
//   3. add a CResourceList<R> member to Game, return it from Game::ListOf and
//      add R to the explicit instantiations at the end of game.cpp.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "resources/resource_kind.h"

namespace kestrin {

class CStream;
class Game;
class ResourceEditor;

// The operations every list offers, for callers that hold a kind rather than
// a class (the tree, resource menus, descriptions, the game file).
class ResourceListBase {
public:
    virtual ~ResourceListBase() = default;

    virtual ResourceKind Kind() const = 0;

    // Frees every resource and closes every editor; count 0; flag clear.
    virtual void ClearList() = 0;
    // Replaces the list with the stream's section; false for a wrong section
    // version or a record that fails. Short data throws StreamReadError.
    virtual bool LoadList(CStream& stream) = 0;
    // Appends the stream's section; previousCount gets the count before it.
    // On failure the list is as before.
    virtual bool MergeList(CStream& stream, int& previousCount) = 0;
    // Drops the slots from `count` on, closing their editors: how a merge
    // that fails later takes back what it appended.
    virtual void TruncateList(int count) = 0;
    virtual bool SaveList(CStream& stream) = 0;

    // A new default resource in a new slot, named prefix + index.
    virtual int AddResource() = 0;
    // AddResource, then a copy of the source's settings when it exists.
    virtual int DuplicateResource(int source) = 0;
    virtual bool DeleteResource(int index) = 0;

    virtual int ResourceCount() const = 0;
    virtual bool ResourceExists(int index) const = 0;
    virtual std::string ResourceName(int index) const = 0;
    virtual void RenameResource(int index, const std::string& name) = 0;
    // Exact, case-sensitive; the lowest index wins.
    virtual int FindResource(const std::string& name) const = 0;
    virtual int ResourceIcon(int index) const = 0;

    virtual void OpenResource(int index) = 0;
    virtual void UpdateIcon(int index) = 0;
    virtual void EditorClosed(int index) = 0;
    virtual ResourceEditor* EditorAt(int index) const = 0;

    virtual bool Changed() const = 0;
    virtual void SetChanged(bool changed) = 0;
};

inline constexpr const char* kUndefinedName = "<undefined>";

template <class R>
class CResourceList final : public ResourceListBase {
public:
    explicit CResourceList(Game& game);
    ~CResourceList() override;
    CResourceList(const CResourceList&) = delete;
    CResourceList& operator=(const CResourceList&) = delete;

    ResourceKind Kind() const override;

    void ClearList() override;
    bool LoadList(CStream& stream) override;
    bool MergeList(CStream& stream, int& previousCount) override;
    void TruncateList(int count) override;
    bool SaveList(CStream& stream) override;

    int AddResource() override;
    int DuplicateResource(int source) override;
    bool DeleteResource(int index) override;

    int ResourceCount() const override { return static_cast<int>(mSlots.size()); }
    bool ResourceExists(int index) const override { return ResourceAt(index) != nullptr; }
    std::string ResourceName(int index) const override;
    void RenameResource(int index, const std::string& name) override;
    int FindResource(const std::string& name) const override;
    int ResourceIcon(int index) const override;

    // Null for an empty or invalid index.
    R* ResourceAt(int index);
    const R* ResourceAt(int index) const;

    void OpenResource(int index) override;
    // OpenResource, then selects the line when an editor window is open and
    // line > 0 (the script editor does the selecting).
    void OpenResourceAtLine(int index, int line);
    void UpdateIcon(int index) override;
    void EditorClosed(int index) override;
    ResourceEditor* EditorAt(int index) const override;

    bool Changed() const override;
    void SetChanged(bool changed) override;

private:
    struct Slot {
        std::unique_ptr<R> resource;  // null: an empty slot
        std::string name;
        ResourceEditor* editor = nullptr;
        int icon = 0;  // thumbnail number, for kinds that have thumbnails
    };

    bool ValidIndex(int index) const { return index >= 0 && index < ResourceCount(); }
    bool ReadSlots(CStream& stream, std::vector<Slot>& slots);
    void CloseEditor(Slot& slot);
    void NotifyEditors();

    Game& mGame;
    std::vector<Slot> mSlots;
};

}  // namespace kestrin
