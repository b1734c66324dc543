#pragma once
// The bodies of CResourceList<R>. Only game.cpp includes this, where every
// list is instantiated once.

#include <utility>

#include "storage/game.h"
#include "storage/resource_editor.h"
#include "storage/resource_list.h"
#include "storage/resource_traits.h"
#include "storage/section_progress.h"
#include "stream/stream.h"

namespace kestrin {

template <class R>
CResourceList<R>::CResourceList(Game& game) : mGame(game) {}

// The windows belong to the GUI, which closes them before the game goes.
template <class R>
CResourceList<R>::~CResourceList() = default;

template <class R>
ResourceKind CResourceList<R>::Kind() const {
    return ResourceTraits<R>::kKind;
}

template <class R>
bool CResourceList<R>::Changed() const {
    return mGame.IsChanged(FlagIndex(Kind()));
}

template <class R>
void CResourceList<R>::SetChanged(bool changed) {
    mGame.SetChangedFlag(FlagIndex(Kind()), changed);
}

template <class R>
void CResourceList<R>::NotifyEditors() {
    if (EditorHost* host = mGame.Editors()) host->ResourcesChanged(Kind());
}

template <class R>
void CResourceList<R>::CloseEditor(Slot& slot) {
    // Forgotten first: the window may report its closing back to us.
    if (ResourceEditor* editor = std::exchange(slot.editor, nullptr)) editor->CloseEditor();
}

template <class R>
void CResourceList<R>::ClearList() {
    for (auto& slot : mSlots) CloseEditor(slot);
    mSlots.clear();
    mSlots.shrink_to_fit();
    ResourceTraits<R>::ClearExtra(mGame);
    SetChanged(false);
    NotifyEditors();
}

template <class R>
bool CResourceList<R>::ReadSlots(CStream& stream, std::vector<Slot>& slots) {
    using Traits = ResourceTraits<R>;
    if (stream.ReadInteger() != KindInfo(Kind()).sectionVersion) return false;
    std::int32_t count = stream.ReadInteger();
    // Every slot stores at least its flag.
    if (count > 0 && static_cast<std::size_t>(count) > stream.Remaining() / 4) throw StreamReadError();
    slots.clear();
    slots.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (std::int32_t i = 0; i < count; ++i) {
        Slot slot;
        if (stream.ReadBoolean()) {
            slot.name = stream.ReadString();
            slot.resource = std::make_unique<R>();
            if (!Traits::Load(*slot.resource, stream)) return false;
            slot.icon = Traits::AddThumbnail(mGame, *slot.resource);
        }
        slots.push_back(std::move(slot));
        ReportResourceRead(i + 1, count);
    }
    return true;
}

template <class R>
bool CResourceList<R>::LoadList(CStream& stream) {
    ClearList();
    std::vector<Slot> slots;
    if (!ReadSlots(stream, slots)) return false;
    mSlots = std::move(slots);
    ResourceTraits<R>::LoadExtra(stream, mGame);
    SetChanged(false);
    NotifyEditors();
    return true;
}

template <class R>
bool CResourceList<R>::MergeList(CStream& stream, int& previousCount) {
    previousCount = ResourceCount();
    std::vector<Slot> slots;
    if (!ReadSlots(stream, slots)) return false;
    ResourceTraits<R>::SkipExtra(stream);
    if (slots.empty()) return true;
    for (auto& slot : slots) mSlots.push_back(std::move(slot));
    SetChanged(true);
    NotifyEditors();
    return true;
}

template <class R>
void CResourceList<R>::TruncateList(int count) {
    if (count < 0 || count >= ResourceCount()) return;
    for (auto slot = mSlots.begin() + count; slot != mSlots.end(); ++slot) CloseEditor(*slot);
    mSlots.erase(mSlots.begin() + count, mSlots.end());
    NotifyEditors();
}

template <class R>
bool CResourceList<R>::SaveList(CStream& stream) {
    stream.WriteInteger(KindInfo(Kind()).sectionVersion);
    stream.WriteInteger(ResourceCount());
    for (auto& slot : mSlots) {
        stream.WriteBoolean(slot.resource != nullptr);
        if (!slot.resource) continue;
        stream.WriteString(slot.name);
        if (!ResourceTraits<R>::Save(*slot.resource, stream, mGame)) return false;
    }
    ResourceTraits<R>::SaveExtra(stream, mGame);
    return true;
}

template <class R>
int CResourceList<R>::AddResource() {
    int index = ResourceCount();
    Slot slot;
    slot.resource = std::make_unique<R>();
    slot.name = KindInfo(Kind()).prefix + std::to_string(index);
    slot.icon = ResourceTraits<R>::AddThumbnail(mGame, *slot.resource);
    mSlots.push_back(std::move(slot));
    SetChanged(true);
    NotifyEditors();
    return index;
}

template <class R>
int CResourceList<R>::DuplicateResource(int source) {
    int index = AddResource();
    if (const R* original = ResourceAt(source)) {
        ResourceTraits<R>::Copy(*mSlots[index].resource, *original);
        ResourceTraits<R>::AfterDuplicate(mGame, *mSlots[index].resource);
        UpdateIcon(index);
    }
    return index;
}

template <class R>
bool CResourceList<R>::DeleteResource(int index) {
    if (!ResourceExists(index)) return false;
    Slot& slot = mSlots[index];
    CloseEditor(slot);
    slot.resource.reset();
    slot.name.clear();
    slot.icon = 0;
    SetChanged(true);
    ResourceTraits<R>::AfterDelete(mGame, index);
    NotifyEditors();
    return true;
}

template <class R>
std::string CResourceList<R>::ResourceName(int index) const {
    if (auto special = ResourceTraits<R>::SpecialName(index)) return *special;
    if (!ResourceExists(index)) return kUndefinedName;
    return mSlots[index].name;
}

template <class R>
void CResourceList<R>::RenameResource(int index, const std::string& name) {
    if (!ResourceExists(index)) return;
    mSlots[index].name = name;
    if (mSlots[index].editor) mSlots[index].editor->ShowName(name);
    SetChanged(true);
    NotifyEditors();
}

template <class R>
int CResourceList<R>::FindResource(const std::string& name) const {
    if (auto special = ResourceTraits<R>::SpecialIndex(name)) return *special;
    for (int i = 0; i < ResourceCount(); ++i)
        if (mSlots[i].resource && mSlots[i].name == name) return i;
    return ResourceTraits<R>::kNotFound;
}

template <class R>
int CResourceList<R>::ResourceIcon(int index) const {
    const R* resource = ResourceAt(index);
    return resource ? ResourceTraits<R>::Icon(mGame, *resource, mSlots[index].icon) : 0;
}

template <class R>
R* CResourceList<R>::ResourceAt(int index) {
    return ValidIndex(index) ? mSlots[index].resource.get() : nullptr;
}

template <class R>
const R* CResourceList<R>::ResourceAt(int index) const {
    return ValidIndex(index) ? mSlots[index].resource.get() : nullptr;
}

template <class R>
void CResourceList<R>::OpenResource(int index) {
    if (!ResourceExists(index)) return;
    Slot& slot = mSlots[index];
    if (slot.editor) {
        slot.editor->BringToFront();
        return;
    }
    if (ResourceTraits<R>::OpenExternally(mGame, index)) return;
    if (EditorHost* host = mGame.Editors()) slot.editor = host->CreateEditor(Kind(), index);
}

template <class R>
void CResourceList<R>::OpenResourceAtLine(int index, int line) {
    OpenResource(index);
    if (line > 0 && ResourceExists(index) && mSlots[index].editor) mSlots[index].editor->SelectLine(line);
}

template <class R>
void CResourceList<R>::UpdateIcon(int index) {
    if (const R* resource = ResourceAt(index)) {
        ResourceTraits<R>::UpdateThumbnail(mGame, *resource, mSlots[index].icon);
        NotifyEditors();
    }
}

template <class R>
void CResourceList<R>::EditorClosed(int index) {
    if (!ValidIndex(index)) return;
    mSlots[index].editor = nullptr;
    UpdateIcon(index);
    if (EditorHost* host = mGame.Editors()) host->RepaintResourceTree();
}

template <class R>
ResourceEditor* CResourceList<R>::EditorAt(int index) const {
    return ValidIndex(index) ? mSlots[index].editor : nullptr;
}

}  // namespace kestrin
