#pragma once
// The event types an object's event table is indexed by; each event is a
// type and a sub-number within it.

namespace kestrin {

inline constexpr int kEventCreate = 0;
inline constexpr int kEventDestroy = 1;
inline constexpr int kEventAlarm = 2;
inline constexpr int kEventStep = 3;
inline constexpr int kEventCollision = 4;
inline constexpr int kEventKeyboard = 5;
inline constexpr int kEventMouse = 6;
inline constexpr int kEventOther = 7;
inline constexpr int kEventDraw = 8;
inline constexpr int kEventKeyPress = 9;
inline constexpr int kEventKeyRelease = 10;
inline constexpr int kEventTypeCount = 11;

}  // namespace kestrin
