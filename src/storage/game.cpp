// Game: identity, changed flags, lookups by kind, and the one instantiation
// of each resource list.

#include "storage/game.h"

#include "storage/resource_list_impl.h"

namespace kestrin {

std::array<std::uint8_t, 16> Guid::ToBytes() const {
    std::array<std::uint8_t, 16> bytes{};
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(data1 >> (8 * i));
    for (int i = 0; i < 2; ++i) bytes[4 + i] = static_cast<std::uint8_t>(data2 >> (8 * i));
    for (int i = 0; i < 2; ++i) bytes[6 + i] = static_cast<std::uint8_t>(data3 >> (8 * i));
    for (int i = 0; i < 8; ++i) bytes[8 + i] = data4[i];
    return bytes;
}

Guid Guid::FromBytes(const std::array<std::uint8_t, 16>& bytes) {
    Guid guid;
    for (int i = 3; i >= 0; --i) guid.data1 = guid.data1 << 8 | bytes[i];
    guid.data2 = static_cast<std::uint16_t>(bytes[4] | bytes[5] << 8);
    guid.data3 = static_cast<std::uint16_t>(bytes[6] | bytes[7] << 8);
    for (int i = 0; i < 8; ++i) guid.data4[i] = bytes[8 + i];
    return guid;
}

Guid NewGuid(RandomSource& random) {
    std::array<std::uint8_t, 16> bytes{};
    for (auto& byte : bytes) byte = random.NextByte();
    Guid guid = Guid::FromBytes(bytes);
    guid.data3 = static_cast<std::uint16_t>((guid.data3 & 0x0fff) | 0x4000);  // version 4
    guid.data4[0] = static_cast<std::uint8_t>((guid.data4[0] & 0x3f) | 0x80);  // the standard variant
    return guid;
}

Game::Game(RandomSource& random) : mRandom(random) { NewIdentity(); }

Game::~Game() = default;

ResourceListBase* Game::ListOf(ResourceKind kind) {
    return const_cast<ResourceListBase*>(std::as_const(*this).ListOf(kind));
}

const ResourceListBase* Game::ListOf(ResourceKind kind) const {
    switch (kind) {
    case ResourceKind::Sprite: return &mSprites;
    case ResourceKind::Sound: return &mSounds;
    case ResourceKind::Background: return &mBackgrounds;
    case ResourceKind::Path: return &mPaths;
    case ResourceKind::Script: return &mScripts;
    case ResourceKind::DataFile: return &mDataFiles;
    case ResourceKind::TimeLine: return &mTimeLines;
    case ResourceKind::Object: return &mObjects;
    case ResourceKind::Room: return &mRooms;
    default: return nullptr;
    }
}

void Game::NewIdentity() {
    GameId = mRandom.Next(kGameIdRange);
    GameGuid = NewGuid(mRandom);
}

void Game::ClearLists() {
    for (ResourceKind kind : {ResourceKind::Object, ResourceKind::Sound, ResourceKind::Sprite, ResourceKind::Room,
                              ResourceKind::Background, ResourceKind::Path, ResourceKind::Script,
                              ResourceKind::DataFile, ResourceKind::TimeLine})
        if (ResourceListBase* list = ListOf(kind)) list->ClearList();
}

bool Game::IsChanged(int flag) const { return flag >= 0 && flag < kChangedFlagCount && mChanged[flag]; }

void Game::SetChangedFlag(int flag, bool changed) {
    if (flag >= 0 && flag < kChangedFlagCount) mChanged[flag] = changed;
}

bool Game::GameChanged() const {
    for (bool flag : mChanged)
        if (flag) return true;
    return false;
}

void Game::ClearChangedFlags() { mChanged.fill(false); }

int Game::ResourceCount(ResourceKind kind) const {
    const ResourceListBase* list = ListOf(kind);
    return list ? list->ResourceCount() : 0;
}

bool Game::ResourceExists(ResourceKind kind, int index) const {
    const ResourceListBase* list = ListOf(kind);
    return list && list->ResourceExists(index);
}

std::string Game::ResourceName(ResourceKind kind, int index) const {
    const ResourceListBase* list = ListOf(kind);
    return list ? list->ResourceName(index) : kUndefinedName;
}

int Game::ResourceIcon(ResourceKind kind, int index) const {
    const ResourceListBase* list = ListOf(kind);
    return list ? list->ResourceIcon(index) : 0;
}

template class CResourceList<CSprite>;
template class CResourceList<CSound>;
template class CResourceList<CBackground>;
template class CResourceList<CPath>;
template class CResourceList<CScript>;
template class CResourceList<CDataFile>;
template class CResourceList<CTimeLine>;
template class CResourceList<CObject>;
template class CResourceList<CRoom>;

}  // namespace kestrin
