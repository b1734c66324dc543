#pragma once
// What each kind of resource list does differently: ResourceTraits<R> names
// the kind's row in kResourceKinds and hides those hooks of
// DefaultResourceTraits that the kind needs otherwise.

#include <optional>
#include <string>
#include <type_traits>

#include "resources/background.h"
#include "resources/data_file.h"
#include "resources/object.h"
#include "resources/path.h"
#include "resources/room.h"
#include "resources/script.h"
#include "resources/sound.h"
#include "resources/sprite.h"
#include "resources/time_line.h"
#include "storage/resource_kinds.h"
#include "stream/stream.h"

namespace kestrin {

class Game;

template <class R, ResourceKind K>
struct DefaultResourceTraits {
    static constexpr ResourceKind kKind = K;
    // FindResource's answer when no resource has the name.
    static constexpr int kNotFound = -1;

    static bool Load(R& resource, CStream& stream) { return resource.LoadFromStream(stream); }
    // False makes SaveList fail at once.
    static bool Save(R& resource, CStream& stream, Game&) {
        if constexpr (std::is_same_v<decltype(resource.SaveToStream(stream)), bool>) {
            return resource.SaveToStream(stream);
        } else {
            resource.SaveToStream(stream);
            return true;
        }
    }
    static void Copy(R& target, const R& source) { target.Assign(&source); }
    // A duplicate must not share what has to be unique across the game
    // (rooms: instance and tile ids).
    static void AfterDuplicate(Game&, R&) {}

    // The tree icon of an existing resource.
    static int Icon(const Game&, const R&, int thumbnail) {
        return KindInfo(K).icon == kComputedIcon ? thumbnail : KindInfo(K).icon;
    }
    // Kinds with thumbnails add one to the resource icon list and return its
    // number (kept per slot), or redraw it.
    static int AddThumbnail(Game&, const R&) { return 0; }
    static void UpdateThumbnail(Game&, const R&, int) {}

    // Names and indices outside the slots (objects: self and other).
    static std::optional<std::string> SpecialName(int) { return std::nullopt; }
    static std::optional<int> SpecialIndex(const std::string&) { return std::nullopt; }

    // Fields stored after the slots of the section (rooms: id counters).
    static void SaveExtra(CStream&, const Game&) {}
    static void LoadExtra(CStream&, Game&) {}
    static void SkipExtra(CStream&) {}
    static void ClearExtra(Game&) {}

    // Other resources react to a delete (objects drop dangling references).
    static void AfterDelete(Game&, int) {}
    // Opening through an external program instead of an editor window;
    // true when it was handled so.
    static bool OpenExternally(Game&, int) { return false; }
};

template <class R>
struct ResourceTraits;

// Sprites and backgrounds show their own thumbnail (MakeIcon) in the tree.
template <>
struct ResourceTraits<CSprite> : DefaultResourceTraits<CSprite, ResourceKind::Sprite> {
    static int AddThumbnail(Game& game, const CSprite& sprite);
    static void UpdateThumbnail(Game& game, const CSprite& sprite, int icon);
};

template <>
struct ResourceTraits<CBackground> : DefaultResourceTraits<CBackground, ResourceKind::Background> {
    static int AddThumbnail(Game& game, const CBackground& background);
    static void UpdateThumbnail(Game& game, const CBackground& background, int icon);
};

template <>
struct ResourceTraits<CSound> : DefaultResourceTraits<CSound, ResourceKind::Sound> {
    static int Icon(const Game&, const CSound& sound, int thumbnail);
};

template <>
struct ResourceTraits<CPath> : DefaultResourceTraits<CPath, ResourceKind::Path> {
    static void Copy(CPath& target, const CPath& source) { target.Assign(source); }
};

template <>
struct ResourceTraits<CScript> : DefaultResourceTraits<CScript, ResourceKind::Script> {
    static bool OpenExternally(Game& game, int index);
};

template <>
struct ResourceTraits<CDataFile> : DefaultResourceTraits<CDataFile, ResourceKind::DataFile> {};

template <>
struct ResourceTraits<CTimeLine> : DefaultResourceTraits<CTimeLine, ResourceKind::TimeLine> {};

template <>
struct ResourceTraits<CObject> : DefaultResourceTraits<CObject, ResourceKind::Object> {
    static constexpr int kNotFound = kNoObject;
    static bool Save(CObject& object, CStream& stream, Game& game);
    static int Icon(const Game& game, const CObject& object, int thumbnail);
    static std::optional<std::string> SpecialName(int index);
    static std::optional<int> SpecialIndex(const std::string& name);
    static void AfterDelete(Game& game, int index);
};

template <>
struct ResourceTraits<CRoom> : DefaultResourceTraits<CRoom, ResourceKind::Room> {
    // Drops instances and tiles whose object or background is gone.
    static bool Save(CRoom& room, CStream& stream, Game& game);
    // The last instance id and the last tile id follow the slots.
    static void SaveExtra(CStream& stream, const Game& game);
    static void LoadExtra(CStream& stream, Game& game);
    static void SkipExtra(CStream& stream);
    static void ClearExtra(Game& game);
    static void AfterDuplicate(Game& game, CRoom& room);
};

}  // namespace kestrin
