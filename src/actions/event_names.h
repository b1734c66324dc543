#pragma once
// Event numbering (a type 0..10 and a sub-number) and the fixed English texts
// under which events and keys are shown in the object editor and the object
// information report.

#include <functional>
#include <string>

namespace kestrin {

// Event types.
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

// The name of the object with an index, for collision events; the object list
// gives "<undefined>" for an index that names no object. Without a lookup
// every index reads "<undefined>".
using ObjectNameLookup = std::function<std::string(int index)>;

std::string KeyName(int keyCode);
std::string MouseEventName(int number);
std::string OtherEventName(int number);
std::string StepPrefix(int subNumber);

// The long caption (event list hint, report heading) and the short name
// (event list line).
std::string EventCaption(int type, int subNumber, const ObjectNameLookup& objectName = {});
std::string EventShortName(int type, int subNumber, const ObjectNameLookup& objectName = {});

}  // namespace kestrin
