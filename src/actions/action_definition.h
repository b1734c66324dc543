#pragma once
// CActionDefinition (one kind of action, as a library file describes it) and
// CActionLibrary (one library file: a palette tab and its definitions), with
// the reading and writing of their records. Kestrin itself only reads library
// files; the writer serves the library compiler and the tests.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kestrin {

class CStream;

// Eight argument slots, 0 to 7.
inline constexpr int kActionArgumentSlots = 8;

// Record versions a library file may carry; 520 adds ExtraFlag to definitions.
inline constexpr std::int32_t kLibraryVersionMin = 500;
inline constexpr std::int32_t kLibraryVersionMax = 520;
inline constexpr std::int32_t kLibraryVersionWithExtraFlag = 520;

// Action kinds (Kind).
inline constexpr int kActionKindNormal = 0;
inline constexpr int kActionKindBlockStart = 1;
inline constexpr int kActionKindBlockEnd = 2;
inline constexpr int kActionKindIndentNext = 3;
inline constexpr int kActionKindIndentNext2 = 5;
inline constexpr int kActionKindGap = 8;
inline constexpr int kActionKindHidden = 9;
inline constexpr int kActionKindLabel = 10;

// Interface kinds (InterfaceKind).
inline constexpr int kInterfaceArguments = 0;
inline constexpr int kInterfaceDirections = 2;
inline constexpr int kInterfaceCode = 5;
inline constexpr int kInterfaceText = 6;

// Argument kinds (ArgKind).
inline constexpr int kArgText = 0;
inline constexpr int kArgText1 = 1;
inline constexpr int kArgText2 = 2;
inline constexpr int kArgBoolean = 3;
inline constexpr int kArgMenu = 4;
inline constexpr int kArgSprite = 5;
inline constexpr int kArgSound = 6;
inline constexpr int kArgBackground = 7;
inline constexpr int kArgPath = 8;
inline constexpr int kArgScript = 9;
inline constexpr int kArgObject = 10;
inline constexpr int kArgRoom = 11;
inline constexpr int kArgDataFile = 12;
inline constexpr int kArgColor = 13;
inline constexpr int kArgTimeLine = 14;
inline constexpr int kArgFont = 15;

class CActionDefinition {
public:
    // A new definition is "Action " + number with id number.
    explicit CActionDefinition(int number = 0);

    // Back to the defaults of a definition made with that number.
    void Reset(int number);

    // Reads one definition record; false (the definition reset) for a version
    // outside 500..520 or more than eight argument records. A short record
    // throws StreamReadError.
    bool LoadFromStream(CStream& stream);
    // Writes the record at the given version (519 leaves ExtraFlag out).
    void SaveToStream(CStream& stream, std::int32_t version = kLibraryVersionMax) const;

    std::string Name;
    std::int32_t Id = 0;
    // The bytes of a complete BMP file; empty stands for the blank picture.
    // Held only while loading: the loader moves it into the icon store.
    std::string Image;
    bool Hidden = false;
    bool Advanced = false;
    bool ExtraFlag = false;
    std::string Description;
    std::string ListText;
    std::string HintText;
    std::int32_t Kind = 0;
    std::int32_t InterfaceKind = 0;
    bool IsQuestion = false;
    bool CanApplyTo = true;
    bool CanBeRelative = true;
    std::int32_t ArgCount = 0;
    std::array<std::string, kActionArgumentSlots> ArgCaption;
    std::array<std::int32_t, kActionArgumentSlots> ArgKind{};
    std::array<std::string, kActionArgumentSlots> ArgDefault;
    std::array<std::string, kActionArgumentSlots> ArgMenu;
    std::int32_t ExecKind = 0;
    std::string ExecText1;
    std::string ExecText2;
    // Set by the loader: the icon number in the icon store, -1 for none.
    std::int32_t IconIndex = -1;
};

class CActionLibrary {
public:
    CActionLibrary();

    // Back to the defaults (a fresh random id, the current date), freeing
    // every definition.
    void Clear();

    // Reads the library record and its definitions; false (the library
    // cleared) for a version outside 500..520 in the library or any of its
    // definitions. A short record throws StreamReadError; every count is
    // checked against the bytes that remain before anything is made.
    bool LoadFromStream(CStream& stream);
    // Writes the library at the newest version; definitions at defVersion.
    void SaveToStream(CStream& stream, std::int32_t defVersion = kLibraryVersionMax) const;

    int DefinitionCount() const { return static_cast<int>(Definitions.size()); }
    // The definition at that position, or null outside 0..count-1.
    const CActionDefinition* DefinitionAt(int index) const;
    CActionDefinition* DefinitionAt(int index);
    // Appends a new definition ("Action " + its position) and returns it.
    CActionDefinition& AddDefinition();

    std::string Caption;
    std::int32_t Id = 10000;
    std::string ExtraText1;
    std::int32_t ExtraNumber1 = 100;
    double ExtraDate = 0.0;  // days since 30 December 1899, time as the fraction
    std::string ExtraText2;
    std::string LibraryCode;
    bool Advanced = false;
    std::int32_t ExtraNumber2 = 0;
    std::vector<std::unique_ptr<CActionDefinition>> Definitions;
};

// The current moment as days since 30 December 1899 (UTC).
double CurrentDateTime();

}  // namespace kestrin
