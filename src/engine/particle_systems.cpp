// The particle model's steps. Speeds stay within [0, kMaxSpeed] and sizes
// within [0, kMaxSize]; a particle that moves beyond kFarAway is gone, so
// growing numbers never reach infinity.

#include "engine/particle_systems.h"

#include <algorithm>

#include "imaging/color.h"

namespace kestrin::engine {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMaxSpeed = 1e6;
constexpr double kMaxSize = 1e4;
constexpr double kFarAway = 1e9;
constexpr int kDestroyed = -1;  // a life that marks a particle to remove

double Wiggle(RandomSource& random, double amount) {
    return amount == 0 ? 0.0 : RandomBetween(random, -amount, amount);
}

void ToComponents(const Particle& p, double& vx, double& vy) {
    vx = p.speed * std::cos(p.direction * kPi / 180.0);
    vy = -p.speed * std::sin(p.direction * kPi / 180.0);
}

void FromComponents(Particle& p, double vx, double vy) {
    p.speed = std::min(std::hypot(vx, vy), kMaxSpeed);
    if (p.speed > 0) {
        const double d = std::atan2(-vy, vx) * 180.0 / kPi;
        p.direction = d < 0 ? d + 360.0 : d;
    }
}

double Between(double a, double b, double x) { return a + (b - a) * x; }

}  // namespace

bool ParticleSystems::DestroyType(double handle) {
    if (!mTypes.Find(handle)) return false;
    const int type = static_cast<int>(handle);
    mSystems.ForEach([&](int, ParticleSystem& system) {
        std::erase_if(system.particles,
                      [&](const Particle& p) { return p.type == type || p.motion == type || p.look == type; });
    });
    return mTypes.Remove(handle);
}

void ParticleSystems::DestroyAllTypes() {
    mSystems.ForEach([](int, ParticleSystem& system) { system.particles.clear(); });
    mTypes.Clear();
}

int ParticleSystems::CreateSystem(double depth) {
    ParticleSystem system;
    system.depth = std::isfinite(depth) ? depth : 0.0;
    return mSystems.Add(std::move(system));
}

void ParticleSystems::Reset() {
    mSystems.Clear();
    mTypes.Clear();
}

int ParticleSystems::Amount(double number, std::size_t live) {
    if (!std::isfinite(number) || number == 0) return 0;
    const double room = live < kMaxParticles ? static_cast<double>(kMaxParticles - live) : 0.0;
    if (number < 0) return room >= 1 && (number >= -1 || RandomUnit(mRandom) < -1.0 / number) ? 1 : 0;
    return static_cast<int>(std::min(std::floor(number), room));
}

Particle ParticleSystems::Make(double x, double y, int type, const ParticleType& rules) {
    Particle p;
    p.type = p.motion = p.look = type;
    p.age = 0;
    p.life = rules.lifeMin + mRandom.Next(rules.lifeMax - rules.lifeMin + 1);
    p.frame = rules.randomFrame ? mRandom.Next(1 << 16) : 0;
    p.x = x;
    p.y = y;
    p.speed = RandomBetween(mRandom, rules.speedMin, rules.speedMax);
    p.direction = RandomBetween(mRandom, rules.directionMin, rules.directionMax);
    p.size = RandomBetween(mRandom, rules.sizeMin, rules.sizeMax);
    return p;
}

void ParticleSystems::Spawn(std::vector<Particle>& into, std::size_t live, double x, double y, int type,
                            double number) {
    const ParticleType* rules = Type(type);
    if (!rules || !std::isfinite(x) || !std::isfinite(y)) return;
    const int count = Amount(number, live);
    for (int i = 0; i < count; ++i) into.push_back(Make(x, y, type, *rules));
}

void ParticleSystems::Create(ParticleSystem& system, double x, double y, int type, double number) {
    Spawn(system.particles, system.particles.size(), x, y, type, number);
}

void ParticleSystems::Burst(ParticleSystem& system, const ParticleEmitter& emitter, int type, double number) {
    const ParticleType* rules = Type(type);
    if (!rules) return;
    const int count = Amount(number, system.particles.size());
    for (int i = 0; i < count; ++i) {
        double x, y;
        emitter.region.RandomPoint(mRandom, emitter.distribution, x, y);
        system.particles.push_back(Make(x, y, type, *rules));
    }
}

bool ParticleSystems::Move(Particle& p) {
    const ParticleType* motion = Type(p.motion);
    const ParticleType* look = Type(p.look);
    if (!motion || !look) return false;
    if (motion->gravity != 0) {
        double vx, vy;
        ToComponents(p, vx, vy);
        vx += motion->gravity * std::cos(motion->gravityDirection * kPi / 180.0);
        vy -= motion->gravity * std::sin(motion->gravityDirection * kPi / 180.0);
        FromComponents(p, vx, vy);
    }
    p.speed = std::clamp(p.speed + motion->speedIncrease + Wiggle(mRandom, motion->speedWiggle), 0.0, kMaxSpeed);
    p.direction = std::fmod(p.direction + motion->directionIncrease + Wiggle(mRandom, motion->directionWiggle), 360.0);
    if (p.direction < 0) p.direction += 360.0;
    p.x += p.speed * std::cos(p.direction * kPi / 180.0);
    p.y -= p.speed * std::sin(p.direction * kPi / 180.0);
    p.size = std::clamp(p.size + look->sizeIncrease + Wiggle(mRandom, look->sizeWiggle), 0.0, kMaxSize);
    return std::fabs(p.x) < kFarAway && std::fabs(p.y) < kFarAway;
}

void ParticleSystems::Affect(ParticleSystem& system, Particle& p, double oldX, double oldY) {
    system.attractors.ForEach([&](int, const ParticleAttractor& a) {
        const double dx = a.x - p.x, dy = a.y - p.y, d = std::hypot(dx, dy);
        if (!(d > 0) || d > a.distance) return;
        const double nearness = a.distance > 0 ? 1.0 - d / a.distance : 1.0;
        double strength = a.force;
        if (a.kind == kForceLinear) strength *= nearness;
        else if (a.kind == kForceQuadratic) strength *= nearness * nearness;
        if (a.additive) {
            double vx, vy;
            ToComponents(p, vx, vy);
            FromComponents(p, vx + strength * dx / d, vy + strength * dy / d);
        } else {
            // Pulled onto the point at most, not past it.
            const double step = std::min(strength, d);
            p.x += step * dx / d;
            p.y += step * dy / d;
        }
    });
    system.deflectors.ForEach([&](int, const ParticleDeflector& deflector) {
        if (!deflector.region.Contains(p.x, p.y) || deflector.region.Contains(oldX, oldY)) return;
        double vx, vy;
        ToComponents(p, vx, vy);
        if (deflector.kind == kDeflectHorizontal) {
            vx = -vx;
            p.x = oldX;
        } else {
            vy = -vy;
            p.y = oldY;
        }
        FromComponents(p, vx, vy);
        p.speed = std::max(0.0, p.speed - deflector.friction);
    });
    system.changers.ForEach([&](int, const ParticleChanger& changer) {
        if (p.type != changer.from || !changer.region.Contains(p.x, p.y)) return;
        const ParticleType* to = Type(changer.to);
        if (!to) return;
        const bool motion = changer.kind != kChangeShape && p.motion != changer.to;
        const bool shape = changer.kind != kChangeMotion && p.look != changer.to;
        if (motion) {
            p.motion = changer.to;
            p.speed = RandomBetween(mRandom, to->speedMin, to->speedMax);
            p.direction = RandomBetween(mRandom, to->directionMin, to->directionMax);
        }
        if (shape) {
            p.look = changer.to;
            p.size = RandomBetween(mRandom, to->sizeMin, to->sizeMax);
            p.frame = to->randomFrame ? mRandom.Next(1 << 16) : 0;
        }
        if (changer.kind == kChangeAll) p.type = changer.to;
    });
    system.destroyers.ForEach([&](int, const ParticleDestroyer& destroyer) {
        if (destroyer.region.Contains(p.x, p.y)) p.life = kDestroyed;
    });
}

void ParticleSystems::Step(ParticleSystem& system) {
    system.emitters.ForEach([&](int, const ParticleEmitter& emitter) {
        if (emitter.streamNumber != 0) Burst(system, emitter, emitter.streamType, emitter.streamNumber);
    });
    // Particles made during the step join at its end and move from the next.
    std::vector<Particle> made;
    std::size_t live = system.particles.size();
    for (Particle& p : system.particles) {
        const ParticleType* rules = Type(p.type);
        if (!rules) {
            p.life = kDestroyed;
            --live;
            continue;
        }
        if (++p.age >= p.life) {
            p.life = kDestroyed;
            --live;
            if (rules->deathNumber != 0) Spawn(made, live + made.size(), p.x, p.y, rules->deathType, rules->deathNumber);
            continue;
        }
        if (rules->stepNumber != 0) Spawn(made, live + made.size(), p.x, p.y, rules->stepType, rules->stepNumber);
        const double oldX = p.x, oldY = p.y;
        if (!Move(p)) {
            p.life = kDestroyed;
            --live;
            continue;
        }
        Affect(system, p, oldX, oldY);
        if (p.life == kDestroyed) --live;
    }
    std::erase_if(system.particles, [](const Particle& p) { return p.life == kDestroyed; });
    system.particles.insert(system.particles.end(), made.begin(), made.end());
}

void ParticleSystems::StepAutomatic() {
    mSystems.ForEach([&](int, ParticleSystem& system) {
        if (system.automaticStep) Step(system);
    });
}

double ParticleSystems::Fraction(const Particle& p) const {
    return p.life > 0 ? std::min(1.0, static_cast<double>(p.age) / p.life) : 1.0;
}

std::uint32_t ParticleSystems::ColorOf(const Particle& p) const {
    const ParticleType* look = Type(p.look);
    if (!look) return kWhite;
    const double f = Fraction(p);
    return f < 0.5 ? BlendColor(look->colors[0], look->colors[1], f * 2)
                   : BlendColor(look->colors[1], look->colors[2], f * 2 - 1);
}

double ParticleSystems::AlphaOf(const Particle& p) const {
    const ParticleType* look = Type(p.look);
    if (!look) return 1.0;
    const double f = Fraction(p);
    return f < 0.5 ? Between(look->alphas[0], look->alphas[1], f * 2) : Between(look->alphas[1], look->alphas[2], f * 2 - 1);
}

}  // namespace kestrin::engine
