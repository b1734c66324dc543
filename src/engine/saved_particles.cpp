// Particles in a save file. The reader holds every number to what the
// particle functions and steps can make of it: the setters' bound of 1e9 on
// any number, lives of at most 1e7 steps, sprite frames below 65536, no more
// types, systems, items or particles than the model allows at once.

#include "engine/saved_particles.h"

#include <cmath>
#include <utility>

#include "engine/saved_reading.h"

namespace kestrin::engine {

namespace {

constexpr double kMaxNumber = 1e9;
constexpr int kMaxLife = 10000000;
constexpr int kFrames = 1 << 16;
constexpr std::int32_t kMaxColor = 0xFFFFFF;
// A particle's fields: six whole numbers and five reals.
constexpr std::size_t kParticleBytes = 6 * 4 + 5 * 8;

double ReadNumber(CStream& in, double min = -kMaxNumber, double max = kMaxNumber) {
    const double value = in.ReadReal();
    CheckSaved(value >= min && value <= max);  // false for NaN too
    return value;
}

int ReadWhole(CStream& in, int min, int max) {
    const std::int32_t value = in.ReadInteger();
    CheckSaved(value >= min && value <= max);
    return value;
}

int ReadAnyWhole(CStream& in) { return in.ReadInteger(); }

// The slot of the handle, the list grown to hold it.
template <typename T>
std::optional<T>& SlotAt(SavedSlots<T>& slots, int handle) {
    if (slots.size() <= static_cast<std::size_t>(handle)) slots.resize(static_cast<std::size_t>(handle) + 1);
    return slots[static_cast<std::size_t>(handle)];
}

template <typename T>
SavedSlots<T> SlotsOf(HandleSlots<T>& slots) {
    SavedSlots<T> saved;
    slots.ForEach([&](int handle, const T& value) { SlotAt(saved, handle) = value; });
    return saved;
}

// Filled in handle order, then the empty slots freed, so every value lands
// on its own handle.
template <typename T>
void FillSlots(SavedSlots<T>& saved, HandleSlots<T>& slots) {
    slots.Clear();
    for (std::optional<T>& value : saved) slots.Add(value ? std::move(*value) : T{});
    for (std::size_t handle = 0; handle < saved.size(); ++handle)
        if (!saved[handle]) slots.Remove(static_cast<double>(handle));
}

template <typename T, typename WriteItem>
void WriteSlots(CStream& out, const SavedSlots<T>& slots, WriteItem write) {
    out.WriteInteger(static_cast<std::int32_t>(slots.size()));
    for (const std::optional<T>& slot : slots) {
        out.WriteBoolean(slot.has_value());
        if (slot) write(out, *slot);
    }
}

template <typename T, typename ReadItem>
void ReadSlots(CStream& in, std::size_t bound, SavedSlots<T>& slots, ReadItem read) {
    const std::size_t count = ReadSavedCount(in, 4);
    CheckSaved(count <= bound);
    slots.clear();
    slots.resize(count);
    for (std::optional<T>& slot : slots)
        if (in.ReadBoolean()) read(in, slot.emplace());
}

void WriteType(CStream& out, const ParticleType& t) {
    for (int field : {t.shape, t.sprite, t.lifeMin, t.lifeMax, t.stepType, t.deathType}) out.WriteInteger(field);
    for (bool field : {t.animate, t.stretch, t.randomFrame}) out.WriteBoolean(field);
    for (double field : {t.sizeMin, t.sizeMax, t.sizeIncrease, t.sizeWiggle, t.speedMin, t.speedMax, t.speedIncrease,
                         t.speedWiggle, t.directionMin, t.directionMax, t.directionIncrease, t.directionWiggle,
                         t.gravity, t.gravityDirection, t.stepNumber, t.deathNumber})
        out.WriteReal(field);
    for (std::uint32_t color : t.colors) out.WriteInteger(static_cast<std::int32_t>(color));
    for (double alpha : t.alphas) out.WriteReal(alpha);
}

void ReadType(CStream& in, ParticleType& t) {
    t.shape = ReadWhole(in, 0, kParticleShapeCount - 1);
    t.sprite = ReadWhole(in, -1, INT32_MAX);
    t.lifeMin = ReadWhole(in, 1, kMaxLife);
    t.lifeMax = ReadWhole(in, t.lifeMin, kMaxLife);
    t.stepType = ReadAnyWhole(in);
    t.deathType = ReadAnyWhole(in);
    for (bool* field : {&t.animate, &t.stretch, &t.randomFrame}) *field = in.ReadBoolean();
    t.sizeMin = ReadNumber(in, 0);
    t.sizeMax = ReadNumber(in, 0);
    t.sizeIncrease = ReadNumber(in);
    t.sizeWiggle = ReadNumber(in, 0);
    t.speedMin = ReadNumber(in);
    t.speedMax = ReadNumber(in);
    t.speedIncrease = ReadNumber(in);
    t.speedWiggle = ReadNumber(in, 0);
    t.directionMin = ReadNumber(in);
    t.directionMax = ReadNumber(in);
    t.directionIncrease = ReadNumber(in);
    t.directionWiggle = ReadNumber(in, 0);
    for (double* field : {&t.gravity, &t.gravityDirection, &t.stepNumber, &t.deathNumber}) *field = ReadNumber(in);
    for (std::uint32_t& color : t.colors) color = static_cast<std::uint32_t>(ReadWhole(in, 0, kMaxColor));
    for (double& alpha : t.alphas) alpha = ReadNumber(in, 0, 1);
}

void WriteRegion(CStream& out, const ParticleRegion& r) {
    for (double field : {r.xmin, r.xmax, r.ymin, r.ymax}) out.WriteReal(field);
    out.WriteInteger(r.shape);
}

void ReadRegion(CStream& in, ParticleRegion& r) {
    for (double* field : {&r.xmin, &r.xmax, &r.ymin, &r.ymax}) *field = ReadNumber(in);
    r.shape = ReadWhole(in, kRegionRectangle, kRegionLine);
    // Only a line keeps its ends in the order given.
    CheckSaved(r.shape == kRegionLine || (r.xmin <= r.xmax && r.ymin <= r.ymax));
}

void WriteParticle(CStream& out, const Particle& p) {
    for (int field : {p.type, p.motion, p.look, p.age, p.life, p.frame}) out.WriteInteger(field);
    for (double field : {p.x, p.y, p.speed, p.direction, p.size}) out.WriteReal(field);
}

void ReadParticle(CStream& in, Particle& p) {
    for (int* field : {&p.type, &p.motion, &p.look}) *field = ReadAnyWhole(in);
    p.age = ReadWhole(in, 0, kMaxLife - 1);
    p.life = ReadWhole(in, p.age + 1, kMaxLife);
    p.frame = ReadWhole(in, 0, kFrames - 1);
    for (double* field : {&p.x, &p.y, &p.speed, &p.direction}) *field = ReadNumber(in);
    p.size = ReadNumber(in, 0);
}

void WriteSystem(CStream& out, const SavedParticleSystem& s) {
    out.WriteReal(s.depth);
    for (bool field : {s.automaticStep, s.automaticDraw, s.oldToNew, s.spriteBased}) out.WriteBoolean(field);
    out.WriteInteger(static_cast<std::int32_t>(s.particles.size()));
    for (const Particle& p : s.particles) WriteParticle(out, p);
    WriteSlots(out, s.emitters, [](CStream& o, const ParticleEmitter& e) {
        WriteRegion(o, e.region);
        o.WriteInteger(e.distribution);
        o.WriteInteger(e.streamType);
        o.WriteReal(e.streamNumber);
    });
    WriteSlots(out, s.attractors, [](CStream& o, const ParticleAttractor& a) {
        for (double field : {a.x, a.y, a.force, a.distance}) o.WriteReal(field);
        o.WriteInteger(a.kind);
        o.WriteBoolean(a.additive);
    });
    WriteSlots(out, s.destroyers, [](CStream& o, const ParticleDestroyer& d) { WriteRegion(o, d.region); });
    WriteSlots(out, s.deflectors, [](CStream& o, const ParticleDeflector& d) {
        WriteRegion(o, d.region);
        o.WriteInteger(d.kind);
        o.WriteReal(d.friction);
    });
    WriteSlots(out, s.changers, [](CStream& o, const ParticleChanger& c) {
        WriteRegion(o, c.region);
        for (int field : {c.from, c.to, c.kind}) o.WriteInteger(field);
    });
}

void ReadSystem(CStream& in, SavedParticleSystem& s) {
    s.depth = in.ReadReal();
    CheckSaved(std::isfinite(s.depth));
    for (bool* field : {&s.automaticStep, &s.automaticDraw, &s.oldToNew, &s.spriteBased}) *field = in.ReadBoolean();
    const std::size_t count = ReadSavedCount(in, kParticleBytes);
    CheckSaved(count <= ParticleSystems::kMaxParticles);
    s.particles.resize(count);
    for (Particle& p : s.particles) ReadParticle(in, p);
    constexpr std::size_t kItems = ParticleSystem::kMaxItems;
    ReadSlots(in, kItems, s.emitters, [](CStream& i, ParticleEmitter& e) {
        ReadRegion(i, e.region);
        e.distribution = ReadWhole(i, kDistributionLinear, kDistributionGaussian);
        e.streamType = ReadAnyWhole(i);
        e.streamNumber = ReadNumber(i);
    });
    ReadSlots(in, kItems, s.attractors, [](CStream& i, ParticleAttractor& a) {
        for (double* field : {&a.x, &a.y, &a.force}) *field = ReadNumber(i);
        a.distance = ReadNumber(i, 0);
        a.kind = ReadWhole(i, kForceConstant, kForceQuadratic);
        a.additive = i.ReadBoolean();
    });
    ReadSlots(in, kItems, s.destroyers, [](CStream& i, ParticleDestroyer& d) { ReadRegion(i, d.region); });
    ReadSlots(in, kItems, s.deflectors, [](CStream& i, ParticleDeflector& d) {
        ReadRegion(i, d.region);
        d.kind = ReadWhole(i, kDeflectVertical, kDeflectHorizontal);
        d.friction = ReadNumber(i);
    });
    ReadSlots(in, kItems, s.changers, [](CStream& i, ParticleChanger& c) {
        ReadRegion(i, c.region);
        c.from = ReadAnyWhole(i);
        c.to = ReadAnyWhole(i);
        c.kind = ReadWhole(i, kChangeAll, kChangeMotion);
    });
}

}  // namespace

void CaptureParticles(ParticleSystems& model, SavedParticles& saved) {
    saved = SavedParticles{};
    model.ForEachType([&](int handle, const ParticleType& type) { SlotAt(saved.types, handle) = type; });
    model.ForEachSystem([&](int handle, ParticleSystem& system) {
        SavedParticleSystem& s = SlotAt(saved.systems, handle).emplace();
        s.depth = system.depth;
        s.automaticStep = system.automaticStep;
        s.automaticDraw = system.automaticDraw;
        s.oldToNew = system.oldToNew;
        s.spriteBased = system.spriteBased;
        s.particles = system.particles;
        s.emitters = SlotsOf(system.emitters);
        s.attractors = SlotsOf(system.attractors);
        s.destroyers = SlotsOf(system.destroyers);
        s.deflectors = SlotsOf(system.deflectors);
        s.changers = SlotsOf(system.changers);
    });
}

void RestoreParticles(SavedParticles& saved, ParticleSystems& model) {
    model.Reset();
    // Types before systems: a type destroyed now takes no particles with it.
    for (const std::optional<ParticleType>& type : saved.types) {
        const int handle = model.CreateType();
        if (type) *model.Type(handle) = *type;
    }
    for (std::size_t handle = 0; handle < saved.types.size(); ++handle)
        if (!saved.types[handle]) model.DestroyType(static_cast<double>(handle));
    for (std::optional<SavedParticleSystem>& savedSystem : saved.systems) {
        ParticleSystem& system = *model.System(model.CreateSystem(0));
        if (!savedSystem) continue;
        SavedParticleSystem& s = *savedSystem;
        system.depth = s.depth;
        system.automaticStep = s.automaticStep;
        system.automaticDraw = s.automaticDraw;
        system.oldToNew = s.oldToNew;
        system.spriteBased = s.spriteBased;
        system.particles = std::move(s.particles);
        FillSlots(s.emitters, system.emitters);
        FillSlots(s.attractors, system.attractors);
        FillSlots(s.destroyers, system.destroyers);
        FillSlots(s.deflectors, system.deflectors);
        FillSlots(s.changers, system.changers);
    }
    for (std::size_t handle = 0; handle < saved.systems.size(); ++handle)
        if (!saved.systems[handle]) model.DestroySystem(static_cast<double>(handle));
}

void WriteParticles(CStream& out, const SavedParticles& saved) {
    WriteSlots(out, saved.types, WriteType);
    WriteSlots(out, saved.systems, WriteSystem);
}

void ReadParticles(CStream& in, SavedParticles& saved) {
    ReadSlots(in, ParticleSystems::kMaxTypes, saved.types, ReadType);
    ReadSlots(in, ParticleSystems::kMaxSystems, saved.systems, ReadSystem);
}

}  // namespace kestrin::engine
