#pragma once
// Particles: the types that say how particles look and move, and the systems
// that hold live particles with their emitters, attractors, destroyers,
// deflectors and changers. The world owns one ParticleSystems for the whole
// game; its randomness is the world's, so headless play repeats exactly.
//
// Handles are small whole numbers from 0, the lowest free one first. At most
// kMaxTypes types, kMaxSystems systems and kMaxItems of each kind of item per
// system exist at once; a system holds at most kMaxParticles live particles
// and refuses new ones beyond that (the ones alive keep going).

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/particle_handles.h"
#include "engine/particle_region.h"
#include "platform/random_source.h"

namespace kestrin::engine {

enum ParticleShapeKind { kShapePixel, kShapeDisk, kShapeSquare, kShapeDiamond, kShapeStar, kShapePlus, kShapeCross };
inline constexpr int kParticleShapeCount = 7;
enum ParticleForceKind { kForceConstant = 0, kForceLinear = 1, kForceQuadratic = 2 };
// The motion a deflector turns back: vertical motion off floors and
// ceilings, horizontal motion off walls.
enum ParticleDeflectKind { kDeflectVertical = 0, kDeflectHorizontal = 1 };
enum ParticleChangeKind { kChangeAll = 0, kChangeShape = 1, kChangeMotion = 2 };

// Every number here is finite: setters replace what is not.
struct ParticleType {
    int shape = kShapePixel;
    int sprite = -1;  // drawn instead of the shape when >= 0
    bool animate = true, stretch = false, randomFrame = false;
    double sizeMin = 1, sizeMax = 1, sizeIncrease = 0, sizeWiggle = 0;
    double speedMin = 0, speedMax = 0, speedIncrease = 0, speedWiggle = 0;
    double directionMin = 0, directionMax = 0, directionIncrease = 0, directionWiggle = 0;
    double gravity = 0, gravityDirection = 270;
    // Start, middle and end of life; colours are r + g*256 + b*65536.
    std::array<std::uint32_t, 3> colors{0xffffff, 0xffffff, 0xffffff};
    std::array<double, 3> alphas{1, 1, 1};
    int lifeMin = 100, lifeMax = 100;
    // Each step a particle makes stepNumber particles of stepType; at the
    // end of its life deathNumber of deathType. A negative number n makes
    // one with a chance of 1 in -n.
    double stepNumber = 0, deathNumber = 0;
    int stepType = -1, deathType = -1;
};

struct Particle {
    int type;    // which particles it makes and which changers see it
    int motion;  // the type whose increases, wiggles and gravity move it
    int look;    // the type whose shape, colours and alpha it shows
    int age, life;
    int frame;   // the first image of a sprite, any whole number
    double x, y, speed, direction, size;
};

struct ParticleEmitter {
    ParticleRegion region;
    int distribution = kDistributionLinear;
    int streamType = -1;
    double streamNumber = 0;
};

struct ParticleAttractor {
    double x = 0, y = 0;
    double force = 0, distance = 0;
    int kind = kForceConstant;
    bool additive = false;  // changes the particle's motion rather than only its place
};

struct ParticleDestroyer {
    ParticleRegion region;
};

struct ParticleDeflector {
    ParticleRegion region;
    int kind = kDeflectVertical;
    double friction = 0;  // speed lost at each bounce
};

struct ParticleChanger {
    ParticleRegion region;
    int from = -1, to = -1;
    int kind = kChangeAll;
};

struct ParticleSystem {
    static constexpr int kMaxItems = 100;

    double depth = 0;
    // A system steps and draws by itself until the game does either itself.
    bool automaticStep = true, automaticDraw = true;
    bool oldToNew = true;      // the newest particles drawn on top
    bool spriteBased = true;   // shapes drawn from images (with alpha), else as plain figures
    std::vector<Particle> particles;
    HandleSlots<ParticleEmitter> emitters{kMaxItems};
    HandleSlots<ParticleAttractor> attractors{kMaxItems};
    HandleSlots<ParticleDestroyer> destroyers{kMaxItems};
    HandleSlots<ParticleDeflector> deflectors{kMaxItems};
    HandleSlots<ParticleChanger> changers{kMaxItems};
};

class ParticleSystems {
public:
    static constexpr int kMaxTypes = 1000;
    static constexpr int kMaxSystems = 32;
    static constexpr int kMaxParticles = 30000;

    explicit ParticleSystems(RandomSource& random) : mRandom(random) {}

    // -1 when there are too many.
    int CreateType() { return mTypes.Add(ParticleType{}); }
    ParticleType* Type(double handle) { return mTypes.Find(handle); }
    const ParticleType* Type(double handle) const { return mTypes.Find(handle); }
    // The particles of the type go too, in every system.
    bool DestroyType(double handle);
    void DestroyAllTypes();
    template <typename F>
    void ForEachType(F&& visit) { mTypes.ForEach(visit); }

    int CreateSystem(double depth);
    ParticleSystem* System(double handle) { return mSystems.Find(handle); }
    bool DestroySystem(double handle) { return mSystems.Remove(handle); }
    void DestroyAllSystems() { mSystems.Clear(); }
    // Everything gone, as at the start of a game.
    void Reset();
    bool NoSystems() const { return mSystems.Empty(); }
    template <typename F>
    void ForEachSystem(F&& visit) { mSystems.ForEach(visit); }

    // Makes particles of the type at the point; a negative number makes one
    // with a chance of 1 in -number. Nothing for a type that does not exist.
    void Create(ParticleSystem& system, double x, double y, int type, double number);
    // Particles of the type at random points of the emitter's region.
    void Burst(ParticleSystem& system, const ParticleEmitter& emitter, int type, double number);
    // One step of every particle of the system: streams emit, particles age
    // and move, then attractors, deflectors, changers and destroyers act.
    void Step(ParticleSystem& system);
    // The step of every system that steps by itself.
    void StepAutomatic();

    // What a particle shows now: interpolated over its life.
    std::uint32_t ColorOf(const Particle& particle) const;
    double AlphaOf(const Particle& particle) const;

private:
    // How many particles a number asks for, no more than the room left.
    int Amount(double number, std::size_t live);
    void Spawn(std::vector<Particle>& into, std::size_t live, double x, double y, int type, double number);
    Particle Make(double x, double y, int type, const ParticleType& rules);
    // Moves the particle by one step; false when it left the sane range of numbers.
    bool Move(Particle& particle);
    void Affect(ParticleSystem& system, Particle& particle, double oldX, double oldY);
    double Fraction(const Particle& particle) const;

    RandomSource& mRandom;
    HandleSlots<ParticleType> mTypes{kMaxTypes};
    HandleSlots<ParticleSystem> mSystems{kMaxSystems};
};

}  // namespace kestrin::engine
