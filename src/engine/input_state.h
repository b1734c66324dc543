#pragma once
// The keyboard and mouse as the game sees them during a step: which keys and
// buttons are held, and which went down or up since the previous step. The
// shell (window or input script) reports changes at any time; the engine
// takes them in at the start of each step.

#include <array>
#include <cstdint>

namespace kestrin::engine {

inline constexpr int kKeyCount = 256;
inline constexpr int kMouseLeft = 1, kMouseRight = 2, kMouseMiddle = 3;

class InputState {
public:
    void KeyDown(int key);
    void KeyUp(int key);
    void ButtonDown(int button);
    void ButtonUp(int button);
    void MoveMouse(int x, int y) {
        mMouseX = x;
        mMouseY = y;
    }

    // Begins a step: what went down or up since the last step becomes this
    // step's presses and releases.
    void BeginStep();

    // Presses and releases of one key count as the other's from now on.
    void MapKey(int from, int to);
    int MappedKey(int key) const { return Valid(key) ? mMap[key] : key; }
    void ClearKeyMap();

    bool Held(int key) const { return Valid(key) && mHeld[key]; }
    bool Pressed(int key) const { return Valid(key) && mPressed[key]; }
    bool Released(int key) const { return Valid(key) && mReleased[key]; }
    bool AnyHeld() const;
    bool AnyPressed() const;
    bool AnyReleased() const;
    // The key last pressed, for keyboard_key / keyboard_lastkey.
    int LastKey() const { return mLastKey; }
    int CurrentKey() const;
    void ClearKey(int key);
    void ClearAll();
    // Every key and button held goes up, as releases the game sees in its
    // next step: the window lost the keyboard and the mouse, and the
    // player's own releases will not reach it.
    void LetGoOfAll();

    bool ButtonHeld(int b) const { return ValidButton(b) && mButtonHeld[b]; }
    bool ButtonPressed(int b) const { return ValidButton(b) && mButtonPressed[b]; }
    bool ButtonReleased(int b) const { return ValidButton(b) && mButtonReleased[b]; }
    int MouseX() const { return mMouseX; }
    int MouseY() const { return mMouseY; }
    // The button last pressed that is still held, or 0.
    int CurrentButton() const;

private:
    static bool Valid(int key) { return key >= 0 && key < kKeyCount; }
    static bool ValidButton(int b) { return b >= 1 && b <= 3; }
    static constexpr std::array<int, kKeyCount> IdentityMap() {
        std::array<int, kKeyCount> map{};
        for (int key = 0; key < kKeyCount; ++key) map[key] = key;
        return map;
    }

    std::array<bool, kKeyCount> mHeld{}, mPressed{}, mReleased{};
    std::array<bool, kKeyCount> mWentDown{}, mWentUp{};
    std::array<bool, 4> mButtonHeld{}, mButtonPressed{}, mButtonReleased{};
    std::array<bool, 4> mButtonWentDown{}, mButtonWentUp{};
    std::array<int, kKeyCount> mMap = IdentityMap();
    int mLastKey = 0;
    int mMouseX = 0, mMouseY = 0;
};

}  // namespace kestrin::engine
