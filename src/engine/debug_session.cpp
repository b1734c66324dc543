// Watches, speed, messages and pausing for the debug window.

#include "engine/debug_session.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "engine/script/builtin_functions.h"
#include "engine/script_side.h"
#include "engine/world.h"

namespace kestrin::engine {

namespace {

// The speed is measured over this many seconds.
constexpr double kSpeedSpan = 1.0;

bool Blank(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isspace(c); });
}

std::string ValueText(const Value& value) {
    return value.IsString() ? '"' + value.Text() + '"' : RealToText(value.Real());
}

}  // namespace

bool DebugSession::AddWatch(const std::string& expression) {
    if (Blank(expression)) return false;
    mWatches.push_back({expression, {}});
    Refresh();
    return true;
}

void DebugSession::RemoveWatch(std::size_t row) {
    if (row < mWatches.size()) mWatches.erase(mWatches.begin() + static_cast<std::ptrdiff_t>(row));
}

void DebugSession::Refresh() {
    for (Watch& watch : mWatches) {
        Value value;
        std::string error;
        watch.value = mWorld.Script().Evaluate(watch.expression, nullptr, value, error) ? ValueText(value)
                                                                                        : "error: " + error;
    }
}

bool DebugSession::Execute(const std::string& code, std::string& error) {
    if (Blank(code)) return true;
    return mWorld.Script().Execute(code, error);
}

void DebugSession::Sample(double seconds) {
    mSamples.emplace_back(seconds, mWorld.StepCount());
    // One sample at least a span old stays, so the speed covers the span.
    while (mSamples.size() > 2 && mSamples[1].first <= seconds - kSpeedSpan) mSamples.pop_front();
}

double DebugSession::Speed() const {
    if (mSamples.size() < 2 || mSamples.back().first <= mSamples.front().first) return mWorld.Room().speed;
    return static_cast<double>(mSamples.back().second - mSamples.front().second) /
           (mSamples.back().first - mSamples.front().first);
}

std::string DebugSession::Status() const {
    const auto live = std::count_if(mWorld.Instances().begin(), mWorld.Instances().end(),
                                    [](const auto& instance) { return instance->alive; });
    return "Room: " + mWorld.Room().name + "   Instances: " + std::to_string(live) +
           "   Speed: " + std::to_string(std::lround(Speed())) + " of " + std::to_string(mWorld.Room().speed) +
           "   Step: " + std::to_string(mWorld.StepCount());
}

void DebugSession::AddMessage(std::string text) {
    mMessages.push_back(std::move(text));
    ++mMessageCount;
    if (mMessages.size() > kKeptMessages) mMessages.pop_front();
}

std::vector<std::string> DebugSession::MessagesFrom(std::int64_t first) const {
    const std::int64_t oldestKept = mMessageCount - static_cast<std::int64_t>(mMessages.size());
    const std::int64_t from = std::max(first, oldestKept);
    if (from >= mMessageCount) return {};
    return {mMessages.begin() + (from - oldestKept), mMessages.end()};
}

bool DebugSession::TakeStep() {
    const bool step = !mPaused || mStepAskedFor;
    mStepAskedFor = false;
    return step;
}

}  // namespace kestrin::engine
