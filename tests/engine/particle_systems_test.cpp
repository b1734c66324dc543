// The particle model on its own: regions give points inside themselves,
// bursts, life, motion and the items of a system act on particles, handles
// and bounds hold, and hostile numbers stay harmless.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "engine/particle_systems.h"

namespace kestrin::engine {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ParticleRegion, RandomPointsLieInTheRegionAndContainsKnowsTheShape) {
    RandomSource random(3);
    for (int shape : {kRegionRectangle, kRegionEllipse, kRegionDiamond, kRegionLine}) {
        for (int distribution : {kDistributionLinear, kDistributionGaussian}) {
            // Given upside down: the box is put right.
            const ParticleRegion region = ParticleRegion::Make(110, 10, 20, 60, shape);
            double left = 1e9, right = -1e9;
            for (int i = 0; i < 2000; ++i) {
                double x, y;
                region.RandomPoint(random, distribution, x, y);
                ASSERT_TRUE(region.Contains(x, y)) << shape << "/" << distribution << " at " << x << "," << y;
                left = std::min(left, x);
                right = std::max(right, x);
            }
            EXPECT_LT(left, 40) << shape << "/" << distribution << ": the points spread over the region";
            EXPECT_GT(right, 80) << shape << "/" << distribution;
        }
    }
    struct Case {
        int shape;
        double x, y;
        bool inside;
    };
    // The box 0..100 x 0..50.
    const Case cases[] = {
        {kRegionRectangle, 99, 1, true},   {kRegionRectangle, 101, 25, false}, {kRegionEllipse, 50, 25, true},
        {kRegionEllipse, 2, 2, false},     {kRegionEllipse, 1, 25, true},      {kRegionDiamond, 50, 2, true},
        {kRegionDiamond, 20, 10, false},   {kRegionLine, 50, 25.5, true},      {kRegionLine, 50, 30, false},
        {kRegionLine, 102, 51, false},     {7, 99, 1, true},  // an unknown shape is a rectangle
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParticleRegion::Make(0, 100, 0, 50, c.shape).Contains(c.x, c.y), c.inside)
            << c.shape << " " << c.x << "," << c.y;
    EXPECT_TRUE(ParticleRegion::Make(kNaN, kInf, 0, 1, kRegionRectangle).Contains(0, 0)) << "bad numbers become 0";
}

struct Model {
    Model() : random(5), model(random) {
        type = model.CreateType();
        system = model.System(model.CreateSystem(0));
    }
    ParticleType& Type() { return *model.Type(type); }
    std::vector<Particle>& Particles() { return system->particles; }
    void Steps(int n) {
        for (int i = 0; i < n; ++i) model.Step(*system);
    }

    RandomSource random;
    ParticleSystems model;
    int type;
    ParticleSystem* system;
};

TEST(ParticleSystems, BurstsAndCreationMakeAsManyAsAskedWithinTheBound) {
    Model m;
    ParticleEmitter emitter;
    emitter.region = ParticleRegion::Make(10, 30, 40, 50, kRegionEllipse);
    m.model.Burst(*m.system, emitter, m.type, 25);
    ASSERT_EQ(m.Particles().size(), 25u);
    for (const Particle& p : m.Particles()) EXPECT_TRUE(emitter.region.Contains(p.x, p.y));

    struct Case {
        double number;
        std::size_t made;
    };
    const Case cases[] = {{0, 0}, {2.9, 2}, {-1, 1}, {kNaN, 0}, {kInf, 0}, {-kInf, 0}, {1e12, ParticleSystems::kMaxParticles}};
    for (const Case& c : cases) {
        m.Particles().clear();
        m.model.Create(*m.system, 5, 6, m.type, c.number);
        EXPECT_EQ(m.Particles().size(), c.made) << c.number;
    }
    m.model.Create(*m.system, 5, 6, m.type, 10);
    EXPECT_EQ(m.Particles().size(), std::size_t{ParticleSystems::kMaxParticles}) << "a full system refuses new ones";

    // One in four on average.
    m.Particles().clear();
    for (int i = 0; i < 400; ++i) m.model.Create(*m.system, 0, 0, m.type, -4);
    EXPECT_GT(m.Particles().size(), 60u);
    EXPECT_LT(m.Particles().size(), 140u);

    m.Particles().clear();
    m.model.Create(*m.system, kNaN, 0, m.type, 3);
    m.model.Create(*m.system, 0, 0, m.type + 1, 3);
    EXPECT_TRUE(m.Particles().empty()) << "no place, no type: nothing";
}

TEST(ParticleSystems, LifeEndsParticlesAndMakesDeathParticles) {
    Model m;
    m.Type().lifeMin = m.Type().lifeMax = 3;
    const int spark = m.model.CreateType();
    m.model.Type(spark)->lifeMin = m.model.Type(spark)->lifeMax = 50;
    m.Type().deathType = spark;
    m.Type().deathNumber = 4;
    m.Type().stepType = spark;
    m.Type().stepNumber = 1;
    m.model.Create(*m.system, 7, 8, m.type, 2);
    m.Steps(2);
    // Two alive, and each made one spark per step.
    EXPECT_EQ(m.Particles().size(), 2u + 4u);
    m.Steps(1);
    ASSERT_EQ(m.Particles().size(), 4u + 8u);
    for (const Particle& p : m.Particles()) EXPECT_EQ(p.type, spark);
    EXPECT_EQ(m.Particles().back().x, 7);
    EXPECT_EQ(m.Particles().back().y, 8);
}

TEST(ParticleSystems, SpeedDirectionGravityAndSizeMoveParticles) {
    struct Case {
        const char* name;
        std::function<void(ParticleType&)> set;
        int steps;
        double x, y, size;
    };
    const Case cases[] = {
        {"still", [](ParticleType&) {}, 3, 0, 0, 1},
        {"right", [](ParticleType& t) { t.speedMin = t.speedMax = 2; }, 3, 6, 0, 1},
        {"up", [](ParticleType& t) { t.speedMin = t.speedMax = 2; t.directionMin = t.directionMax = 90; }, 2, 0, -4, 1},
        // Gravity adds to the speed before the move: 1 + 2 + 3.
        {"falling", [](ParticleType& t) { t.gravity = 1; }, 3, 0, 6, 1},
        {"speeding up", [](ParticleType& t) { t.speedMin = t.speedMax = 1; t.speedIncrease = 1; }, 2, 5, 0, 1},
        {"slowing down to a stop", [](ParticleType& t) { t.speedMin = t.speedMax = 3; t.speedIncrease = -2; }, 3, 1, 0, 1},
        {"turning", [](ParticleType& t) { t.speedMin = t.speedMax = 1; t.directionIncrease = 90; }, 2, -1, -1, 1},
        {"growing", [](ParticleType& t) { t.sizeIncrease = 0.5; }, 4, 0, 0, 3},
        {"shrinking to nothing", [](ParticleType& t) { t.sizeIncrease = -0.5; }, 4, 0, 0, 0},
    };
    for (const Case& c : cases) {
        Model m;
        c.set(m.Type());
        m.model.Create(*m.system, 0, 0, m.type, 1);
        m.Steps(c.steps);
        ASSERT_EQ(m.Particles().size(), 1u) << c.name;
        const Particle& p = m.Particles()[0];
        EXPECT_NEAR(p.x, c.x, 1e-9) << c.name;
        EXPECT_NEAR(p.y, c.y, 1e-9) << c.name;
        EXPECT_NEAR(p.size, c.size, 1e-9) << c.name;
    }
}

TEST(ParticleSystems, AttractorsDestroyersDeflectorsAndChangersAct) {
    struct Case {
        const char* name;
        // Sets up the system; the particle starts at (50, 50), moving right by 2.
        std::function<void(ParticleSystem&, int other)> set;
        std::size_t count;
        double x, y, direction;
        bool changed;  // its type is the other one
    };
    const Case cases[] = {
        {"attractor pulls", [](ParticleSystem& s, int) {
             s.attractors.Add({40, 50, 3, 100, kForceConstant, false});
         }, 1, 49, 50, 0, false},
        {"attractor out of reach", [](ParticleSystem& s, int) {
             s.attractors.Add({40, 50, 3, 5, kForceConstant, false});
         }, 1, 52, 50, 0, false},
        // Added to the motion after the move: right 2 and left 4 make left 2.
        {"additive attractor turns it", [](ParticleSystem& s, int) {
             s.attractors.Add({0, 50, 4, 100, kForceConstant, true});
         }, 1, 52, 50, 180, false},
        {"linear force weakens", [](ParticleSystem& s, int) {
             s.attractors.Add({152, 50, 10, 200, kForceLinear, false});
         }, 1, 57, 50, 0, false},
        {"destroyer", [](ParticleSystem& s, int) {
             s.destroyers.Add({ParticleRegion::Make(51, 60, 40, 60, kRegionRectangle)});
         }, 0, 0, 0, 0, false},
        {"destroyer elsewhere", [](ParticleSystem& s, int) {
             s.destroyers.Add({ParticleRegion::Make(0, 10, 0, 10, kRegionEllipse)});
         }, 1, 52, 50, 0, false},
        {"horizontal deflector turns it back", [](ParticleSystem& s, int) {
             s.deflectors.Add({ParticleRegion::Make(51, 60, 0, 100, kRegionRectangle), kDeflectHorizontal, 0.5});
         }, 1, 50, 50, 180, false},
        {"vertical deflector leaves sideways motion", [](ParticleSystem& s, int) {
             s.deflectors.Add({ParticleRegion::Make(51, 60, 0, 100, kRegionRectangle), kDeflectVertical, 0});
         }, 1, 52, 50, 0, false},
        {"changer of all", [](ParticleSystem& s, int other) {
             s.changers.Add({ParticleRegion::Make(51, 60, 40, 60, kRegionRectangle), 0, other, kChangeAll});
         }, 1, 52, 50, 90, true},
        {"changer of other types", [](ParticleSystem& s, int other) {
             s.changers.Add({ParticleRegion::Make(51, 60, 40, 60, kRegionRectangle), other, 0, kChangeAll});
         }, 1, 52, 50, 0, false},
    };
    for (const Case& c : cases) {
        Model m;
        m.Type().speedMin = m.Type().speedMax = 2;
        const int other = m.model.CreateType();
        m.model.Type(other)->directionMin = m.model.Type(other)->directionMax = 90;
        c.set(*m.system, other);
        m.model.Create(*m.system, 50, 50, m.type, 1);
        m.Steps(1);
        ASSERT_EQ(m.Particles().size(), c.count) << c.name;
        if (c.count == 0) continue;
        const Particle& p = m.Particles()[0];
        EXPECT_NEAR(p.x, c.x, 1e-9) << c.name;
        EXPECT_NEAR(p.y, c.y, 1e-9) << c.name;
        EXPECT_NEAR(p.direction, c.direction, 1e-9) << c.name;
        EXPECT_EQ(p.type == other, c.changed) << c.name;
    }

    // A deflector's friction takes off speed at the bounce.
    Model m;
    m.Type().speedMin = m.Type().speedMax = 2;
    m.system->deflectors.Add({ParticleRegion::Make(51, 60, 0, 100, kRegionRectangle), kDeflectHorizontal, 0.5});
    m.model.Create(*m.system, 50, 50, m.type, 1);
    m.Steps(1);
    EXPECT_DOUBLE_EQ(m.Particles()[0].speed, 1.5);
}

TEST(ParticleSystems, ChangersOfShapeOrMotionChangeOnlyThatPart) {
    for (int kind : {kChangeShape, kChangeMotion}) {
        Model m;
        m.Type().speedMin = m.Type().speedMax = 2;
        const int other = m.model.CreateType();
        m.model.Type(other)->colors = {5, 5, 5};
        m.model.Type(other)->directionMin = m.model.Type(other)->directionMax = 90;
        m.system->changers.Add({ParticleRegion::Make(0, 100, 0, 100, kRegionRectangle), m.type, other, kind});
        m.model.Create(*m.system, 50, 50, m.type, 1);
        m.Steps(2);
        const Particle& p = m.Particles()[0];
        EXPECT_EQ(p.type, m.type) << kind;
        EXPECT_EQ(p.look == other, kind == kChangeShape) << kind;
        EXPECT_EQ(p.motion == other, kind == kChangeMotion) << kind;
        EXPECT_EQ(m.model.ColorOf(p) == 5, kind == kChangeShape) << kind;
    }
}

TEST(ParticleSystems, ColourAndAlphaFollowTheLife) {
    Model m;
    m.Type().lifeMin = m.Type().lifeMax = 10;
    m.Type().colors = {0x000000, 0x0000c8, 0x00c800};  // black, red 200, green 200
    m.Type().alphas = {1, 0.5, 0};
    m.model.Create(*m.system, 0, 0, m.type, 1);
    struct Case {
        int age;
        std::uint32_t color;
        double alpha;
    };
    const Case cases[] = {{0, 0x000000, 1}, {5, 0x0000c8, 0.5}, {10, 0x00c800, 0}, {8, 0x007850, 0.2}};
    for (const Case& c : cases) {
        m.Particles()[0].age = c.age;
        EXPECT_EQ(m.model.ColorOf(m.Particles()[0]), c.color) << c.age;
        EXPECT_NEAR(m.model.AlphaOf(m.Particles()[0]), c.alpha, 1e-9) << c.age;
    }
}

TEST(ParticleSystems, HandlesAreReusedAndBoundedAndTypesTakeTheirParticles) {
    RandomSource random(1);
    ParticleSystems model(random);
    for (int i = 0; i < ParticleSystems::kMaxSystems; ++i) EXPECT_EQ(model.CreateSystem(0), i);
    EXPECT_EQ(model.CreateSystem(0), -1);
    EXPECT_TRUE(model.DestroySystem(3));
    EXPECT_FALSE(model.DestroySystem(3));
    EXPECT_EQ(model.CreateSystem(0), 3) << "the lowest free handle";
    for (double bad : {-1.0, 0.5, kNaN, kInf, 1e300}) EXPECT_EQ(model.System(bad), nullptr) << bad;

    const int a = model.CreateType(), b = model.CreateType();
    ParticleSystem& system = *model.System(0);
    model.Create(system, 0, 0, a, 3);
    model.Create(system, 0, 0, b, 2);
    EXPECT_TRUE(model.DestroyType(a));
    EXPECT_EQ(system.particles.size(), 2u);
    EXPECT_EQ(model.CreateType(), a);
    EXPECT_EQ(system.particles.size(), 2u) << "a new type under an old handle finds none of the old particles";

    ParticleSystem items;
    for (int i = 0; i < ParticleSystem::kMaxItems; ++i) EXPECT_EQ(items.emitters.Add({}), i);
    EXPECT_EQ(items.emitters.Add({}), -1);
}

TEST(ParticleSystems, RunawayNumbersStayFiniteAndFarParticlesGo) {
    Model m;
    m.Type().speedIncrease = 1e9;
    m.Type().sizeIncrease = 1e300;
    m.Type().lifeMin = m.Type().lifeMax = 10000000;
    m.model.Create(*m.system, 0, 0, m.type, 1);
    m.Steps(3);
    ASSERT_EQ(m.Particles().size(), 1u);
    EXPECT_TRUE(std::isfinite(m.Particles()[0].speed));
    EXPECT_TRUE(std::isfinite(m.Particles()[0].size));
    m.Steps(2000);
    EXPECT_TRUE(m.Particles().empty()) << "a particle flying off for ever is gone";
}

TEST(ParticleSystems, TheSameSeedGivesTheSameParticles) {
    auto run = [](std::uint64_t seed) {
        RandomSource random(seed);
        ParticleSystems model(random);
        const int type = model.CreateType();
        ParticleType& t = *model.Type(type);
        t.speedMin = 1;
        t.speedMax = 4;
        t.directionMax = 360;
        t.speedWiggle = 0.5;
        ParticleSystem& system = *model.System(model.CreateSystem(0));
        ParticleEmitter emitter;
        emitter.region = ParticleRegion::Make(0, 100, 0, 100, kRegionDiamond);
        model.Burst(system, emitter, type, 20);
        for (int i = 0; i < 10; ++i) model.Step(system);
        std::vector<double> places;
        for (const Particle& p : system.particles) places.push_back(p.x + p.y * 1000);
        return places;
    };
    EXPECT_EQ(run(9), run(9));
    EXPECT_NE(run(9), run(10));
}

}  // namespace
}  // namespace kestrin::engine
