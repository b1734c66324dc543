// PROVISIONAL until the interpreter arrives: flow only.
#include "engine/script_side.h"

#include "engine/action_flow.h"
#include "engine/world.h"
#include "resources/event.h"

namespace kestrin::engine {

class ScriptSide::Impl {
public:
    Impl(World& world) : mWorld(world) {}
    World& mWorld;
};

namespace {
class NullPerformer : public ActionPerformer {
public:
    explicit NullPerformer(World& world) : mWorld(world) {}
    bool Perform(const CAction&, int) override { return false; }
    double RepeatCount(const CAction&, int) override { return 0; }
    bool Stopped() const override { return mWorld.Ended(); }
    World& mWorld;
};
}  // namespace

ScriptSide::ScriptSide(World& world, std::vector<std::string>) : mImpl(std::make_unique<Impl>(world)) {}
ScriptSide::~ScriptSide() = default;
void ScriptSide::Prepare() {}
void ScriptSide::RunActions(const CEvent& list, EventContext&) {
    NullPerformer performer(mImpl->mWorld);
    RunActionList(list, performer);
}
void ScriptSide::RunCode(const std::string&, Instance*, const std::string&) {}

}  // namespace kestrin::engine
