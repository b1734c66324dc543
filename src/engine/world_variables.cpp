// Reading and writing the world's built-in variables.

#include "engine/world_variables.h"

#include <chrono>
#include <algorithm>
#include <cmath>

#include "engine/game_shell.h"
#include "engine/world.h"
#include "storage/game.h"

namespace kestrin::engine {

namespace {

using B = BuiltinVariable;

double Now() {
    using namespace std::chrono;
    return static_cast<double>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool InRange(int index, int count) { return index >= 0 && index < count; }

int Whole(const Value& v) { return static_cast<int>(std::floor(v.Real())); }

}  // namespace

const std::vector<BuiltinVariableName>& BuiltinVariableNames() {
    static const std::vector<BuiltinVariableName> names = {
        {"x", B::X}, {"y", B::Y}, {"xprevious", B::XPrevious}, {"yprevious", B::YPrevious}, {"xstart", B::XStart},
        {"ystart", B::YStart}, {"hspeed", B::HSpeed}, {"vspeed", B::VSpeed}, {"direction", B::Direction},
        {"speed", B::Speed}, {"friction", B::Friction}, {"gravity", B::Gravity},
        {"gravity_direction", B::GravityDirection}, {"object_index", B::ObjectIndex}, {"id", B::Id},
        {"alarm", B::Alarm}, {"solid", B::Solid}, {"visible", B::Visible}, {"persistent", B::Persistent},
        {"depth", B::Depth}, {"bbox_left", B::BBoxLeft}, {"bbox_right", B::BBoxRight}, {"bbox_top", B::BBoxTop},
        {"bbox_bottom", B::BBoxBottom}, {"sprite_index", B::SpriteIndex}, {"image_index", B::ImageIndex},
        {"image_single", B::ImageSingle}, {"image_number", B::ImageNumber}, {"sprite_width", B::SpriteWidth},
        {"sprite_height", B::SpriteHeight}, {"sprite_xoffset", B::SpriteXOffset},
        {"sprite_yoffset", B::SpriteYOffset}, {"image_speed", B::ImageSpeed}, {"mask_index", B::MaskIndex},
        {"path_index", B::PathIndex}, {"path_position", B::PathPosition},
        {"path_positionprevious", B::PathPositionPrevious}, {"path_speed", B::PathSpeed},
        {"path_scale", B::PathScale}, {"path_orientation", B::PathOrientation}, {"path_endaction", B::PathEndAction},
        {"timeline_index", B::TimelineIndex}, {"timeline_position", B::TimelinePosition},
        {"timeline_speed", B::TimelineSpeed},
        {"room", B::Room}, {"room_first", B::RoomFirst}, {"room_last", B::RoomLast}, {"score", B::Score},
        {"lives", B::Lives}, {"health", B::Health}, {"game_id", B::GameId}, {"instance_count", B::InstanceCount},
        {"instance_id", B::InstanceIdArray}, {"room_width", B::RoomWidth}, {"room_height", B::RoomHeight},
        {"room_caption", B::RoomCaption}, {"room_speed", B::RoomSpeed}, {"room_persistent", B::RoomPersistent},
        {"background_color", B::BackgroundColor}, {"background_showcolor", B::BackgroundShowColor},
        {"background_visible", B::BackgroundVisible}, {"background_foreground", B::BackgroundForeground},
        {"background_index", B::BackgroundIndex}, {"background_x", B::BackgroundX}, {"background_y", B::BackgroundY},
        {"background_width", B::BackgroundWidth}, {"background_height", B::BackgroundHeight},
        {"background_htiled", B::BackgroundHTiled}, {"background_vtiled", B::BackgroundVTiled},
        {"background_hspeed", B::BackgroundHSpeed}, {"background_vspeed", B::BackgroundVSpeed},
        {"view_enabled", B::ViewEnabled}, {"view_current", B::ViewCurrent}, {"view_visible", B::ViewVisible},
        {"view_left", B::ViewLeft}, {"view_top", B::ViewTop}, {"view_width", B::ViewWidth},
        {"view_height", B::ViewHeight}, {"view_x", B::ViewX}, {"view_y", B::ViewY},
        {"view_hborder", B::ViewHBorder}, {"view_vborder", B::ViewVBorder}, {"view_hspeed", B::ViewHSpeed},
        {"view_vspeed", B::ViewVSpeed}, {"view_object", B::ViewObject}, {"mouse_x", B::MouseX},
        {"mouse_y", B::MouseY}, {"mouse_button", B::MouseButton}, {"keyboard_key", B::KeyboardKey},
        {"keyboard_lastkey", B::KeyboardLastKey}, {"show_score", B::ShowScore}, {"show_lives", B::ShowLives},
        {"show_health", B::ShowHealth}, {"caption_score", B::CaptionScore}, {"caption_lives", B::CaptionLives},
        {"caption_health", B::CaptionHealth}, {"fps", B::Fps}, {"current_time", B::CurrentTime},
        {"event_type", B::EventType}, {"event_number", B::EventNumber}, {"event_object", B::EventObject},
        {"event_action", B::EventAction}, {"brush_color", B::BrushColor}, {"brush_style", B::BrushStyle},
        {"pen_color", B::PenColor}, {"pen_size", B::PenSize}, {"font_color", B::FontColor},
        {"font_name", B::FontName}, {"font_size", B::FontSize}, {"font_style", B::FontStyle},
        {"font_angle", B::FontAngle}, {"font_align", B::FontAlign}, {"window_left", B::WindowLeft},
        {"window_top", B::WindowTop}, {"window_width", B::WindowWidth}, {"window_height", B::WindowHeight},
        {"window_client_left", B::WindowClientLeft}, {"window_client_top", B::WindowClientTop},
        {"window_client_width", B::WindowClientWidth}, {"window_client_height", B::WindowClientHeight},
        {"image_scale", B::ImageScale},
        {"image_xscale", B::ImageXScale}, {"image_yscale", B::ImageYScale}, {"image_alpha", B::ImageAlpha},
        {"transition_kind", B::TransitionKind}, {"transition_steps", B::TransitionSteps},
    };
    return names;
}

Value GetBuiltin(World& world, Instance* i, BuiltinVariable variable, int index) {
    RoomState& room = world.Room();
    const GameValues& values = world.Values();
    const EventContext* context = world.CurrentContext();
    if (!IsGlobalBuiltin(variable)) {
        if (!i) return 0.0;
        // Looked up only by the variables that need it: reads are frequent.
        auto ofSprite = [&world, i](auto field) {
            const SpriteFrames* sprite = world.Sprite(i->spriteIndex);
            return sprite ? static_cast<double>(field(*sprite)) : 0.0;
        };
        double l = i->x, t = i->y, r = i->x, b = i->y;
        switch (variable) {
            case B::X: return i->x;
            case B::Y: return i->y;
            case B::XPrevious: return i->xprevious;
            case B::YPrevious: return i->yprevious;
            case B::XStart: return i->xstart;
            case B::YStart: return i->ystart;
            case B::HSpeed: return i->Hspeed();
            case B::VSpeed: return i->Vspeed();
            case B::Direction: return i->Direction();
            case B::Speed: return i->Speed();
            case B::Friction: return i->friction;
            case B::Gravity: return i->gravity;
            case B::GravityDirection: return i->gravityDirection;
            case B::ObjectIndex: return static_cast<double>(i->object);
            case B::Id: return static_cast<double>(i->id);
            case B::Alarm: return InRange(index, kAlarmCount) ? i->alarm[index] : -1.0;
            case B::Solid: return i->solid ? 1.0 : 0.0;
            case B::Visible: return i->visible ? 1.0 : 0.0;
            case B::Persistent: return i->persistent ? 1.0 : 0.0;
            case B::Depth: return i->depth;
            case B::BBoxLeft:
            case B::BBoxRight:
            case B::BBoxTop:
            case B::BBoxBottom:
                world.BoxOf(*i, i->x, i->y, l, t, r, b);
                return variable == B::BBoxLeft ? l : variable == B::BBoxRight ? r : variable == B::BBoxTop ? t : b;
            case B::SpriteIndex: return static_cast<double>(i->spriteIndex);
            case B::ImageIndex: return i->imageIndex;
            case B::ImageSingle: return i->imageSpeed == 0 ? i->imageIndex : -1.0;
            case B::ImageNumber: return ofSprite([](const SpriteFrames& s) { return s.FrameCount(); });
            case B::SpriteWidth: return ofSprite([](const SpriteFrames& s) { return s.width; });
            case B::SpriteHeight: return ofSprite([](const SpriteFrames& s) { return s.height; });
            case B::SpriteXOffset: return ofSprite([](const SpriteFrames& s) { return s.xorigin; });
            case B::SpriteYOffset: return ofSprite([](const SpriteFrames& s) { return s.yorigin; });
            case B::ImageSpeed: return i->imageSpeed;
            case B::MaskIndex: return static_cast<double>(i->maskIndex);
            case B::PathIndex: return static_cast<double>(i->pathIndex);
            case B::PathPosition: return i->pathPosition;
            case B::PathPositionPrevious: return i->pathPositionPrevious;
            case B::PathSpeed: return i->pathSpeed;
            case B::PathScale: return i->pathScale;
            case B::PathOrientation: return i->pathOrientation;
            case B::PathEndAction: return static_cast<double>(i->pathEndAction);
            case B::TimelineIndex: return static_cast<double>(i->timelineIndex);
            case B::TimelinePosition: return i->timelinePosition;
            case B::TimelineSpeed: return i->timelineSpeed;
            case B::ImageScale:
            case B::ImageXScale: return i->imageXScale;
            case B::ImageYScale: return i->imageYScale;
            case B::ImageAlpha: return i->imageAlpha;
            default: return 0.0;
        }
    }
    const bool layer = InRange(index, kRoomLayerCount), view = InRange(index, kRoomViewCount);
    const RoomBackground* bg = layer ? &room.layers[index] : nullptr;
    const RoomView* v = view ? &room.views[index] : nullptr;
    auto backgroundSize = [&](bool width) {
        const CBackground* picture = bg ? world.GameData().Backgrounds().ResourceAt(bg->Background) : nullptr;
        return picture ? static_cast<double>(width ? picture->Width : picture->Height) : 0.0;
    };
    switch (variable) {
        case B::Room: return static_cast<double>(room.index);
        case B::RoomFirst: return static_cast<double>(world.NextRoom(-1));
        case B::RoomLast: {
            int last = -1;
            for (int r = world.NextRoom(-1); r >= 0; r = world.NextRoom(r)) last = r;
            return static_cast<double>(last);
        }
        case B::Score: return values.score;
        case B::Lives: return values.lives;
        case B::Health: return values.health;
        case B::GameId: return static_cast<double>(world.GameData().GameId);
        case B::InstanceCount: return static_cast<double>(world.CountOf(-3));
        case B::InstanceIdArray: {
            int n = 0;
            for (const auto& instance : world.Instances())
                if (instance->alive && n++ == index) return static_cast<double>(instance->id);
            return -4.0;
        }
        case B::RoomWidth: return static_cast<double>(room.width);
        case B::RoomHeight: return static_cast<double>(room.height);
        case B::RoomCaption: return values.roomCaption;
        case B::RoomSpeed: return static_cast<double>(room.speed);
        case B::RoomPersistent: return room.persistent ? 1.0 : 0.0;
        case B::BackgroundColor: return static_cast<double>(room.color);
        case B::BackgroundShowColor: return room.drawColor ? 1.0 : 0.0;
        case B::BackgroundVisible: return bg && bg->Visible ? 1.0 : 0.0;
        case B::BackgroundForeground: return bg && bg->Foreground ? 1.0 : 0.0;
        case B::BackgroundIndex: return bg ? static_cast<double>(bg->Background) : -1.0;
        case B::BackgroundX: return layer ? room.layerX[index] : 0.0;
        case B::BackgroundY: return layer ? room.layerY[index] : 0.0;
        case B::BackgroundWidth: return backgroundSize(true);
        case B::BackgroundHeight: return backgroundSize(false);
        case B::BackgroundHTiled: return bg && bg->TileH ? 1.0 : 0.0;
        case B::BackgroundVTiled: return bg && bg->TileV ? 1.0 : 0.0;
        case B::BackgroundHSpeed: return bg ? static_cast<double>(bg->HSpeed) : 0.0;
        case B::BackgroundVSpeed: return bg ? static_cast<double>(bg->VSpeed) : 0.0;
        case B::ViewEnabled: return room.viewsEnabled ? 1.0 : 0.0;
        case B::ViewCurrent: return static_cast<double>(world.ViewCurrent());
        case B::ViewVisible: return v && v->Visible ? 1.0 : 0.0;
        case B::ViewLeft: return v ? static_cast<double>(v->ViewX) : 0.0;
        case B::ViewTop: return v ? static_cast<double>(v->ViewY) : 0.0;
        case B::ViewWidth: return v ? static_cast<double>(v->ViewW) : 0.0;
        case B::ViewHeight: return v ? static_cast<double>(v->ViewH) : 0.0;
        case B::ViewX: return v ? static_cast<double>(v->PortX) : 0.0;
        case B::ViewY: return v ? static_cast<double>(v->PortY) : 0.0;
        case B::ViewHBorder: return v ? static_cast<double>(v->HBorder) : 0.0;
        case B::ViewVBorder: return v ? static_cast<double>(v->VBorder) : 0.0;
        case B::ViewHSpeed: return v ? static_cast<double>(v->HSpeed) : 0.0;
        case B::ViewVSpeed: return v ? static_cast<double>(v->VSpeed) : 0.0;
        case B::ViewObject: return v ? static_cast<double>(v->Follow) : -1.0;
        case B::MouseX: return world.MouseRoomX();
        case B::MouseY: return world.MouseRoomY();
        case B::MouseButton: return static_cast<double>(world.Input().CurrentButton());
        case B::KeyboardKey: return static_cast<double>(world.Input().CurrentKey());
        case B::KeyboardLastKey: return static_cast<double>(world.Input().LastKey());
        case B::WindowLeft: return world.Shell().Screen().Window().left;
        case B::WindowTop: return world.Shell().Screen().Window().top;
        case B::WindowWidth: return world.Shell().Screen().Window().width;
        case B::WindowHeight: return world.Shell().Screen().Window().height;
        case B::WindowClientLeft: return world.Shell().Screen().Client().left;
        case B::WindowClientTop: return world.Shell().Screen().Client().top;
        case B::WindowClientWidth: return world.Shell().Screen().Client().width;
        case B::WindowClientHeight: return world.Shell().Screen().Client().height;
        case B::ShowScore: return values.showScore ? 1.0 : 0.0;
        case B::ShowLives: return values.showLives ? 1.0 : 0.0;
        case B::ShowHealth: return values.showHealth ? 1.0 : 0.0;
        case B::CaptionScore: return values.captionScore;
        case B::CaptionLives: return values.captionLives;
        case B::CaptionHealth: return values.captionHealth;
        case B::Fps: return static_cast<double>(room.speed);
        case B::CurrentTime: return Now();
        case B::EventType: return context ? static_cast<double>(context->type) : -1.0;
        case B::EventNumber: return context ? static_cast<double>(context->number) : 0.0;
        case B::EventObject: return context ? static_cast<double>(context->holder) : -1.0;
        case B::EventAction: return context ? static_cast<double>(context->action) : -1.0;
        case B::BrushColor: return values.brushColor;
        case B::BrushStyle: return values.brushStyle;
        case B::PenColor: return values.penColor;
        case B::PenSize: return values.penSize;
        case B::FontColor: return values.fontColor;
        case B::FontName: return values.fontName;
        case B::FontSize: return values.fontSize;
        case B::FontStyle: return values.fontStyle;
        case B::FontAngle: return values.fontAngle;
        case B::FontAlign: return values.fontAlign;
        case B::TransitionKind: return values.transitionKind;
        case B::TransitionSteps: return values.transitionSteps;
        default: return 0.0;
    }
}

bool SetBuiltin(World& world, Instance* i, BuiltinVariable variable, int index, const Value& value,
                std::string& error) {
    const double r = value.Real();
    RoomState& room = world.Room();
    GameValues& values = world.Values();
    auto readOnly = [&]() {
        error = "Cannot assign to a read-only variable";
        return false;
    };
    if (!IsGlobalBuiltin(variable)) {
        if (!i) return true;
        switch (variable) {
            case B::X: i->x = r; break;
            case B::Y: i->y = r; break;
            case B::XPrevious: i->xprevious = r; break;
            case B::YPrevious: i->yprevious = r; break;
            case B::XStart: i->xstart = r; break;
            case B::YStart: i->ystart = r; break;
            case B::HSpeed: i->SetHspeed(r); break;
            case B::VSpeed: i->SetVspeed(r); break;
            case B::Direction: i->SetDirection(r); break;
            case B::Speed: i->SetSpeed(r); break;
            case B::Friction: i->friction = r; break;
            case B::Gravity: i->gravity = r; break;
            case B::GravityDirection: i->gravityDirection = r; break;
            case B::Alarm:
                if (InRange(index, kAlarmCount)) i->alarm[index] = std::floor(r);
                break;
            case B::Solid: i->solid = value.IsTrue(); break;
            case B::Visible: i->visible = value.IsTrue(); break;
            case B::Persistent: i->persistent = value.IsTrue(); break;
            case B::Depth: i->depth = r; break;
            case B::SpriteIndex: i->spriteIndex = Whole(value); break;
            case B::ImageIndex: i->imageIndex = r; break;
            case B::ImageSingle:
                if (r < 0) {
                    i->imageSpeed = 1;
                } else {
                    i->imageSpeed = 0;
                    i->imageIndex = r;
                }
                break;
            case B::ImageSpeed: i->imageSpeed = r; break;
            case B::MaskIndex: i->maskIndex = Whole(value); break;
            case B::PathPosition: i->pathPosition = std::clamp(r, 0.0, 1.0); break;
            case B::PathPositionPrevious: i->pathPositionPrevious = r; break;
            case B::PathSpeed: i->pathSpeed = r; break;
            case B::PathScale: i->pathScale = r; break;
            case B::PathOrientation: i->pathOrientation = r; break;
            case B::PathEndAction: i->pathEndAction = Whole(value); break;
            case B::TimelineIndex: world.SetTimeline(*i, Whole(value), i->timelinePosition); break;
            case B::TimelinePosition: i->timelinePosition = r; break;
            case B::TimelineSpeed: i->timelineSpeed = r; break;
            // One scale for both directions.
            case B::ImageScale: i->imageXScale = i->imageYScale = r; break;
            case B::ImageXScale: i->imageXScale = r; break;
            case B::ImageYScale: i->imageYScale = r; break;
            case B::ImageAlpha: i->imageAlpha = std::clamp(r, 0.0, 1.0); break;
            default: return readOnly();
        }
        return true;
    }
    const bool layer = InRange(index, kRoomLayerCount), view = InRange(index, kRoomViewCount);
    RoomBackground* bg = layer ? &room.layers[index] : nullptr;
    RoomView* v = view ? &room.views[index] : nullptr;
    const auto whole = static_cast<std::int32_t>(std::floor(r));
    switch (variable) {
        case B::Room: world.GotoRoom(whole); break;
        case B::Score: values.score = r; break;
        case B::Lives: world.SetLives(r); break;
        case B::Health: world.SetHealth(r); break;
        case B::RoomWidth:
        case B::RoomHeight: return readOnly();
        case B::RoomCaption: values.roomCaption = value.IsString() ? value.Text() : std::string(); break;
        case B::RoomSpeed: room.speed = std::max(1, static_cast<int>(whole)); break;
        case B::RoomPersistent: room.persistent = value.IsTrue(); break;
        case B::BackgroundColor: room.color = whole; break;
        case B::BackgroundShowColor: room.drawColor = value.IsTrue(); break;
        case B::BackgroundVisible: if (bg) bg->Visible = value.IsTrue(); break;
        case B::BackgroundForeground: if (bg) bg->Foreground = value.IsTrue(); break;
        case B::BackgroundIndex: if (bg) bg->Background = whole; break;
        case B::BackgroundX: if (layer) room.layerX[index] = r; break;
        case B::BackgroundY: if (layer) room.layerY[index] = r; break;
        case B::BackgroundHTiled: if (bg) bg->TileH = value.IsTrue(); break;
        case B::BackgroundVTiled: if (bg) bg->TileV = value.IsTrue(); break;
        case B::BackgroundHSpeed: if (bg) bg->HSpeed = whole; break;
        case B::BackgroundVSpeed: if (bg) bg->VSpeed = whole; break;
        case B::ViewEnabled: room.viewsEnabled = value.IsTrue(); break;
        case B::ViewVisible: if (v) v->Visible = value.IsTrue(); break;
        case B::ViewLeft: if (v) v->ViewX = whole; break;
        case B::ViewTop: if (v) v->ViewY = whole; break;
        case B::ViewWidth: if (v && whole > 0) v->ViewW = whole; break;
        case B::ViewHeight: if (v && whole > 0) v->ViewH = whole; break;
        case B::ViewX: if (v) v->PortX = whole; break;
        case B::ViewY: if (v) v->PortY = whole; break;
        case B::ViewHBorder: if (v) v->HBorder = whole; break;
        case B::ViewVBorder: if (v) v->VBorder = whole; break;
        case B::ViewHSpeed: if (v) v->HSpeed = whole; break;
        case B::ViewVSpeed: if (v) v->VSpeed = whole; break;
        case B::ViewObject: if (v) v->Follow = whole; break;
        case B::KeyboardKey:
        case B::KeyboardLastKey: break;
        case B::ShowScore: values.showScore = value.IsTrue(); break;
        case B::ShowLives: values.showLives = value.IsTrue(); break;
        case B::ShowHealth: values.showHealth = value.IsTrue(); break;
        case B::CaptionScore: values.captionScore = value.Text(); break;
        case B::CaptionLives: values.captionLives = value.Text(); break;
        case B::CaptionHealth: values.captionHealth = value.Text(); break;
        case B::BrushColor: values.brushColor = r; break;
        case B::BrushStyle: values.brushStyle = r; break;
        case B::PenColor: values.penColor = r; break;
        case B::PenSize: values.penSize = r; break;
        case B::FontColor: values.fontColor = r; break;
        case B::FontName: values.fontName = value.Text(); break;
        case B::FontSize: values.fontSize = r; break;
        case B::FontStyle: values.fontStyle = r; break;
        case B::FontAngle: values.fontAngle = r; break;
        case B::FontAlign: values.fontAlign = r; break;
        case B::TransitionKind: values.transitionKind = std::floor(r); break;
        case B::TransitionSteps: values.transitionSteps = std::max(1.0, std::floor(r)); break;
        default: return readOnly();
    }
    return true;
}

}  // namespace kestrin::engine
