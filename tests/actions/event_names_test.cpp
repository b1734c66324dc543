// Event captions, short names and the key, mouse and other-event tables.

#include <gtest/gtest.h>

#include "actions/event_names.h"
#include "resources/object.h"

namespace kestrin {
namespace {

std::string Names(int index) { return index == 4 ? "ball" : "<undefined>"; }

TEST(EventNames, CaptionsAndShortNames) {
    struct Case {
        int type;
        int sub;
        const char* caption;
        const char* shortName;
    } cases[] = {
        {0, 0, "Create Event", "Create"},
        {1, 0, "Destroy Event", "Destroy"},
        {2, 5, "Alarm Event for alarm 5", "Alarm 5"},
        {3, 0, " Step Event", " Step"},
        {3, 1, "Begin Step Event", "Begin Step"},
        {3, 2, "End Step Event", "End Step"},
        {3, 7, "<unknown> Step Event", "<unknown> Step"},
        {4, 4, "Collision Event with object ball", "ball"},
        {4, 9, "Collision Event with object <undefined>", "<undefined>"},
        {5, 37, "Keyboard Event for <Left> Key", "<Left>"},
        {5, 65, "Keyboard Event for A-key Key", "A-key"},
        {6, 28, "Mouse Event for Joystick 1 Button 8", "Joystick 1 Button 8"},
        {7, 17, "Other Event: User Defined 7", "User Defined 7"},
        {7, 18, "Other Event: <unknown>", "<unknown>"},
        {8, 0, "Draw Event", "Draw"},
        {9, 65, "Key Press Event for A-key Key", "press A-key"},
        {10, 112, "Key Release Event for F1 Key", "release F1"},
        {11, 0, "<Unknown Event>", "<Unknown Event>"},
        {-1, 0, "<Unknown Event>", "<Unknown Event>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + "," + std::to_string(c.sub));
        EXPECT_EQ(EventCaption(c.type, c.sub, Names), c.caption);
        EXPECT_EQ(EventShortName(c.type, c.sub, Names), c.shortName);
    }
    // Without a lookup an object has no name.
    EXPECT_EQ(EventShortName(4, 4), "<undefined>");
}

TEST(EventNames, KeyTable) {
    struct Case {
        int code;
        const char* name;
    } cases[] = {
        {0, "<no key>"},  {1, "<any key>"}, {8, "<Backspace>"}, {13, "<Enter>"},   {27, "<Escape>"},
        {32, "<Space>"},  {33, "<Page Up>"}, {40, "<Down>"},    {46, "<Delete>"},  {48, "0-key"},
        {57, "9-key"},    {90, "Z-key"},    {96, "Keypad 0"},  {100, "Keypad 4"}, {106, "Keypad *"},
        {109, "Keypad -"}, {111, "Keypad /"}, {112, "F1"},     {123, "F12"},      {108, "<unknown>"},
        {124, "<unknown>"}, {2, "<unknown>"}, {58, "<unknown>"}, {97 + 32, "<unknown>"}, {-5, "<unknown>"},
    };
    for (const Case& c : cases) EXPECT_EQ(KeyName(c.code), c.name) << c.code;
}

TEST(EventNames, MouseOtherAndStepTables) {
    struct Case {
        int number;
        const char* name;
    } mouse[] = {
        {0, "Left Button"}, {3, "No Button"}, {13, "Global Released"}, {14, "<unknown>"},
        {16, "Joystick 1 Left"}, {19, "Joystick 1 Down"}, {20, "<unknown>"}, {21, "Joystick 1 Button 1"},
        {29, "<unknown>"}, {30, "<unknown>"}, {31, "Joystick 2 Left"}, {34, "Joystick 2 Down"},
        {35, "<unknown>"}, {36, "Joystick 2 Button 1"}, {43, "Joystick 2 Button 8"}, {44, "<unknown>"},
        {-1, "<unknown>"},
    };
    for (const Case& c : mouse) EXPECT_EQ(MouseEventName(c.number), c.name) << c.number;
    Case other[] = {{0, "Outside Room"}, {9, "No More Health"}, {10, "User Defined 0"}, {18, "<unknown>"},
                    {-1, "<unknown>"}};
    for (const Case& c : other) EXPECT_EQ(OtherEventName(c.number), c.name) << c.number;
    EXPECT_EQ(StepPrefix(0), "");
    EXPECT_EQ(StepPrefix(2), "End");
    EXPECT_EQ(StepPrefix(3), "<unknown>");
}

// The names and the object's event table count the same types.
TEST(EventNames, EveryTypeOfTheObjectTableHasAName) {
    CObject object;
    for (int type = 0; type < kEventTypeCount; ++type) {
        EXPECT_NE(object.GetEvent(type, 0), nullptr) << type;
        EXPECT_NE(EventCaption(type, 0), EventCaption(kEventTypeCount, 0)) << type;
    }
    EXPECT_EQ(object.GetEvent(kEventTypeCount, 0), nullptr);
}

}  // namespace
}  // namespace kestrin
