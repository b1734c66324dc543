// The texts of events, keys, mouse and other events.

#include "actions/event_names.h"

#include <initializer_list>
#include <string_view>

namespace kestrin {

namespace {

constexpr const char* kUnknown = "<unknown>";
constexpr const char* kUnknownEvent = "<Unknown Event>";

// Joins texts by appending (an operator+ chain starting from a literal trips
// a false -Wrestrict warning of GCC 12 in optimised builds).
std::string Concat(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts) text += part;
    return text;
}

std::string ObjectName(int index, const ObjectNameLookup& objectName) {
    return objectName ? objectName(index) : std::string("<undefined>");
}

}  // namespace

std::string KeyName(int keyCode) {
    switch (keyCode) {
        case 0: return "<no key>";
        case 1: return "<any key>";
        case 8: return "<Backspace>";
        case 9: return "<Tab>";
        case 13: return "<Enter>";
        case 16: return "<Shift>";
        case 17: return "<Ctrl>";
        case 18: return "<Alt>";
        case 27: return "<Escape>";
        case 32: return "<Space>";
        case 33: return "<Page Up>";
        case 34: return "<Page Down>";
        case 35: return "<End>";
        case 36: return "<Home>";
        case 37: return "<Left>";
        case 38: return "<Up>";
        case 39: return "<Right>";
        case 40: return "<Down>";
        case 45: return "<Insert>";
        case 46: return "<Delete>";
        case 106: return "Keypad *";
        case 107: return "Keypad +";
        case 109: return "Keypad -";
        case 110: return "Keypad .";
        case 111: return "Keypad /";
        default: break;
    }
    if ((keyCode >= '0' && keyCode <= '9') || (keyCode >= 'A' && keyCode <= 'Z'))
        return Concat({std::string(1, static_cast<char>(keyCode)), "-key"});
    if (keyCode >= 96 && keyCode <= 105) return Concat({"Keypad ", std::to_string(keyCode - 96)});
    if (keyCode >= 112 && keyCode <= 123) return Concat({"F", std::to_string(keyCode - 111)});
    return kUnknown;
}

std::string MouseEventName(int number) {
    static const char* const kNames[] = {
        "Left Button",   "Right Button",   "Middle Button",   "No Button",   "Left Pressed",
        "Right Pressed", "Middle Pressed", "Left Released",   "Right Released", "Middle Released",
        "Mouse Enter",   "Mouse Leave",    "Global Pressed",  "Global Released"};
    static const char* const kDirections[] = {"Left", "Right", "Up", "Down"};
    if (number >= 0 && number <= 13) return kNames[number];
    for (int stick = 1; stick <= 2; ++stick) {
        const int base = stick == 1 ? 16 : 31;  // first direction of the stick
        const std::string prefix = Concat({"Joystick ", std::to_string(stick), " "});
        if (number >= base && number < base + 4) return Concat({prefix, kDirections[number - base]});
        if (number >= base + 5 && number <= base + 12) return Concat({prefix, "Button ", std::to_string(number - base - 4)});
    }
    return kUnknown;
}

std::string OtherEventName(int number) {
    static const char* const kNames[] = {"Outside Room", "Intersect Boundary", "Game Start", "Game End",
                                         "Room Start",   "Room End",           "No More Lives", "Animation End",
                                         "End Of Path",  "No More Health"};
    if (number >= 0 && number <= 9) return kNames[number];
    if (number >= 10 && number <= 17) return Concat({"User Defined ", std::to_string(number - 10)});
    return kUnknown;
}

std::string StepPrefix(int subNumber) {
    switch (subNumber) {
        case 0: return "";
        case 1: return "Begin";
        case 2: return "End";
        default: return kUnknown;
    }
}

std::string EventCaption(int type, int subNumber, const ObjectNameLookup& objectName) {
    switch (type) {
        case kEventCreate: return "Create Event";
        case kEventDestroy: return "Destroy Event";
        case kEventAlarm: return Concat({"Alarm Event for alarm ", std::to_string(subNumber)});
        case kEventStep: return Concat({StepPrefix(subNumber), " Step Event"});
        case kEventCollision: return Concat({"Collision Event with object ", ObjectName(subNumber, objectName)});
        case kEventKeyboard: return Concat({"Keyboard Event for ", KeyName(subNumber), " Key"});
        case kEventMouse: return Concat({"Mouse Event for ", MouseEventName(subNumber)});
        case kEventOther: return Concat({"Other Event: ", OtherEventName(subNumber)});
        case kEventDraw: return "Draw Event";
        case kEventKeyPress: return Concat({"Key Press Event for ", KeyName(subNumber), " Key"});
        case kEventKeyRelease: return Concat({"Key Release Event for ", KeyName(subNumber), " Key"});
        default: return kUnknownEvent;
    }
}

std::string EventShortName(int type, int subNumber, const ObjectNameLookup& objectName) {
    switch (type) {
        case kEventCreate: return "Create";
        case kEventDestroy: return "Destroy";
        case kEventAlarm: return Concat({"Alarm ", std::to_string(subNumber)});
        case kEventStep: return Concat({StepPrefix(subNumber), " Step"});
        case kEventCollision: return ObjectName(subNumber, objectName);
        case kEventKeyboard: return KeyName(subNumber);
        case kEventMouse: return MouseEventName(subNumber);
        case kEventOther: return OtherEventName(subNumber);
        case kEventDraw: return "Draw";
        case kEventKeyPress: return Concat({"press ", KeyName(subNumber)});
        case kEventKeyRelease: return Concat({"release ", KeyName(subNumber)});
        default: return kUnknownEvent;
    }
}

}  // namespace kestrin
