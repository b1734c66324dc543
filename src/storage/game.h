#pragma once
// Game: the one aggregate of game-wide state — the resource lists, the
// twelve changed flags, the rooms' id counters, the game id and GUID. The app
// holds one for the whole run; new, load and merge change its contents, never
// its identity. Tests make their own, with a fixed random source.

#include <array>
#include <cstdint>

#include "platform/random_source.h"
#include "resources/background.h"
#include "resources/data_file.h"
#include "resources/game_information.h"
#include "resources/game_options.h"
#include "resources/object.h"
#include "resources/path.h"
#include "resources/resource_kind.h"
#include "resources/room.h"
#include "resources/script.h"
#include "resources/sound.h"
#include "resources/sprite.h"
#include "resources/time_line.h"
#include "storage/game_tree_resources.h"
#include "storage/resource_icon_list.h"
#include "storage/resource_kinds.h"
#include "storage/resource_list.h"
#include "storage/resource_tree.h"

namespace kestrin {

class EditorHost;

// A globally unique identifier in its in-memory layout: a 32-bit part, two
// 16-bit parts and eight bytes; stored as 16 bytes, the numbers little-endian.
struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    std::array<std::uint8_t, 16> ToBytes() const;
    static Guid FromBytes(const std::array<std::uint8_t, 16>& bytes);
    bool operator==(const Guid&) const = default;
};

// A random (version 4) identifier drawn from the source.
Guid NewGuid(RandomSource& random);

inline constexpr std::int32_t kGameIdRange = 1000000;  // ids are 0..999999

class Game final : public ResourceLookup, public RoomIdSource {
public:
    explicit Game(RandomSource& random = kestrin::Random());
    ~Game() override;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    CResourceList<CSprite>& Sprites() { return mSprites; }
    CResourceList<CSound>& Sounds() { return mSounds; }
    CResourceList<CBackground>& Backgrounds() { return mBackgrounds; }
    CResourceList<CPath>& Paths() { return mPaths; }
    CResourceList<CScript>& Scripts() { return mScripts; }
    const CResourceList<CScript>& Scripts() const { return mScripts; }
    CResourceList<CDataFile>& DataFiles() { return mDataFiles; }
    CResourceList<CTimeLine>& TimeLines() { return mTimeLines; }
    CResourceList<CObject>& Objects() { return mObjects; }
    const CResourceList<CObject>& Objects() const { return mObjects; }
    CResourceList<CRoom>& Rooms() { return mRooms; }
    CResourceTree& Tree() { return mTree; }
    const CResourceTree& Tree() const { return mTree; }

    // The list of a kind, or null while the game keeps no list of it.
    ResourceListBase* ListOf(ResourceKind kind);
    const ResourceListBase* ListOf(ResourceKind kind) const;

    // A new game id (0..999999) and GUID.
    void NewIdentity();
    // Clears every list, in the order a new game clears them.
    void ClearLists();

    std::int32_t GameId = 0;
    Guid GameGuid;
    // The game options and the game information page.
    CGameOptions Options;
    CGameInformation Information;
    // Rooms: the last instance and tile ids handed out.
    std::int32_t LastInstanceId = kFirstLastInstanceId;
    std::int32_t LastTileId = kFirstLastTileId;
    // Thumbnails of sprites and backgrounds in the resource icon list.
    ResourceIconList Icons;
    std::int32_t NewInstanceId() override { return ++LastInstanceId; }
    std::int32_t NewTileId() override { return ++LastTileId; }

    // The twelve changed flags (FlagIndex gives a kind's or another's index).
    bool IsChanged(int flag) const;
    void SetChangedFlag(int flag, bool changed);
    bool IsChanged(ChangedFlag flag) const { return IsChanged(FlagIndex(flag)); }
    void SetChangedFlag(ChangedFlag flag, bool changed) { SetChangedFlag(FlagIndex(flag), changed); }
    // At least one flag is set.
    bool GameChanged() const;
    void ClearChangedFlags();

    // The editor windows; null (headless) opens nothing.
    EditorHost* Editors() const { return mEditors; }
    void SetEditors(EditorHost* host) { mEditors = host; }

    RandomSource& RandomNumbers() { return mRandom; }

    // ResourceLookup.
    int ResourceCount(ResourceKind kind) const override;
    bool ResourceExists(ResourceKind kind, int index) const override;
    std::string ResourceName(ResourceKind kind, int index) const override;
    const CObject* ObjectAt(int index) const override { return mObjects.ResourceAt(index); }
    const CSprite* SpriteAt(int index) const override { return mSprites.ResourceAt(index); }
    const CBackground* BackgroundAt(int index) const override { return mBackgrounds.ResourceAt(index); }
    bool TracksKind(ResourceKind kind) const override { return ListOf(kind) != nullptr; }
    // The tree icon of a resource; 0 for an empty slot or a kind not kept.
    int ResourceIcon(ResourceKind kind, int index) const;

private:
    RandomSource& mRandom;
    EditorHost* mEditors = nullptr;
    std::array<bool, kChangedFlagCount> mChanged{};

    CResourceList<CSprite> mSprites{*this};
    CResourceList<CSound> mSounds{*this};
    CResourceList<CBackground> mBackgrounds{*this};
    CResourceList<CPath> mPaths{*this};
    CResourceList<CScript> mScripts{*this};
    CResourceList<CDataFile> mDataFiles{*this};
    CResourceList<CTimeLine> mTimeLines{*this};
    CResourceList<CObject> mObjects{*this};
    CResourceList<CRoom> mRooms{*this};
    // The tree last: it asks the lists for names and icons.
    GameTreeResources mTreeResources{*this};
    CResourceTree mTree{&mTreeResources};
};

extern template class CResourceList<CSprite>;
extern template class CResourceList<CSound>;
extern template class CResourceList<CBackground>;
extern template class CResourceList<CPath>;
extern template class CResourceList<CScript>;
extern template class CResourceList<CDataFile>;
extern template class CResourceList<CTimeLine>;
extern template class CResourceList<CObject>;
extern template class CResourceList<CRoom>;

}  // namespace kestrin
