#pragma once
// The particles of a saved game: every type and system in its handle's slot,
// a destroyed handle as an empty slot, so the handles the code holds name
// the same things after a load; each system with its settings, its live
// particles and its emitters, attractors, destroyers, deflectors and
// changers, likewise by handle.

#include <optional>
#include <vector>

#include "engine/particle_systems.h"
#include "stream/stream.h"

namespace kestrin::engine {

template <typename T>
using SavedSlots = std::vector<std::optional<T>>;

struct SavedParticleSystem {
    double depth = 0;
    bool automaticStep = true, automaticDraw = true, oldToNew = true, spriteBased = true;
    std::vector<Particle> particles;
    SavedSlots<ParticleEmitter> emitters;
    SavedSlots<ParticleAttractor> attractors;
    SavedSlots<ParticleDestroyer> destroyers;
    SavedSlots<ParticleDeflector> deflectors;
    SavedSlots<ParticleChanger> changers;
};

struct SavedParticles {
    SavedSlots<ParticleType> types;
    SavedSlots<SavedParticleSystem> systems;
};

void CaptureParticles(ParticleSystems& model, SavedParticles& saved);
// Replaces everything the model holds; the saved particles move into it.
void RestoreParticles(SavedParticles& saved, ParticleSystems& model);

void WriteParticles(CStream& out, const SavedParticles& saved);
// Throws SaveDamaged (or the stream's read error) for what the particle
// functions could never have made: more than their limits allow, numbers
// that are not finite or out of range, unknown shapes and kinds.
void ReadParticles(CStream& in, SavedParticles& saved);

}  // namespace kestrin::engine
