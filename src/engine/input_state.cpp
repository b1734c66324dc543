// Key and button bookkeeping between steps.

#include "engine/input_state.h"

#include <algorithm>

namespace kestrin::engine {

void InputState::MapKey(int from, int to) {
    if (Valid(from) && Valid(to)) mMap[from] = to;
}

void InputState::ClearKeyMap() { mMap = IdentityMap(); }

void InputState::KeyDown(int key) {
    if (!Valid(key)) return;
    key = mMap[key];
    if (!mHeld[key]) mWentDown[key] = true;
    mHeld[key] = true;
    mLastKey = key;
}

void InputState::KeyUp(int key) {
    if (!Valid(key)) return;
    key = mMap[key];
    if (mHeld[key]) mWentUp[key] = true;
    mHeld[key] = false;
}

void InputState::ButtonDown(int button) {
    if (!ValidButton(button)) return;
    if (!mButtonHeld[button]) mButtonWentDown[button] = true;
    mButtonHeld[button] = true;
}

void InputState::ButtonUp(int button) {
    if (!ValidButton(button)) return;
    if (mButtonHeld[button]) mButtonWentUp[button] = true;
    mButtonHeld[button] = false;
}

void InputState::BeginStep() {
    mPressed = mWentDown;
    mReleased = mWentUp;
    mWentDown.fill(false);
    mWentUp.fill(false);
    mButtonPressed = mButtonWentDown;
    mButtonReleased = mButtonWentUp;
    mButtonWentDown.fill(false);
    mButtonWentUp.fill(false);
}

bool InputState::AnyHeld() const { return std::find(mHeld.begin() + 2, mHeld.end(), true) != mHeld.end(); }
bool InputState::AnyPressed() const { return std::find(mPressed.begin() + 2, mPressed.end(), true) != mPressed.end(); }
bool InputState::AnyReleased() const {
    return std::find(mReleased.begin() + 2, mReleased.end(), true) != mReleased.end();
}

int InputState::CurrentKey() const { return Held(mLastKey) ? mLastKey : 0; }

void InputState::ClearKey(int key) {
    if (!Valid(key)) return;
    mHeld[key] = mPressed[key] = mReleased[key] = mWentDown[key] = mWentUp[key] = false;
}

void InputState::ClearAll() {
    for (int k = 0; k < kKeyCount; ++k) ClearKey(k);
    mButtonHeld = mButtonPressed = mButtonReleased = mButtonWentDown = mButtonWentUp = {};
}

void InputState::LetGoOfAll() {
    for (int k = 0; k < kKeyCount; ++k)
        if (mHeld[k]) {
            mHeld[k] = false;
            mWentUp[k] = true;
        }
    for (int b = 1; b <= 3; ++b) ButtonUp(b);
}

int InputState::CurrentButton() const {
    for (int b = 1; b <= 3; ++b)
        if (mButtonHeld[b]) return b;
    return 0;
}

}  // namespace kestrin::engine
