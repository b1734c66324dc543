// The world's life: starting, rooms, instances, events and the step in its
// fixed order.

#include "engine/world.h"

#include <algorithm>
#include <cmath>

#include "engine/game_shell.h"
#include "engine/particle_draw.h"
#include "engine/motion_planning.h"
#include "engine/saved_game.h"
#include "engine/script_side.h"
#include "engine/text_layout.h"
#include "resources/event.h"
#include "resources/event_types.h"
#include "resources/time_line.h"
#include "storage/game.h"

namespace kestrin::engine {

namespace {

constexpr int kKeyEscape = 27;
constexpr int kAllInstances = -3;
constexpr int kStepNormal = 0, kStepBegin = 1, kStepEnd = 2;
constexpr int kOtherOutside = 0, kOtherBoundary = 1, kOtherGameStart = 2, kOtherGameEnd = 3, kOtherRoomStart = 4,
              kOtherRoomEnd = 5, kOtherNoLives = 6, kOtherAnimationEnd = 7, kOtherNoHealth = 9;

}  // namespace

World::World(Game& game, GameShell& shell, std::vector<std::string> libraryCode, std::uint64_t seed)
    : mGame(game),
      mShell(shell),
      mObjects(game),
      mScript(std::make_unique<ScriptSide>(*this, std::move(libraryCode))),
      mPlanning(std::make_unique<MotionPlanning>()),
      mRandom(seed),
      mTextMetrics(&EstimatedMetrics()),
      mParticles(std::make_unique<ParticleSystems>(mRandom)),
      mParticleDrawer(std::make_unique<ParticleDrawer>()) {}

World::~World() = default;

const SpriteFrames* World::Sprite(int index) {
    if (index < 0) return nullptr;
    if (static_cast<std::size_t>(index) < mSpriteDecoded.size() && mSpriteDecoded[index]) return mSprites[index].get();
    if (index >= mGame.Sprites().ResourceCount()) return nullptr;
    if (mSprites.size() <= static_cast<std::size_t>(index)) {
        mSprites.resize(index + 1);
        mSpriteDecoded.resize(index + 1);
    }
    mSpriteDecoded[index] = true;
    if (const CSprite* sprite = mGame.Sprites().ResourceAt(index)) mSprites[index] = DecodeSprite(*sprite);
    return mSprites[index].get();
}

void World::SpriteChanged(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= mSpriteDecoded.size()) return;
    mSpriteDecoded[index] = false;
    if (mSprites[index]) mRetiredSprites.push_back(std::move(mSprites[index]));
}

void World::ObjectsChanged() { mObjects.Changed(); }

bool World::ObjectRunning(int object) const {
    for (const EventContext* context : mContexts)
        if (context->timeline < 0 && (context->holder == object || (context->self && context->self->object == object)))
            return true;
    return false;
}

bool World::TimelineRunning(int timeline) const {
    for (const EventContext* context : mContexts)
        if (context->timeline == timeline) return true;
    return false;
}

void World::ApplyStepEndEdits() {
    // An edit may ask for more; those wait for the next step.
    std::vector<std::function<void()>> edits;
    edits.swap(mStepEndEdits);
    for (auto& edit : edits) edit();
    mRetiredSprites.clear();
    mObjects.ReleaseRetired();
}

bool World::Start() {
    mScript->Prepare();
    int first = NextRoom(-1);
    if (first < 0 || mEnded) return false;
    mStarted = true;
    EnterRoom(first, true);
    ApplyRoomChange();
    ApplySaveAndLoad();
    return !mEnded;
}

int World::NextRoom(int room) const {
    const auto order = mGame.Tree().RoomOrder();
    bool passed = room < 0;
    for (std::int32_t index : order) {
        if (passed && mGame.Rooms().ResourceAt(index)) return index;
        if (index == room) passed = true;
    }
    return -1;
}

int World::PreviousRoom(int room) const {
    const auto order = mGame.Tree().RoomOrder();
    int previous = -1;
    for (std::int32_t index : order) {
        if (index == room) return previous;
        if (mGame.Rooms().ResourceAt(index)) previous = index;
    }
    return -1;
}

void World::GotoRoom(int room) {
    if (mGame.Rooms().ResourceAt(room)) mPendingRoom = room;
}

Instance* World::FindInstance(std::int32_t id) {
    Instance* found = mById.Find(id);
    return found && found->alive ? found : nullptr;
}

std::vector<Instance*> World::InstancesOf(int object) {
    std::vector<Instance*> list;
    if (object != kAllInstances && !mObjects.Exists(object)) return list;
    for (auto& instance : mInstances) {
        if (!instance->alive) continue;
        if (object == kAllInstances || mObjects.IsA(instance->object, object)) list.push_back(instance.get());
    }
    return list;
}

int World::CountOf(int object) {
    int count = 0;
    for (auto& instance : mInstances)
        if (instance->alive && (object == kAllInstances || mObjects.IsA(instance->object, object))) ++count;
    return count;
}

namespace {

void ApplyObjectDefaults(Instance& instance, const CObject& object) {
    instance.spriteIndex = object.Sprite;
    instance.maskIndex = object.Mask;
    instance.solid = object.Solid;
    instance.visible = object.Visible;
    instance.depth = object.Depth;
    instance.persistent = object.Persistent;
}

}  // namespace

Instance* World::CreateInstance(int object, double x, double y) {
    const CObject* definition = mGame.Objects().ResourceAt(object);
    if (!definition || !mObjects.Exists(object)) return nullptr;
    auto instance = std::make_unique<Instance>();
    instance->id = ++mNextId;
    instance->object = object;
    instance->x = instance->xprevious = instance->xstart = x;
    instance->y = instance->yprevious = instance->ystart = y;
    ApplyObjectDefaults(*instance, *definition);
    Instance* made = instance.get();
    mById.Set(made->id, made);
    mInstances.push_back(std::move(instance));
    PerformEvent(*made, nullptr, kEventCreate, 0);
    return made;
}

void World::DestroyInstance(Instance& instance) {
    if (!instance.alive) return;
    PerformEvent(instance, nullptr, kEventDestroy, 0);
    instance.alive = false;
}

void World::ChangeInstance(Instance& instance, int object, bool events) {
    const CObject* definition = mGame.Objects().ResourceAt(object);
    if (!definition || !mObjects.Exists(object) || !instance.alive) return;
    if (events) PerformEvent(instance, nullptr, kEventDestroy, 0);
    instance.object = object;
    ApplyObjectDefaults(instance, *definition);
    if (events) PerformEvent(instance, nullptr, kEventCreate, 0);
}

void World::PerformEvent(Instance& self, Instance* other, int type, int number) {
    PerformEventOf(self, other, self.object, type, number);
}

void World::PerformEventOf(Instance& self, Instance* other, int object, int type, int number) {
    if (!self.alive) return;
    ResolvedEvent event = mObjects.Find(object, type, number);
    if (event.event) RunEvent(event, self, other, type, number);
}

void World::PerformInherited(const EventContext& context) {
    if (!context.self || context.holder < 0) return;
    ResolvedEvent event = mObjects.FindInherited(context.holder, context.type, context.number);
    if (event.event) RunEvent(event, *context.self, context.other, context.type, context.number);
}

void World::RunEvent(const ResolvedEvent& event, Instance& self, Instance* other, int type, int number) {
    if (mTrace) mTrace(self, type, number);
    EventContext context;
    context.self = &self;
    context.other = other ? other : &self;
    context.type = type;
    context.number = number;
    context.holder = event.holder;
    mContexts.push_back(&context);
    mScript->RunActions(*event.event, context);
    mContexts.pop_back();
}

void World::RunTimelineMoment(Instance& self, int timeline, const CEvent& moment) {
    EventContext context;
    context.self = &self;
    context.other = &self;
    context.timeline = timeline;
    mContexts.push_back(&context);
    mScript->RunActions(moment, context);
    mContexts.pop_back();
}

void World::ForEachLive(const std::function<void(Instance&)>& visit) {
    // Instances made during the loop wait for the next phase.
    const std::size_t count = mInstances.size();
    for (std::size_t i = 0; i < count && !mEnded; ++i) {
        Instance& instance = *mInstances[i];
        if (instance.alive) visit(instance);
    }
}

void World::PurgeDead() {
    // Deactivated instances move aside and leave an empty slot behind.
    auto gone = [](const std::unique_ptr<Instance>& i) { return !i || !i->alive; };
    for (auto& instance : mInstances) {
        if (instance->alive) continue;
        if (instance->active) mById.Erase(instance->id);
        else mInactive.push_back(std::move(instance));
    }
    mInstances.erase(std::remove_if(mInstances.begin(), mInstances.end(), gone), mInstances.end());
}

void World::EnterRoom(int roomIndex, bool gameStart) {
    const CRoom* room = mGame.Rooms().ResourceAt(roomIndex);
    if (!room) return;
    mRoom = RoomState{};
    mRoom.index = roomIndex;
    mRoom.name = mGame.Rooms().ResourceName(roomIndex);
    mRoom.width = room->Width;
    mRoom.height = room->Height;
    mRoom.speed = room->Speed > 0 ? room->Speed : 30;
    mRoom.color = room->Color;
    mRoom.drawColor = room->DrawColor;
    mRoom.viewsEnabled = room->ViewsEnabled;
    mRoom.persistent = room->Persistent;
    for (int i = 0; i < kRoomLayerCount; ++i) {
        mRoom.layers[i] = room->GetLayer(i);
        mRoom.layerX[i] = mRoom.layers[i].X;
        mRoom.layerY[i] = mRoom.layers[i].Y;
    }
    for (int i = 0; i < kRoomViewCount; ++i) mRoom.views[i] = room->GetView(i);
    for (const RoomTile& tile : room->Tiles()) mRoom.tiles.emplace_back(tile);
    mValues.roomCaption = room->Caption;

    // Ids above every id the rooms hand out, so new instances never meet placed ones.
    mNextId = std::max<std::int32_t>(mNextId, mGame.LastInstanceId);

    auto kept = mKeptRooms.find(roomIndex);
    if (kept != mKeptRooms.end()) {
        for (auto& instance : kept->second) {
            mById.Set(instance->id, instance.get());
            (instance->active ? mInstances : mInactive).push_back(std::move(instance));
        }
        mKeptRooms.erase(kept);
    } else {
        // A copy: creation code may add to the room's record while this runs.
        const std::vector<RoomInstance> placedInstances = room->Instances();
        const std::string roomCode = room->CreationCode;
        for (const RoomInstance& placed : placedInstances) {
            if (mEnded) break;
            const CObject* definition = mGame.Objects().ResourceAt(placed.Object);
            // A persistent instance that came along is the placed one itself.
            if (!definition || mById.Contains(placed.Id)) continue;
            auto instance = std::make_unique<Instance>();
            instance->id = placed.Id;
            instance->object = placed.Object;
            instance->x = instance->xprevious = instance->xstart = placed.X;
            instance->y = instance->yprevious = instance->ystart = placed.Y;
            ApplyObjectDefaults(*instance, *definition);
            Instance* made = instance.get();
            mById.Set(made->id, made);
            mInstances.push_back(std::move(instance));
            PerformEvent(*made, nullptr, kEventCreate, 0);
            if (!placed.Code.empty() && made->alive)
                mScript->RunCode(placed.Code, made, "the creation code of instance " + std::to_string(placed.Id));
        }
        if (!roomCode.empty() && !mEnded) mScript->RunCode(roomCode, nullptr, "the creation code of room " + mRoom.name);
    }
    if (gameStart) ForEachLive([&](Instance& i) { PerformEvent(i, nullptr, kEventOther, kOtherGameStart); });
    ForEachLive([&](Instance& i) { PerformEvent(i, nullptr, kEventOther, kOtherRoomStart); });
}

void World::LeaveRoom() {
    ForEachLive([&](Instance& i) { PerformEvent(i, nullptr, kEventOther, kOtherRoomEnd); });
    PurgeDead();
    std::vector<std::unique_ptr<Instance>> staying, left;
    for (auto& instance : mInstances) (instance->persistent ? staying : left).push_back(std::move(instance));
    mInstances = std::move(staying);
    // Deactivated instances stay deactivated: persistent ones come along,
    // the others stay with a persistent room or are gone with the room.
    std::vector<std::unique_ptr<Instance>> inactiveStaying;
    for (auto& instance : mInactive) (instance->persistent ? inactiveStaying : left).push_back(std::move(instance));
    mInactive = std::move(inactiveStaying);
    mById.Clear();
    for (auto& instance : mInstances) mById.Set(instance->id, instance.get());
    for (auto& instance : mInactive) mById.Set(instance->id, instance.get());
    if (mRoom.persistent) mKeptRooms[mRoom.index] = std::move(left);
}

void World::ApplyRoomChange() {
    // A room's start may ask for another room at once; a loop of such rooms
    // still ends, one change per step after the first few.
    for (int guard = 0; guard < 16 && !mEnded; ++guard) {
        if (mRestartPending) {
            mRestartPending = false;
            mPendingRoom = -1;
            ForEachLive([&](Instance& i) { PerformEvent(i, nullptr, kEventOther, kOtherGameEnd); });
            CloseGameFiles();
            mInstances.clear();
            mInactive.clear();
            mById.Clear();
            mKeptRooms.clear();
            mValues = GameValues{};
            mParticles->Reset();
            EnterRoom(NextRoom(-1), true);
            continue;
        }
        if (mPendingRoom < 0) return;
        const int room = mPendingRoom;
        mPendingRoom = -1;
        mTransition = static_cast<int>(mValues.transitionKind);
        mTransitionFrames = static_cast<int>(mValues.transitionSteps);
        LeaveRoom();
        EnterRoom(room, false);
    }
}

void World::Step(Canvas* canvas) {
    if (mEnded || !mStarted) return;
    // The canvas lives only as long as the call.
    mFrameCanvas = canvas;
    struct ForgetCanvas {
        Canvas*& canvas;
        ~ForgetCanvas() { canvas = nullptr; }
    } forget{mFrameCanvas};
    mInput.BeginStep();
    // Messages, data and players of a network session arrive between steps.
    if (Multiplayer* network = mShell.System().multiplayer.get()) network->Pump();
    if (mGame.Options.QuitKey && mInput.Pressed(kKeyEscape)) {
        EndGame();
        return;
    }
    ForEachLive([&](Instance& i) { PerformEvent(i, nullptr, kEventStep, kStepBegin); });
    StepAlarms();
    StepInput();
    StepTimelines();
    ForEachLive([&](Instance& i) { PerformEvent(i, nullptr, kEventStep, kStepNormal); });
    StepMotion();
    StepCollisions();
    ForEachLive([&](Instance& i) { PerformEvent(i, nullptr, kEventStep, kStepEnd); });
    mParticles->StepAutomatic();
    StepBoundaries();
    ScrollBackgrounds();
    FollowViews();
    if (canvas && !mEnded) Draw(*canvas);
    StepAnimation();
    PurgeDead();
    ApplyStepEndEdits();
    ApplyRoomChange();
    PurgeDead();
    ApplySaveAndLoad();
    ++mStepCount;
}

void World::EndGame() {
    if (mEnded || mEnding) return;
    mEnding = true;
    ForEachLive([&](Instance& i) { PerformEvent(i, nullptr, kEventOther, kOtherGameEnd); });
    CloseGameFiles();
    mEnded = true;
}

void World::CloseGameFiles() {
    std::string error;
    if (!mShell.System().CloseAll(error)) ReportError(error);
}

void World::SetLives(double lives) {
    const bool wasAbove = mValues.lives > 0;
    mValues.lives = lives;
    if (lives <= 0 && wasAbove) ForEachLive([&](Instance& i) { PerformEvent(i, nullptr, kEventOther, kOtherNoLives); });
}

void World::SetHealth(double health) {
    const bool wasAbove = mValues.health > 0;
    mValues.health = health;
    if (health <= 0 && wasAbove)
        ForEachLive([&](Instance& i) { PerformEvent(i, nullptr, kEventOther, kOtherNoHealth); });
}

void World::StepAlarms() {
    ForEachLive([&](Instance& instance) {
        for (int k = 0; k < kAlarmCount && instance.alive; ++k) {
            if (instance.alarm[k] <= 0) continue;
            instance.alarm[k] -= 1;
            if (instance.alarm[k] <= 0) {
                instance.alarm[k] = -1;
                PerformEvent(instance, nullptr, kEventAlarm, k);
            }
        }
    });
}

void World::StepInput() {
    auto keyEvents = [&](int type, auto happened, bool any) {
        ForEachLive([&](Instance& instance) {
            const ObjectEntry* entry = mObjects.Entry(instance.object);
            if (!entry) return;
            const auto& list = entry->events[type];
            for (int key = 0; key < static_cast<int>(list.size()) && instance.alive; ++key) {
                if (!list[key].event) continue;
                const bool fires = key == 0 ? !any : key == 1 ? any : happened(key);
                if (fires) RunEvent(list[key], instance, nullptr, type, key);
            }
        });
    };
    keyEvents(kEventKeyboard, [&](int k) { return mInput.Held(k); }, mInput.AnyHeld());
    keyEvents(kEventKeyPress, [&](int k) { return mInput.Pressed(k); }, mInput.AnyPressed());
    keyEvents(kEventKeyRelease, [&](int k) { return mInput.Released(k); }, mInput.AnyReleased());

    double mx, my;
    MouseInRoom(mx, my);
    ForEachLive([&](Instance& instance) {
        const ObjectEntry* entry = mObjects.Entry(instance.object);
        if (!entry || entry->events[kEventMouse].empty()) return;
        const bool over = InstanceCovers(instance, mx, my);
        const bool wasOver = instance.mouseOver;
        instance.mouseOver = over;
        const auto& list = entry->events[kEventMouse];
        for (int n = 0; n < static_cast<int>(list.size()) && instance.alive; ++n) {
            if (!list[n].event) continue;
            bool fires = false;
            if (n <= 2) fires = over && mInput.ButtonHeld(n + 1);
            else if (n == 3) fires = over && mInput.CurrentButton() == 0;
            else if (n <= 6) fires = over && mInput.ButtonPressed(n - 3);
            else if (n <= 9) fires = over && mInput.ButtonReleased(n - 6);
            else if (n == 10) fires = over && !wasOver;
            else if (n == 11) fires = !over && wasOver;
            else if (n == 12) fires = mInput.ButtonPressed(kMouseLeft);
            else if (n == 13) fires = mInput.ButtonReleased(kMouseLeft);
            if (fires) RunEvent(list[n], instance, nullptr, kEventMouse, n);
        }
    });
}

void World::StepTimelines() {
    ForEachLive([&](Instance& instance) {
        if (instance.timelineIndex < 0) return;
        const int index = instance.timelineIndex;
        const CTimeLine* timeline = mGame.TimeLines().ResourceAt(index);
        if (!timeline) return;
        const double from = instance.timelinePosition;
        const double to = from + instance.timelineSpeed;
        instance.timelinePosition = to;
        for (int m = 0; m < timeline->MomentCount() && instance.alive; ++m) {
            const double step = timeline->GetMomentStep(m);
            if (step >= from && step < to && instance.timelineIndex == index)
                if (const CEvent* moment = timeline->GetMomentEvent(m)) RunTimelineMoment(instance, index, *moment);
        }
    });
}

void World::StepBoundaries() {
    ForEachLive([&](Instance& instance) {
        const ObjectEntry* entry = mObjects.Entry(instance.object);
        if (!entry) return;
        const auto& list = entry->events[kEventOther];
        const bool wantsOutside = list.size() > kOtherOutside && list[kOtherOutside].event;
        const bool wantsBoundary = list.size() > kOtherBoundary && list[kOtherBoundary].event;
        if (!wantsOutside && !wantsBoundary) return;
        double left, top, right, bottom;
        if (!BoxOf(instance, instance.x, instance.y, left, top, right, bottom)) {
            left = right = instance.x;
            top = bottom = instance.y;
        }
        const double w = mRoom.width, h = mRoom.height;
        const bool outside = right < 0 || bottom < 0 || left >= w || top >= h;
        if (outside && wantsOutside) RunEvent(list[kOtherOutside], instance, nullptr, kEventOther, kOtherOutside);
        const bool crosses = !outside && (left < 0 || top < 0 || right >= w || bottom >= h);
        if (crosses && wantsBoundary && instance.alive)
            RunEvent(list[kOtherBoundary], instance, nullptr, kEventOther, kOtherBoundary);
    });
}

void World::StepAnimation() {
    ForEachLive([&](Instance& instance) {
        const SpriteFrames* sprite = Sprite(instance.spriteIndex);
        if (!sprite || sprite->FrameCount() == 0) return;
        instance.imageIndex += instance.imageSpeed;
        const double count = sprite->FrameCount();
        if (instance.imageIndex >= count) {
            instance.imageIndex -= count * std::floor(instance.imageIndex / count);
            PerformEvent(instance, nullptr, kEventOther, kOtherAnimationEnd);
        } else if (instance.imageIndex < 0) {
            instance.imageIndex += count * std::ceil(-instance.imageIndex / count);
            PerformEvent(instance, nullptr, kEventOther, kOtherAnimationEnd);
        }
    });
}

void World::ReportError(const std::string& message) {
    const CGameOptions& options = mGame.Options;
    if (options.WriteErrors) mShell.WriteErrorLog(message);
    if (options.DisplayErrors) mShell.ShowMessage(message);
    if (options.AbortErrors) mEnded = true;
}

}  // namespace kestrin::engine
