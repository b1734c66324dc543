// The behaviour of the lists whose kinds differ from the default pattern.

#include "storage/resource_traits.h"

#include "platform/external_program.h"
#include "platform/preferences.h"
#include "storage/game.h"
#include "storage/resource_editor.h"

namespace kestrin {

namespace {
constexpr int kWaveIcon = 14;
constexpr int kMidiIcon = 15;
constexpr int kMp3Icon = 16;
constexpr int kUnknownSoundIcon = 4;
}  // namespace

int ResourceTraits<CSound>::Icon(const Game&, const CSound& sound, int) {
    switch (sound.Kind) {
    case kSoundWave: return kWaveIcon;
    case kSoundMidi: return kMidiIcon;
    case kSoundMp3: return kMp3Icon;
    case kSoundUnknown: return kUnknownSoundIcon;
    default: return 0;
    }
}

bool ResourceTraits<CScript>::OpenExternally(Game& game, int index) {
    if (!ExternalCodeEditorChosen()) return false;
    CScript* script = game.Scripts().ResourceAt(index);
    if (!script) return false;
    EditorHost* host = game.Editors();
    if (host) host->SetMainWindowVisible(false);
    std::string text = EditTextExternally(script->Code, Prefs().CodeEditor);
    if (host) host->SetMainWindowVisible(true);
    if (text != script->Code) {
        script->Code = text;
        game.Scripts().SetChanged(true);
    }
    return true;
}

bool ResourceTraits<CObject>::Save(CObject& object, CStream& stream, Game& game) {
    object.SaveToStream(stream, game);
    return true;
}

int ResourceTraits<CObject>::Icon(const Game& game, const CObject& object, int) {
    return game.ResourceIcon(ResourceKind::Sprite, object.Sprite);
}

std::optional<std::string> ResourceTraits<CObject>::SpecialName(int index) {
    if (index == kObjectSelf) return "self";
    if (index == kObjectOther) return "other";
    return std::nullopt;
}

std::optional<int> ResourceTraits<CObject>::SpecialIndex(const std::string& name) {
    if (name == "self") return kObjectSelf;
    if (name == "other") return kObjectOther;
    return std::nullopt;
}

void ResourceTraits<CObject>::AfterDelete(Game& game, int) {
    auto& objects = game.Objects();
    for (int i = 0; i < objects.ResourceCount(); ++i)
        if (CObject* object = objects.ResourceAt(i)) object->Validate(game);
}

bool ResourceTraits<CRoom>::Save(CRoom& room, CStream& stream, Game& game) {
    room.SaveToStream(stream, game);
    return true;
}

void ResourceTraits<CRoom>::SaveExtra(CStream& stream, const Game& game) {
    stream.WriteInteger(game.LastInstanceId);
    stream.WriteInteger(game.LastTileId);
}

void ResourceTraits<CRoom>::LoadExtra(CStream& stream, Game& game) {
    game.LastInstanceId = stream.ReadInteger();
    game.LastTileId = stream.ReadInteger();
}

void ResourceTraits<CRoom>::SkipExtra(CStream& stream) {
    stream.ReadInteger();
    stream.ReadInteger();
}

void ResourceTraits<CRoom>::AfterDuplicate(Game& game, CRoom& room) {
    // As a merge does: same references, new ids.
    room.RemapAfterMerge(0, 0, game);
}

void ResourceTraits<CRoom>::ClearExtra(Game& game) {
    game.LastInstanceId = kFirstLastInstanceId;
    game.LastTileId = kFirstLastTileId;
}

int ResourceTraits<CSprite>::AddThumbnail(Game& game, const CSprite& sprite) {
    return game.Icons.Add(sprite.MakeIcon());
}

void ResourceTraits<CSprite>::UpdateThumbnail(Game& game, const CSprite& sprite, int icon) {
    game.Icons.Replace(icon, sprite.MakeIcon());
}

int ResourceTraits<CBackground>::AddThumbnail(Game& game, const CBackground& background) {
    return game.Icons.Add(background.MakeIcon());
}

void ResourceTraits<CBackground>::UpdateThumbnail(Game& game, const CBackground& background, int icon) {
    game.Icons.Replace(icon, background.MakeIcon());
}

}  // namespace kestrin
