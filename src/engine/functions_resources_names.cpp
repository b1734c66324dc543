// World functions: the names of resources, whether they exist, a script's
// text, and what the sprite and background records hold. Indexes count from
// 0; the name of a missing resource is "<undefined>", as the other name
// functions answer. There is no video memory to manage here: videomem and
// loadonuse answer the flags the record keeps.

#include "engine/functions_resources.h"
#include "resources/background.h"
#include "resources/script.h"
#include "resources/sprite.h"

namespace kestrin::engine {

namespace {

template <ResourceKind Kind>
Value NameOf(FunctionCall& call) {
    const Game& game = call.world.GameData();
    return game.ResourceExists(Kind, call.Int(0)) ? Value(game.ResourceName(Kind, call.Int(0))) : Value(kUndefinedName);
}

template <ResourceKind Kind>
Value ExistsOf(FunctionCall& call) {
    return call.world.GameData().ResourceExists(Kind, call.Int(0)) ? 1.0 : 0.0;
}

Value ScriptGetText(FunctionCall& call) {
    const CScript* script = RecordOf(call, call.world.GameData().Scripts(), "Script");
    return script ? Value(script->Code) : Value("");
}

// A sprite's field read through a member pointer.
template <auto Field>
Value SpriteField(FunctionCall& call) {
    const CSprite* sprite = RecordOf(call, call.world.GameData().Sprites(), "Sprite");
    return sprite ? static_cast<double>(sprite->*Field) : 0.0;
}

template <auto Field>
Value BackgroundField(FunctionCall& call) {
    const CBackground* background = RecordOf(call, call.world.GameData().Backgrounds(), "Background");
    return background ? static_cast<double>(background->*Field) : 0.0;
}

}  // namespace

void AddResourceNameFunctions(std::vector<WorldFunctionEntry>& table) {
    using K = ResourceKind;
    table.insert(table.end(), {
        {"sprite_name", NameOf<K::Sprite>},         {"background_name", NameOf<K::Background>},
        {"sound_name", NameOf<K::Sound>},           {"script_name", NameOf<K::Script>},
        {"path_name", NameOf<K::Path>},             {"timeline_name", NameOf<K::TimeLine>},
        {"object_name", NameOf<K::Object>},         {"room_name", NameOf<K::Room>},
        {"datafile_name", NameOf<K::DataFile>},     {"script_get_name", NameOf<K::Script>},
        {"path_get_name", NameOf<K::Path>},         {"timeline_get_name", NameOf<K::TimeLine>},
        {"script_exists", ExistsOf<K::Script>},     {"path_exists", ExistsOf<K::Path>},
        {"timeline_exists", ExistsOf<K::TimeLine>}, {"script_get_text", ScriptGetText},
        {"sprite_get_transparent", SpriteField<&CSprite::Transparent>},
        {"sprite_get_bbox_mode", SpriteField<&CSprite::BoxMode>},
        {"sprite_get_bbox_left", SpriteField<&CSprite::BoxLeft>},
        {"sprite_get_bbox_right", SpriteField<&CSprite::BoxRight>},
        {"sprite_get_bbox_top", SpriteField<&CSprite::BoxTop>},
        {"sprite_get_bbox_bottom", SpriteField<&CSprite::BoxBottom>},
        {"sprite_get_precise", SpriteField<&CSprite::PreciseCollision>},
        {"sprite_get_videomem", SpriteField<&CSprite::VideoMemory>},
        {"sprite_get_loadonuse", SpriteField<&CSprite::LoadOnUse>},
        {"background_get_transparent", BackgroundField<&CBackground::Transparent>},
        {"background_get_videomem", BackgroundField<&CBackground::VideoMemory>},
        {"background_get_loadonuse", BackgroundField<&CBackground::LoadOnUse>},
    });
}

}  // namespace kestrin::engine
