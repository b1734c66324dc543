// World functions: particle types, particle systems and the emitters,
// attractors, destroyers, deflectors and changers of a system.
//
// Handles are whole numbers from 0; a handle that names nothing is a run-time
// error, except for the _exists functions. Colours are r + g*256 + b*65536,
// directions degrees counter-clockwise with y down, sizes a scale of the
// shape's 16-pixel picture, lives and counts in steps. A system is drawn at
// the depth of the instance that made it (0 from room creation code), over
// the instances of that depth. It steps and draws by itself until the game
// calls part_system_doastep or part_system_draw for it; from then on that
// part is the game's to do. part_system_draw(ind, x, y) draws the particles
// moved by (x, y), and only while the room is being drawn.
// part_system_sprite_based(ind, false) draws shapes as plain figures that
// ignore alpha, which is quicker. Particle types that other settings name
// (step, death, stream and changer types) may be made later; while they name
// no type nothing is made.

#include <algorithm>
#include <cmath>

#include "engine/instance.h"
#include "engine/particle_systems.h"
#include "engine/world.h"
#include "engine/world_functions.h"
#include "imaging/color.h"
#include "storage/game.h"

namespace kestrin::engine {

namespace {

constexpr double kMaxLife = 1e7;
constexpr double kMaxNumber = 1e9;

// Numbers that are not finite become 0; the rest are kept within a bound.
double Number(FunctionCall& call, int i) {
    const double value = call.Real(i);
    return std::isfinite(value) ? std::clamp(value, -kMaxNumber, kMaxNumber) : 0.0;
}

std::uint32_t Color(FunctionCall& call, int i) {
    return static_cast<std::uint32_t>(std::clamp(Number(call, i), 0.0, 16777215.0));
}

ParticleSystems& Model(FunctionCall& call) { return call.world.Particles(); }

std::string Missing(const char* what, FunctionCall& call, int i) {
    return std::string(what) + " with index " + call.Text(i) + " does not exist";
}

ParticleType* TypeAt(FunctionCall& call, int i) {
    ParticleType* type = Model(call).Type(call.Real(i));
    if (!type) call.Fail(Missing("Particle type", call, i));
    return type;
}

ParticleSystem* SystemAt(FunctionCall& call, int i) {
    ParticleSystem* system = Model(call).System(call.Real(i));
    if (!system) call.Fail(Missing("Particle system", call, i));
    return system;
}

// ---- types

Value TypeCreate(FunctionCall& call) {
    const int type = Model(call).CreateType();
    return type < 0 ? call.Fail("Too many particle types") : Value(type);
}

Value TypeDestroy(FunctionCall& call) {
    if (!Model(call).DestroyType(call.Real(0))) return call.Fail(Missing("Particle type", call, 0));
    return 0.0;
}

Value TypeDestroyAll(FunctionCall& call) {
    Model(call).DestroyAllTypes();
    return 0.0;
}

Value TypeExists(FunctionCall& call) { return Model(call).Type(call.Real(0)) ? 1.0 : 0.0; }

Value TypeClear(FunctionCall& call) {
    if (ParticleType* type = TypeAt(call, 0)) *type = ParticleType{};
    return 0.0;
}

Value TypeShape(FunctionCall& call) {
    ParticleType* type = TypeAt(call, 0);
    if (!type) return 0.0;
    const double shape = call.Real(1);
    if (!(shape >= 0 && shape < kParticleShapeCount) || shape != std::floor(shape))
        return call.Fail("Unknown particle shape " + call.Text(1));
    type->shape = static_cast<int>(shape);
    type->sprite = -1;
    return 0.0;
}

Value TypeSprite(FunctionCall& call) {
    ParticleType* type = TypeAt(call, 0);
    if (!type) return 0.0;
    if (!call.world.GameData().Sprites().ResourceAt(call.Int(1)))
        return call.Fail("Sprite with index " + call.Text(1) + " does not exist");
    type->sprite = call.Int(1);
    type->animate = call.Bool(2);
    type->stretch = call.Bool(3);
    type->randomFrame = call.Bool(4);
    return 0.0;
}

// Four numbers: the range a particle starts in, then what each step adds
// and how far that wanders at random.
void SetRange(FunctionCall& call, double& min, double& max, double& increase, double& wiggle) {
    min = Number(call, 1);
    max = Number(call, 2);
    if (min > max) std::swap(min, max);
    increase = Number(call, 3);
    wiggle = std::fabs(Number(call, 4));
}

Value TypeSize(FunctionCall& call) {
    if (ParticleType* t = TypeAt(call, 0)) {
        SetRange(call, t->sizeMin, t->sizeMax, t->sizeIncrease, t->sizeWiggle);
        t->sizeMin = std::max(0.0, t->sizeMin);
        t->sizeMax = std::max(0.0, t->sizeMax);
    }
    return 0.0;
}

Value TypeSpeed(FunctionCall& call) {
    if (ParticleType* t = TypeAt(call, 0)) SetRange(call, t->speedMin, t->speedMax, t->speedIncrease, t->speedWiggle);
    return 0.0;
}

Value TypeDirection(FunctionCall& call) {
    if (ParticleType* t = TypeAt(call, 0))
        SetRange(call, t->directionMin, t->directionMax, t->directionIncrease, t->directionWiggle);
    return 0.0;
}

Value TypeGravity(FunctionCall& call) {
    if (ParticleType* t = TypeAt(call, 0)) {
        t->gravity = Number(call, 1);
        t->gravityDirection = Number(call, 2);
    }
    return 0.0;
}

Value TypeColor(FunctionCall& call) {
    if (ParticleType* t = TypeAt(call, 0)) t->colors = {Color(call, 1), Color(call, 2), Color(call, 3)};
    return 0.0;
}

// Two colours: the middle of life is halfway between them.
Value TypeColor2(FunctionCall& call) {
    if (ParticleType* t = TypeAt(call, 0)) {
        const std::uint32_t start = Color(call, 1), end = Color(call, 2);
        t->colors = {start, BlendColor(start, end, 0.5), end};
    }
    return 0.0;
}

Value TypeAlpha(FunctionCall& call) {
    if (ParticleType* t = TypeAt(call, 0))
        for (int i = 0; i < 3; ++i) t->alphas[i] = std::clamp(Number(call, i + 1), 0.0, 1.0);
    return 0.0;
}

Value TypeLife(FunctionCall& call) {
    if (ParticleType* t = TypeAt(call, 0)) {
        int min = static_cast<int>(std::clamp(Number(call, 1), 1.0, kMaxLife));
        int max = static_cast<int>(std::clamp(Number(call, 2), 1.0, kMaxLife));
        if (min > max) std::swap(min, max);
        t->lifeMin = min;
        t->lifeMax = max;
    }
    return 0.0;
}

Value TypeStep(FunctionCall& call) {
    if (ParticleType* t = TypeAt(call, 0)) {
        t->stepNumber = Number(call, 1);
        t->stepType = call.Int(2);
    }
    return 0.0;
}

Value TypeDeath(FunctionCall& call) {
    if (ParticleType* t = TypeAt(call, 0)) {
        t->deathNumber = Number(call, 1);
        t->deathType = call.Int(2);
    }
    return 0.0;
}

// ---- systems

Value SystemCreate(FunctionCall& call) {
    const int system = Model(call).CreateSystem(call.self ? call.self->depth : 0.0);
    return system < 0 ? call.Fail("Too many particle systems") : Value(system);
}

Value SystemDestroy(FunctionCall& call) {
    if (!Model(call).DestroySystem(call.Real(0))) return call.Fail(Missing("Particle system", call, 0));
    return 0.0;
}

Value SystemDestroyAll(FunctionCall& call) {
    Model(call).DestroyAllSystems();
    return 0.0;
}

Value SystemExists(FunctionCall& call) { return Model(call).System(call.Real(0)) ? 1.0 : 0.0; }

// Back to a new system's settings, at the same depth.
Value SystemClear(FunctionCall& call) {
    if (ParticleSystem* system = SystemAt(call, 0)) {
        const double depth = system->depth;
        *system = ParticleSystem{};
        system->depth = depth;
    }
    return 0.0;
}

Value SystemDrawOrder(FunctionCall& call) {
    if (ParticleSystem* system = SystemAt(call, 0)) system->oldToNew = call.Bool(1);
    return 0.0;
}

Value SystemSpriteBased(FunctionCall& call) {
    if (ParticleSystem* system = SystemAt(call, 0)) system->spriteBased = call.Bool(1);
    return 0.0;
}

Value SystemDoAStep(FunctionCall& call) {
    if (ParticleSystem* system = SystemAt(call, 0)) {
        system->automaticStep = false;
        Model(call).Step(*system);
    }
    return 0.0;
}

Value SystemDraw(FunctionCall& call) {
    if (ParticleSystem* system = SystemAt(call, 0)) {
        system->automaticDraw = false;
        if (Canvas* canvas = call.world.DrawingCanvas())
            call.world.DrawParticles(*canvas, *system, Number(call, 1), Number(call, 2));
    }
    return 0.0;
}

Value ParticlesCreate(FunctionCall& call) {
    ParticleSystem* system = SystemAt(call, 0);
    if (!system || !TypeAt(call, 3)) return 0.0;
    Model(call).Create(*system, Number(call, 1), Number(call, 2), call.Int(3), Number(call, 4));
    return 0.0;
}

Value ParticlesClear(FunctionCall& call) {
    if (ParticleSystem* system = SystemAt(call, 0)) system->particles.clear();
    return 0.0;
}

Value ParticlesCount(FunctionCall& call) {
    ParticleSystem* system = SystemAt(call, 0);
    return system ? static_cast<double>(system->particles.size()) : 0.0;
}

// ---- the items of a system, alike for the five kinds

struct Emitters {
    using Item = ParticleEmitter;
    static constexpr auto slots = &ParticleSystem::emitters;
    static constexpr const char* name = "Particle emitter";
    static constexpr const char* tooMany = "Too many particle emitters in particle system ";
};
struct Attractors {
    using Item = ParticleAttractor;
    static constexpr auto slots = &ParticleSystem::attractors;
    static constexpr const char* name = "Particle attractor";
    static constexpr const char* tooMany = "Too many particle attractors in particle system ";
};
struct Destroyers {
    using Item = ParticleDestroyer;
    static constexpr auto slots = &ParticleSystem::destroyers;
    static constexpr const char* name = "Particle destroyer";
    static constexpr const char* tooMany = "Too many particle destroyers in particle system ";
};
struct Deflectors {
    using Item = ParticleDeflector;
    static constexpr auto slots = &ParticleSystem::deflectors;
    static constexpr const char* name = "Particle deflector";
    static constexpr const char* tooMany = "Too many particle deflectors in particle system ";
};
struct Changers {
    using Item = ParticleChanger;
    static constexpr auto slots = &ParticleSystem::changers;
    static constexpr const char* name = "Particle changer";
    static constexpr const char* tooMany = "Too many particle changers in particle system ";
};

template <typename Kind>
typename Kind::Item* ItemAt(FunctionCall& call) {
    ParticleSystem* system = SystemAt(call, 0);
    if (!system) return nullptr;
    typename Kind::Item* item = (system->*Kind::slots).Find(call.Real(1));
    if (!item) call.Fail(Missing(Kind::name, call, 1));
    return item;
}

template <typename Kind>
Value ItemCreate(FunctionCall& call) {
    ParticleSystem* system = SystemAt(call, 0);
    if (!system) return 0.0;
    const int item = (system->*Kind::slots).Add(typename Kind::Item{});
    if (item < 0) return call.Fail(Kind::tooMany + call.Text(0));
    return item;
}

template <typename Kind>
Value ItemDestroy(FunctionCall& call) {
    if (ItemAt<Kind>(call)) (SystemAt(call, 0)->*Kind::slots).Remove(call.Real(1));
    return 0.0;
}

template <typename Kind>
Value ItemDestroyAll(FunctionCall& call) {
    if (ParticleSystem* system = SystemAt(call, 0)) (system->*Kind::slots).Clear();
    return 0.0;
}

template <typename Kind>
Value ItemExists(FunctionCall& call) {
    ParticleSystem* system = Model(call).System(call.Real(0));
    return system && (system->*Kind::slots).Find(call.Real(1)) ? 1.0 : 0.0;
}

template <typename Kind>
Value ItemClear(FunctionCall& call) {
    if (typename Kind::Item* item = ItemAt<Kind>(call)) *item = typename Kind::Item{};
    return 0.0;
}

// The region arguments from the third on: xmin, xmax, ymin, ymax, then the shape when given.
ParticleRegion RegionOf(FunctionCall& call, int shape) {
    return ParticleRegion::Make(Number(call, 2), Number(call, 3), Number(call, 4), Number(call, 5), shape);
}

Value EmitterRegion(FunctionCall& call) {
    if (ParticleEmitter* emitter = ItemAt<Emitters>(call)) {
        emitter->region = RegionOf(call, call.Int(6));
        emitter->distribution = call.Int(7) == kDistributionGaussian ? kDistributionGaussian : kDistributionLinear;
    }
    return 0.0;
}

Value EmitterBurst(FunctionCall& call) {
    ParticleEmitter* emitter = ItemAt<Emitters>(call);
    if (!emitter || !TypeAt(call, 2)) return 0.0;
    Model(call).Burst(*SystemAt(call, 0), *emitter, call.Int(2), Number(call, 3));
    return 0.0;
}

// Each step from now on, as a burst; a number of 0 stops the stream.
Value EmitterStream(FunctionCall& call) {
    ParticleEmitter* emitter = ItemAt<Emitters>(call);
    if (!emitter || !TypeAt(call, 2)) return 0.0;
    emitter->streamType = call.Int(2);
    emitter->streamNumber = Number(call, 3);
    return 0.0;
}

Value AttractorPosition(FunctionCall& call) {
    if (ParticleAttractor* attractor = ItemAt<Attractors>(call)) {
        attractor->x = Number(call, 2);
        attractor->y = Number(call, 3);
    }
    return 0.0;
}

// The force a particle at the attractor feels, how far it reaches, how it
// weakens with distance and whether it changes the particle's motion.
Value AttractorForce(FunctionCall& call) {
    if (ParticleAttractor* attractor = ItemAt<Attractors>(call)) {
        attractor->force = Number(call, 2);
        attractor->distance = std::max(0.0, Number(call, 3));
        const int kind = call.Int(4);
        attractor->kind = kind >= kForceConstant && kind <= kForceQuadratic ? kind : kForceConstant;
        attractor->additive = call.Bool(5);
    }
    return 0.0;
}

Value DestroyerRegion(FunctionCall& call) {
    if (ParticleDestroyer* destroyer = ItemAt<Destroyers>(call)) destroyer->region = RegionOf(call, call.Int(6));
    return 0.0;
}

Value DeflectorRegion(FunctionCall& call) {
    if (ParticleDeflector* deflector = ItemAt<Deflectors>(call)) deflector->region = RegionOf(call, kRegionRectangle);
    return 0.0;
}

Value DeflectorKind(FunctionCall& call) {
    if (ParticleDeflector* deflector = ItemAt<Deflectors>(call))
        deflector->kind = call.Int(2) == kDeflectHorizontal ? kDeflectHorizontal : kDeflectVertical;
    return 0.0;
}

Value DeflectorFriction(FunctionCall& call) {
    if (ParticleDeflector* deflector = ItemAt<Deflectors>(call)) deflector->friction = Number(call, 2);
    return 0.0;
}

Value ChangerRegion(FunctionCall& call) {
    if (ParticleChanger* changer = ItemAt<Changers>(call)) changer->region = RegionOf(call, call.Int(6));
    return 0.0;
}

Value ChangerTypes(FunctionCall& call) {
    if (ParticleChanger* changer = ItemAt<Changers>(call)) {
        changer->from = call.Int(2);
        changer->to = call.Int(3);
    }
    return 0.0;
}

Value ChangerKind(FunctionCall& call) {
    if (ParticleChanger* changer = ItemAt<Changers>(call)) {
        const int kind = call.Int(2);
        changer->kind = kind >= kChangeAll && kind <= kChangeMotion ? kind : kChangeAll;
    }
    return 0.0;
}

}  // namespace

void AddParticleFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"part_type_create", TypeCreate},           {"part_type_destroy", TypeDestroy},
        {"part_type_destroy_all", TypeDestroyAll},  {"part_type_exists", TypeExists},
        {"part_type_clear", TypeClear},             {"part_type_shape", TypeShape},
        {"part_type_sprite", TypeSprite},           {"part_type_size", TypeSize},
        {"part_type_speed", TypeSpeed},             {"part_type_direction", TypeDirection},
        {"part_type_gravity", TypeGravity},         {"part_type_color", TypeColor},
        {"part_type_color2", TypeColor2},           {"part_type_alpha", TypeAlpha},
        {"part_type_life", TypeLife},               {"part_type_step", TypeStep},
        {"part_type_death", TypeDeath},             {"part_system_create", SystemCreate},
        {"part_system_destroy", SystemDestroy},     {"part_system_destroy_all", SystemDestroyAll},
        {"part_system_exists", SystemExists},       {"part_system_clear", SystemClear},
        {"part_system_draw_order", SystemDrawOrder}, {"part_system_sprite_based", SystemSpriteBased},
        {"part_system_doastep", SystemDoAStep},     {"part_system_draw", SystemDraw},
        {"part_particles_create", ParticlesCreate}, {"part_particles_clear", ParticlesClear},
        {"part_particles_count", ParticlesCount},   {"part_emitter_region", EmitterRegion},
        {"part_emitter_burst", EmitterBurst},       {"part_emitter_stream", EmitterStream},
        {"part_attractor_position", AttractorPosition}, {"part_attractor_force", AttractorForce},
        {"part_destroyer_region", DestroyerRegion}, {"part_deflector_region", DeflectorRegion},
        {"part_deflector_kind", DeflectorKind},     {"part_deflector_friction", DeflectorFriction},
        {"part_changer_region", ChangerRegion},     {"part_changer_types", ChangerTypes},
        {"part_changer_kind", ChangerKind},
        {"part_emitter_create", ItemCreate<Emitters>}, {"part_emitter_destroy", ItemDestroy<Emitters>},
        {"part_emitter_destroy_all", ItemDestroyAll<Emitters>}, {"part_emitter_exists", ItemExists<Emitters>},
        {"part_emitter_clear", ItemClear<Emitters>},
        {"part_attractor_create", ItemCreate<Attractors>}, {"part_attractor_destroy", ItemDestroy<Attractors>},
        {"part_attractor_destroy_all", ItemDestroyAll<Attractors>}, {"part_attractor_exists", ItemExists<Attractors>},
        {"part_attractor_clear", ItemClear<Attractors>},
        {"part_destroyer_create", ItemCreate<Destroyers>}, {"part_destroyer_destroy", ItemDestroy<Destroyers>},
        {"part_destroyer_destroy_all", ItemDestroyAll<Destroyers>}, {"part_destroyer_exists", ItemExists<Destroyers>},
        {"part_destroyer_clear", ItemClear<Destroyers>},
        {"part_deflector_create", ItemCreate<Deflectors>}, {"part_deflector_destroy", ItemDestroy<Deflectors>},
        {"part_deflector_destroy_all", ItemDestroyAll<Deflectors>}, {"part_deflector_exists", ItemExists<Deflectors>},
        {"part_deflector_clear", ItemClear<Deflectors>},
        {"part_changer_create", ItemCreate<Changers>}, {"part_changer_destroy", ItemDestroy<Changers>},
        {"part_changer_destroy_all", ItemDestroyAll<Changers>}, {"part_changer_exists", ItemExists<Changers>},
        {"part_changer_clear", ItemClear<Changers>},
    });
}

}  // namespace kestrin::engine
