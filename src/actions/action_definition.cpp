// Reading and writing of action definition and action library records.

#include "actions/action_definition.h"

#include <chrono>

#include "platform/random_source.h"
#include "stream/stream.h"

namespace kestrin {

namespace {

bool VersionAccepted(std::int32_t version) {
    return version >= kLibraryVersionMin && version <= kLibraryVersionMax;
}

}  // namespace

double CurrentDateTime() {
    using namespace std::chrono;
    // 25569 days lie between 30 December 1899 and 1 January 1970.
    const double seconds = duration<double>(system_clock::now().time_since_epoch()).count();
    return 25569.0 + seconds / 86400.0;
}

CActionDefinition::CActionDefinition(int number) { Reset(number); }

void CActionDefinition::Reset(int number) {
    // Appended rather than added to a literal: GCC 12 warns falsely on the latter.
    Name = "Action ";
    Name += std::to_string(number);
    Id = number;
    Image.clear();
    Hidden = false;
    Advanced = false;
    ExtraFlag = false;
    Description.clear();
    ListText.clear();
    HintText.clear();
    Kind = 0;
    InterfaceKind = 0;
    IsQuestion = false;
    CanApplyTo = true;
    CanBeRelative = true;
    ArgCount = 0;
    // Copied from whole strings: assigning literals here trips a false
    // -Wrestrict warning of GCC 12 in optimised builds.
    static const std::string kDefaultValue = "0";
    static const std::string kDefaultMenu = "item 1|item 2";
    for (int i = 0; i < kActionArgumentSlots; ++i) {
        ArgCaption[i] = "Argument ";
        ArgCaption[i] += std::to_string(i + 1);
        ArgCaption[i] += ':';
        ArgKind[i] = 0;
        ArgDefault[i] = kDefaultValue;
        ArgMenu[i] = kDefaultMenu;
    }
    ExecKind = 0;
    ExecText1.clear();
    ExecText2.clear();
    IconIndex = -1;
}

bool CActionDefinition::LoadFromStream(CStream& stream) {
    const int number = Id;
    Reset(number);
    const std::int32_t version = stream.ReadInteger();
    if (!VersionAccepted(version)) return false;
    Name = stream.ReadString();
    Id = stream.ReadInteger();
    const std::size_t imageSize = stream.ReadByteCount();
    Image.resize(imageSize);
    stream.Read(Image.data(), imageSize);
    Hidden = stream.ReadBoolean();
    Advanced = stream.ReadBoolean();
    if (version == kLibraryVersionWithExtraFlag) ExtraFlag = stream.ReadBoolean();
    Description = stream.ReadString();
    ListText = stream.ReadString();
    HintText = stream.ReadString();
    Kind = stream.ReadInteger();
    InterfaceKind = stream.ReadInteger();
    IsQuestion = stream.ReadBoolean();
    CanApplyTo = stream.ReadBoolean();
    CanBeRelative = stream.ReadBoolean();
    ArgCount = stream.ReadInteger();
    const std::int32_t records = stream.ReadInteger();
    // More argument records than slots: the record is corrupt.
    if (records > kActionArgumentSlots) {
        Reset(number);
        return false;
    }
    for (int i = 0; i < records; ++i) {
        ArgCaption[i] = stream.ReadString();
        ArgKind[i] = stream.ReadInteger();
        ArgDefault[i] = stream.ReadString();
        ArgMenu[i] = stream.ReadString();
    }
    ExecKind = stream.ReadInteger();
    ExecText1 = stream.ReadString();
    ExecText2 = stream.ReadString();
    return true;
}

void CActionDefinition::SaveToStream(CStream& stream, std::int32_t version) const {
    stream.WriteInteger(version);
    stream.WriteString(Name);
    stream.WriteInteger(Id);
    stream.WriteInteger(static_cast<std::int32_t>(Image.size()));
    stream.Write(Image.data(), Image.size());
    stream.WriteBoolean(Hidden);
    stream.WriteBoolean(Advanced);
    if (version == kLibraryVersionWithExtraFlag) stream.WriteBoolean(ExtraFlag);
    stream.WriteString(Description);
    stream.WriteString(ListText);
    stream.WriteString(HintText);
    stream.WriteInteger(Kind);
    stream.WriteInteger(InterfaceKind);
    stream.WriteBoolean(IsQuestion);
    stream.WriteBoolean(CanApplyTo);
    stream.WriteBoolean(CanBeRelative);
    stream.WriteInteger(ArgCount);
    stream.WriteInteger(kActionArgumentSlots);
    for (int i = 0; i < kActionArgumentSlots; ++i) {
        stream.WriteString(ArgCaption[i]);
        stream.WriteInteger(ArgKind[i]);
        stream.WriteString(ArgDefault[i]);
        stream.WriteString(ArgMenu[i]);
    }
    stream.WriteInteger(ExecKind);
    stream.WriteString(ExecText1);
    stream.WriteString(ExecText2);
}

CActionLibrary::CActionLibrary() { Clear(); }

void CActionLibrary::Clear() {
    Caption.clear();
    Id = 10000 + Random().Next(10000);
    ExtraText1.clear();
    ExtraNumber1 = 100;
    ExtraDate = CurrentDateTime();
    ExtraText2.clear();
    LibraryCode.clear();
    Advanced = false;
    ExtraNumber2 = 0;
    Definitions.clear();
}

bool CActionLibrary::LoadFromStream(CStream& stream) {
    Clear();
    const std::int32_t version = stream.ReadInteger();
    if (!VersionAccepted(version)) return false;
    Caption = stream.ReadString();
    Id = stream.ReadInteger();
    ExtraText1 = stream.ReadString();
    ExtraNumber1 = stream.ReadInteger();
    ExtraDate = stream.ReadReal();
    ExtraText2 = stream.ReadString();
    LibraryCode = stream.ReadString();
    Advanced = stream.ReadBoolean();
    ExtraNumber2 = stream.ReadInteger();
    const std::int32_t count = stream.ReadInteger();
    // Every definition record takes far more than 4 bytes, so a count beyond
    // the remaining bytes / 4 is a broken file, found before anything is made.
    if (count < 0 || static_cast<std::size_t>(count) > stream.Remaining() / 4) {
        Clear();
        throw StreamReadError();
    }
    Definitions.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        auto& definition = AddDefinition();
        if (!definition.LoadFromStream(stream)) {
            Clear();
            return false;
        }
    }
    return true;
}

void CActionLibrary::SaveToStream(CStream& stream, std::int32_t defVersion) const {
    stream.WriteInteger(kLibraryVersionMax);
    stream.WriteString(Caption);
    stream.WriteInteger(Id);
    stream.WriteString(ExtraText1);
    stream.WriteInteger(ExtraNumber1);
    stream.WriteReal(ExtraDate);
    stream.WriteString(ExtraText2);
    stream.WriteString(LibraryCode);
    stream.WriteBoolean(Advanced);
    stream.WriteInteger(ExtraNumber2);
    stream.WriteInteger(DefinitionCount());
    for (const auto& definition : Definitions) definition->SaveToStream(stream, defVersion);
}

const CActionDefinition* CActionLibrary::DefinitionAt(int index) const {
    if (index < 0 || index >= DefinitionCount()) return nullptr;
    return Definitions[static_cast<std::size_t>(index)].get();
}

CActionDefinition* CActionLibrary::DefinitionAt(int index) {
    if (index < 0 || index >= DefinitionCount()) return nullptr;
    return Definitions[static_cast<std::size_t>(index)].get();
}

CActionDefinition& CActionLibrary::AddDefinition() {
    Definitions.push_back(std::make_unique<CActionDefinition>(DefinitionCount()));
    return *Definitions.back();
}

}  // namespace kestrin
