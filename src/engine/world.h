#pragma once
// The game as it is played: the instances of the current room, the step with
// its fixed order of events (docs/engine_step.md), rooms, motion, collisions,
// alarms, time lines, paths, animation, input, the game-wide values (score,
// lives, health, caption) and drawing. Code and actions run through the
// script side (script_side.h, action_flow.h, world_script_host.h); this
// class owns the world they act on.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/highscore_table.h"
#include "engine/input_state.h"
#include "engine/instance.h"
#include "engine/instance_index.h"
#include "engine/object_table.h"
#include "engine/played_tile.h"
#include "engine/resource_budget.h"
#include "engine/script/script_host.h"
#include "engine/sprite_masks.h"
#include "imaging/draw_target.h"
#include "platform/random_source.h"
#include "resources/room.h"

namespace kestrin {
class CEvent;
class Game;
}  // namespace kestrin

namespace kestrin::engine {

class Canvas;
class GameShell;
class ParticleDrawer;
class ParticleSystems;
struct ParticleSystem;
struct MotionPlanning;
class ScriptSide;
class TextMetrics;
struct SavedGame;

// Where the code that runs came from: for error messages, `other` and
// event_inherited.
struct EventContext {
    Instance* self = nullptr;
    Instance* other = nullptr;
    int type = -1;
    int number = 0;
    int holder = -1;       // object whose table holds the event
    int timeline = -1;     // a time line's moment instead of an object's event
    int action = -1;       // 0-based action of the list, -1 outside actions
};

// Game-wide values the code and the caption see.
struct GameValues {
    double score = 0, lives = -1, health = 100;
    bool showScore = true, showLives = false, showHealth = false;
    std::string captionScore = "Score: ", captionLives = "Lives: ", captionHealth = "Health: ";
    std::string roomCaption;
    // The drawing functions' pen, brush and font.
    double brushColor = 16777215, brushStyle = 0, penColor = 0, penSize = 1, fontColor = 0;
    std::string fontName = "Arial";
    double fontSize = 12, fontStyle = 0, fontAngle = 0, fontAlign = 0;
    // How the next room change shows: 0 at once, 1-4 pushed in from the
    // left, right, top or bottom, 5 faded in; over that many frames.
    double transitionKind = 0, transitionSteps = 16;
};

// The room being played: a copy of the room's settings that the code may change.
struct RoomState {
    int index = -1;
    std::string name;
    int width = 640, height = 480;
    int speed = 30;
    std::int32_t color = 0;
    bool drawColor = true;
    bool viewsEnabled = false;
    bool persistent = false;
    std::array<RoomBackground, kRoomLayerCount> layers;
    std::array<double, kRoomLayerCount> layerX{}, layerY{};  // scrolled positions
    std::array<RoomView, kRoomViewCount> views;
    std::vector<PlayedTile> tiles;
};

class World {
public:
    World(Game& game, GameShell& shell, std::vector<std::string> libraryCode, std::uint64_t seed);
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // Prepares the code and enters the first room with the game start event;
    // false when the game has no room (or ended while starting).
    bool Start();
    // One step of the game; nothing once the game has ended. With a canvas
    // the frame is drawn (draw events run) before the animation advances;
    // headless play passes none and runs no draw events.
    void Step(Canvas* canvas = nullptr);
    bool Started() const { return mStarted; }
    bool Ended() const { return mEnded; }
    // Runs the game end events; the game is over after them.
    void EndGame();
    std::int64_t StepCount() const { return mStepCount; }

    // The frame of the current room: background colour and layers, tiles and
    // instances by depth (draw events or their sprites), foregrounds; with
    // views each visible view draws its part of the room into its port.
    void Draw(Canvas& canvas);
    // The size of the picture Draw makes: the room's, or with views the box
    // around the visible ports.
    void FrameSize(int& width, int& height) const;
    // The view being drawn (0 outside drawing).
    int ViewCurrent() const { return mViewCurrent; }
    // The transition of a room change since the last call (0: none, or none
    // asked for), with the frames it lasts; cleared by the call.
    int TakeRoomTransition(int& frames);
    // Text widths of the shell's font; the world keeps a fixed estimate
    // until the shell gives one. The metrics outlive the world.
    void SetTextMetrics(const TextMetrics& metrics) { mTextMetrics = &metrics; }
    const TextMetrics& Metrics() const { return *mTextMetrics; }
    // The window caption: the room caption and the shown values.
    std::string Caption() const;

    InputState& Input() { return mInput; }
    const InputState& Input() const { return mInput; }
    Game& GameData() { return mGame; }
    // The canvas of the draw events running now, or null outside them.
    Canvas* DrawingCanvas() { return mCanvas; }
    // The frame of the canvas of the step (or drawing) under way: the one
    // last drawn until this step draws; null in headless play.
    const Bitmap24* LastFrame() const;
    const ObjectTable& Objects() const { return mObjects; }
    GameShell& Shell() { return mShell; }
    ScriptSide& Script() { return *mScript; }
    GameValues& Values() { return mValues; }
    // Lives and health: reaching 0 or less sends no more lives / no more health once.
    void SetLives(double lives);
    void SetHealth(double health);
    const GameValues& Values() const { return mValues; }
    RoomState& Room() { return mRoom; }
    const RoomState& Room() const { return mRoom; }
    RandomSource& Random() { return mRandom; }
    HighscoreTable& Highscores() { return mHighscores; }
    const SpriteFrames* Sprite(int index);

    // Instances in creation order, the dead ones still among them until the
    // step ends.
    const std::vector<std::unique_ptr<Instance>>& Instances() const { return mInstances; }
    Instance* FindInstance(std::int32_t id);
    // Also an instance destroyed during this step, whose code may still be running.
    Instance* FindEvenDestroyed(std::int32_t id) { return mById.Find(id); }
    // The mouse in room coordinates, through the view whose port holds it
    // (the first visible view when none does).
    double MouseRoomX() const;
    double MouseRoomY() const;
    // Live instances of the object and its descendants (every one for -3,
    // all), in creation order.
    std::vector<Instance*> InstancesOf(int object);
    int CountOf(int object);
    // A new instance with its create event run; null for a missing object.
    Instance* CreateInstance(int object, double x, double y);
    // Runs the destroy event, then the instance is gone from the world.
    void DestroyInstance(Instance& instance);
    // Turns an instance into another object, with or without the destroy
    // and create events.
    void ChangeInstance(Instance& instance, int object, bool events);

    // Runs the event the instance's object answers (through its parents).
    void PerformEvent(Instance& self, Instance* other, int type, int number);
    // The event as the object answers it (through its parents), run for self.
    void PerformEventOf(Instance& self, Instance* other, int object, int type, int number);
    // The event of the holder's parent, for event_inherited.
    void PerformInherited(const EventContext& context);
    // The innermost event running, or null.
    const EventContext* CurrentContext() const { return mContexts.empty() ? nullptr : mContexts.back(); }

    // Collisions: the instance's box (and mask) placed at (x, y).
    bool Overlaps(const Instance& a, double ax, double ay, const Instance& b) const;
    // An instance of the object (or any, for -3 all) other than self at the
    // position, or null. Solid only when solidOnly.
    Instance* MeetingAt(Instance& self, double x, double y, int object, bool solidOnly);
    // Whether the instance's shape covers the point.
    bool InstanceCovers(const Instance& instance, double x, double y);
    // An instance whose shape covers the point.
    Instance* InstanceAtPoint(double x, double y, int object);
    // The instance's bounding box at its position, inclusive; false without a sprite.
    bool BoxOf(const Instance& instance, double x, double y, double& left, double& top, double& right,
               double& bottom) const;

    // Rooms: changes happen at the end of the current step.
    void GotoRoom(int room);
    int NextRoom(int room) const;
    int PreviousRoom(int room) const;
    void RestartGame() { mRestartPending = true; }

    // Saving and loading the game being played: both happen at the end of
    // the step, so a saved game is one between two steps. Loading reads the
    // file at once and refuses one that cannot be loaded, with the reason.
    void SaveGame(const std::string& file) { mPendingSave = file; }
    bool LoadGame(const std::string& file, std::string& error);

    // Reports a run-time error as the game options say.
    void ReportError(const std::string& message);
    // Called for every event that runs, before it runs; for tests.
    using EventTrace = std::function<void(const Instance&, int type, int number)>;
    void SetEventTrace(EventTrace trace) { mTrace = std::move(trace); }

    // Motion helpers shared by the built-in functions.
    void BounceOffSolids(Instance& self, bool all);
    void StartPath(Instance& self, int path, double speed, int endAction, bool absolute);
    void SetTimeline(Instance& self, int timeline, double position);

    // Particles: types and systems last for the whole game.
    ParticleSystems& Particles() { return *mParticles; }
    // The system's particles moved by (dx, dy), as the room is drawn now.
    void DrawParticles(Canvas& canvas, const ParticleSystem& system, double dx, double dy);

    // Resources changed while the game runs (functions_resources_*.cpp).
    // The sprite's frames and masks are decoded again on next use; the old
    // ones stay valid until the step ends, for code still drawing with them.
    void SpriteChanged(int index);
    // The objects' events or parents changed: the event table is built
    // again, the old one kept until the step ends for loops still walking it.
    void ObjectsChanged();
    // Whether an action list of the object, or a moment of the time line, is
    // running now (editing it under its feet would pull its actions away).
    bool ObjectRunning(int object) const;
    bool TimelineRunning(int timeline) const;
    // An edit that must wait until no event runs: done at the end of the step.
    void AtStepEnd(std::function<void()> edit) { mStepEndEdits.push_back(std::move(edit)); }
    ResourceBudget& Budget() { return mBudget; }

    // Collision shapes, deactivation and motion planning.
    // Whether the instance's shape meets a region of the room whose bounds
    // are given; `meets` says whether the region meets a rectangle
    // [left, right) x [top, bottom). Precise compares the region with the
    // mask's pixels when the sprite has precise collisions.
    using RegionTest = std::function<bool(double left, double top, double right, double bottom)>;
    bool MeetsRegion(const Instance& instance, double left, double top, double right, double bottom, bool precise,
                     const RegionTest& meets);
    // Takes the instance out of the world (it keeps its state) until it is
    // activated; nothing for an instance that is gone already.
    void Deactivate(Instance& instance);
    // Brings back the deactivated instances that `picks` chooses; they take
    // part from the next phase of the step on.
    void ActivateWhere(const std::function<bool(const Instance&)>& picks);
    MotionPlanning& Planning() { return *mPlanning; }

private:
    friend class WorldStep;

    void EnterRoom(int room, bool gameStart);
    void LeaveRoom();
    void ApplyRoomChange();
    // Closes what the game left open, saving its ini file.
    void CloseGameFiles();
    void ApplySaveAndLoad();
    void CaptureGame(SavedGame& saved) const;
    void RestoreGame(SavedGame& saved);
    void RunEvent(const ResolvedEvent& event, Instance& self, Instance* other, int type, int number);
    void RunTimelineMoment(Instance& self, int timeline, const CEvent& moment);
    void ForEachLive(const std::function<void(Instance&)>& visit);
    void PurgeDead();
    void ApplyStepEndEdits();

    void StepAlarms();
    void StepInput();
    void StepTimelines();
    void StepMotion();
    void StepPath(Instance& self);
    void StepCollisions();
    void StepBoundaries();
    void StepAnimation();
    void ScrollBackgrounds();
    void FollowViews();
    void DrawInstance(Canvas& canvas, Instance& instance);
    // A tile as it looks: scaled and blended, or not at all when hidden.
    void DrawTile(Canvas& canvas, const PlayedTile& tile);
    void DrawLayers(Canvas& canvas, bool foreground, int offsetX, int offsetY);
    void DrawViews(Canvas& canvas);
    // The room from (offsetX, offsetY) into the canvas's current port.
    void DrawRoomPart(Canvas& canvas, int offsetX, int offsetY);
    // The views the frame shows, by index; empty without views.
    std::vector<int> ShownViews() const;
    // The box around their ports, right and bottom exclusive.
    DrawRect PortBox() const;
    void MouseInRoom(double& x, double& y) const;

    Game& mGame;
    GameShell& mShell;
    ObjectTable mObjects;
    std::unique_ptr<ScriptSide> mScript;
    std::vector<std::unique_ptr<SpriteFrames>> mSprites;
    std::vector<bool> mSpriteDecoded;

    std::vector<std::unique_ptr<Instance>> mInstances;
    InstanceIndex mById;
    std::int32_t mNextId = kFirstInstanceId;
    // Deactivated instances of the room and persistent ones that came along
    // while deactivated.
    std::vector<std::unique_ptr<Instance>> mInactive;
    std::unique_ptr<MotionPlanning> mPlanning;
    // Persistent rooms as they were left: their instances.
    std::unordered_map<int, std::vector<std::unique_ptr<Instance>>> mKeptRooms;

    RoomState mRoom;
    GameValues mValues;
    InputState mInput;
    RandomSource mRandom;
    HighscoreTable mHighscores;
    std::vector<const EventContext*> mContexts;
    Canvas* mCanvas = nullptr;
    Canvas* mFrameCanvas = nullptr;
    int mViewCurrent = 0;
    int mTransition = 0, mTransitionFrames = 0;
    const TextMetrics* mTextMetrics;
    EventTrace mTrace;

    int mPendingRoom = -1;
    std::string mPendingSave;
    std::unique_ptr<SavedGame> mPendingLoad;
    bool mRestartPending = false;
    bool mEnded = false;
    bool mStarted = false;
    std::int64_t mStepCount = 0;
    bool mEnding = false;

    // Particles.
    std::unique_ptr<ParticleSystems> mParticles;
    std::unique_ptr<ParticleDrawer> mParticleDrawer;
    std::vector<std::function<void()>> mStepEndEdits;
    std::vector<std::unique_ptr<SpriteFrames>> mRetiredSprites;
    ResourceBudget mBudget;
};

}  // namespace kestrin::engine
