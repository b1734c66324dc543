// Library and definition records: defaults, the 519/520 difference, partial
// argument records, refused versions and corrupt counts.

#include <gtest/gtest.h>

#include "actions/action_definition.h"
#include "library_fixture.h"
#include "stream/stream.h"

namespace kestrin {
namespace {

// Writes a definition record by hand so the test does not lean on the writer.
std::string DefinitionRecord(std::int32_t version, std::int32_t argRecords, bool extraFlag = true) {
    CStream s;
    s.WriteInteger(version);
    s.WriteString("Name");
    s.WriteInteger(42);
    s.WriteInteger(0);  // no picture
    s.WriteBoolean(true);   // Hidden
    s.WriteBoolean(false);  // Advanced
    if (version == 520) s.WriteBoolean(extraFlag);
    s.WriteString("Desc");
    s.WriteString("list @0");
    s.WriteString("hint @0");
    s.WriteInteger(3);  // Kind
    s.WriteInteger(5);  // InterfaceKind
    s.WriteBoolean(true);
    s.WriteBoolean(false);
    s.WriteBoolean(false);
    s.WriteInteger(2);  // ArgCount
    s.WriteInteger(argRecords);
    for (int i = 0; i < argRecords; ++i) {
        s.WriteString("Cap" + std::to_string(i));
        s.WriteInteger(10 + i);
        s.WriteString("def" + std::to_string(i));
        s.WriteString("a|b" + std::to_string(i));
    }
    s.WriteInteger(7);
    s.WriteString("exec1");
    s.WriteString("exec2");
    s.WriteInteger(0x7EADBEEF);  // a marker after the record
    return std::string(s.View());
}

TEST(ActionDefinition, DefaultsOfANewDefinition) {
    CActionDefinition d(7);
    EXPECT_EQ(d.Name, "Action 7");
    EXPECT_EQ(d.Id, 7);
    EXPECT_TRUE(d.CanApplyTo);
    EXPECT_TRUE(d.CanBeRelative);
    EXPECT_FALSE(d.IsQuestion);
    EXPECT_EQ(d.ArgCount, 0);
    for (int i = 0; i < kActionArgumentSlots; ++i) {
        EXPECT_EQ(d.ArgCaption[i], "Argument " + std::to_string(i + 1) + ":");
        EXPECT_EQ(d.ArgKind[i], 0);
        EXPECT_EQ(d.ArgDefault[i], "0");
        EXPECT_EQ(d.ArgMenu[i], "item 1|item 2");
    }
    EXPECT_EQ(d.IconIndex, -1);
}

TEST(ActionDefinition, ReadsBothRecordVersionsAndKeepsDefaultSlots) {
    struct Case {
        std::int32_t version;
        bool extraFlag;
    } cases[] = {{519, false}, {520, true}, {520, false}, {500, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        CStream s(DefinitionRecord(c.version, 3, c.extraFlag));
        CActionDefinition d;
        ASSERT_TRUE(d.LoadFromStream(s));
        EXPECT_EQ(d.ExtraFlag, c.extraFlag);
        EXPECT_EQ(d.Name, "Name");
        EXPECT_EQ(d.Id, 42);
        EXPECT_TRUE(d.Hidden);
        EXPECT_EQ(d.Description, "Desc");
        EXPECT_EQ(d.Kind, 3);
        EXPECT_EQ(d.InterfaceKind, 5);
        EXPECT_TRUE(d.IsQuestion);
        EXPECT_FALSE(d.CanApplyTo);
        EXPECT_EQ(d.ArgCount, 2);
        EXPECT_EQ(d.ArgCaption[2], "Cap2");
        EXPECT_EQ(d.ArgKind[2], 12);
        EXPECT_EQ(d.ArgMenu[0], "a|b0");
        // Slots the file does not fill keep their defaults.
        for (int i = 3; i < kActionArgumentSlots; ++i) {
            EXPECT_EQ(d.ArgCaption[i], "Argument " + std::to_string(i + 1) + ":");
            EXPECT_EQ(d.ArgKind[i], 0);
            EXPECT_EQ(d.ArgDefault[i], "0");
            EXPECT_EQ(d.ArgMenu[i], "item 1|item 2");
        }
        EXPECT_EQ(d.ExecKind, 7);
        EXPECT_EQ(d.ExecText2, "exec2");
        // The whole record and nothing more was read.
        EXPECT_EQ(s.ReadInteger(), 0x7EADBEEF);
    }
}

TEST(ActionDefinition, RefusesBadVersionsAndMoreThanEightArguments) {
    for (std::int32_t version : {499, 521, 0, -1}) {
        CStream s(DefinitionRecord(version, 1));
        CActionDefinition d;
        EXPECT_FALSE(d.LoadFromStream(s)) << version;
    }
    CStream s(DefinitionRecord(520, 9));
    CActionDefinition d;
    EXPECT_FALSE(d.LoadFromStream(s));
    EXPECT_EQ(d.ArgCaption[0], "Argument 1:");  // reset, nothing half-read kept
}

TEST(ActionDefinition, EveryTruncationThrowsInsteadOfReadingPastTheEnd) {
    const std::string full = DefinitionRecord(520, 8);
    for (std::size_t cut = 0; cut + 4 < full.size(); ++cut) {
        CStream s(full.substr(0, cut));
        CActionDefinition d;
        EXPECT_THROW(d.LoadFromStream(s), StreamReadError) << cut;
    }
}

TEST(ActionLibrary, RoundTripsThroughTheWriterAtBothDefinitionVersions) {
    CActionLibrary library = test::MakeLibrary("tab", 33, 3);
    library.ExtraText1 = "a";
    library.ExtraNumber1 = 5;
    library.ExtraDate = 40000.25;
    library.ExtraText2 = "b";
    library.LibraryCode = "#define f\r\nreturn 1;";
    library.Advanced = true;
    library.ExtraNumber2 = -4;
    library.DefinitionAt(1)->ExtraFlag = true;
    for (std::int32_t version : {519, 520}) {
        CStream s(test::LibraryBytes(library, version));
        CActionLibrary read;
        ASSERT_TRUE(read.LoadFromStream(s));
        EXPECT_EQ(read.Caption, "tab");
        EXPECT_EQ(read.Id, 33);
        EXPECT_EQ(read.ExtraNumber1, 5);
        EXPECT_DOUBLE_EQ(read.ExtraDate, 40000.25);
        EXPECT_EQ(read.LibraryCode, library.LibraryCode);
        EXPECT_TRUE(read.Advanced);
        EXPECT_EQ(read.ExtraNumber2, -4);
        ASSERT_EQ(read.DefinitionCount(), 3);
        EXPECT_EQ(read.DefinitionAt(1)->ExtraFlag, version == 520);
        EXPECT_EQ(read.DefinitionAt(2)->Image, library.DefinitionAt(2)->Image);
    }
}

TEST(ActionLibrary, DefinitionAtOutsideTheListIsNone) {
    const CActionLibrary library = test::MakeLibrary("tab", 1, 2);
    EXPECT_EQ(library.DefinitionAt(-1), nullptr);
    EXPECT_EQ(library.DefinitionAt(2), nullptr);
    EXPECT_EQ(library.DefinitionAt(1)->Id, 2);
}

TEST(ActionLibrary, AHugeDefinitionCountFailsBeforeAllocating) {
    CStream s;
    CActionLibrary library = test::MakeLibrary("tab", 1, 0);
    library.SaveToStream(s);
    // Patch the definition count (the last int written) to a huge value.
    s.SetPosition(s.Size() - 4);
    s.WriteInteger(0x7FFFFFFF);
    s.SetPosition(0);
    CActionLibrary read;
    EXPECT_THROW(read.LoadFromStream(s), StreamReadError);
    EXPECT_EQ(read.DefinitionCount(), 0);
}

TEST(ActionLibrary, ReadingResetsWhatTheLibraryHeld) {
    CActionLibrary read = test::MakeLibrary("old", 9, 4);
    CStream s(test::LibraryBytes(test::MakeLibrary("new", 2, 1)));
    ASSERT_TRUE(read.LoadFromStream(s));
    EXPECT_EQ(read.Caption, "new");
    EXPECT_EQ(read.DefinitionCount(), 1);
    // A refused library version leaves it cleared.
    CStream bad(std::string("\x01\x00\x00\x00", 4));
    EXPECT_FALSE(read.LoadFromStream(bad));
    EXPECT_EQ(read.DefinitionCount(), 0);
    EXPECT_GE(read.Id, 10000);
    EXPECT_LE(read.Id, 19999);
}

}  // namespace
}  // namespace kestrin
