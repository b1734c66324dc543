// CAction: refreshing from the definition, merge remapping and the record.

#include "resources/action.h"

#include <algorithm>
#include <limits>

#include "actions/action_definition.h"
#include "actions/action_registry.h"
#include "platform/integer_text.h"
#include "stream/stream.h"

namespace kestrin {

namespace {

constexpr std::int32_t kActionVersion = 440;

// A record holds at most eight slots; more is a corrupted file.
int ReadSlotCount(CStream& stream) {
    std::int32_t count = stream.ReadInteger();
    if (count < 0) return 0;
    if (count > kActionSlots) throw StreamReadError();
    return count;
}

}  // namespace

bool ArgumentResourceKind(std::int32_t argKind, ResourceKind& kind) {
    switch (argKind) {
    case kArgSprite: kind = ResourceKind::Sprite; return true;
    case kArgSound: kind = ResourceKind::Sound; return true;
    case kArgBackground: kind = ResourceKind::Background; return true;
    case kArgPath: kind = ResourceKind::Path; return true;
    case kArgScript: kind = ResourceKind::Script; return true;
    case kArgObject: kind = ResourceKind::Object; return true;
    case kArgRoom: kind = ResourceKind::Room; return true;
    case kArgDataFile: kind = ResourceKind::DataFile; return true;
    case kArgTimeLine: kind = ResourceKind::TimeLine; return true;
    default: return false;
    }
}

CAction::CAction() { Reset(); }

CAction::CAction(std::int32_t libraryId, std::int32_t actionId) : LibraryId(libraryId), ActionId(actionId) {
    Refresh();
    Reset();
}

const CActionDefinition* CAction::GetDefinition() const { return FindActionDefinition(LibraryId, ActionId); }

void CAction::Refresh() {
    const CActionDefinition* definition = GetDefinition();
    if (!definition) return;
    Kind = definition->Kind;
    CanBeRelative = definition->CanBeRelative;
    IsQuestion = definition->IsQuestion;
    CanApplyTo = definition->CanApplyTo;
    ExecKind = definition->ExecKind;
    ExecText1 = definition->ExecText1;
    ExecText2 = definition->ExecText2;
    ArgCount = definition->ArgCount;
    for (int i = 0; i < kActionSlots; ++i) ArgKind[i] = definition->ArgKind[i];
}

void CAction::Reset() {
    AppliesTo = kObjectSelf;
    Relative = false;
    Not = false;
    const CActionDefinition* definition = GetDefinition();
    for (int i = 0; i < kActionSlots; ++i) ArgValue[i] = definition ? definition->ArgDefault[i] : "0";
}

std::string CAction::GetArgValue(int i) const {
    if (i < 0 || i >= kActionSlots) return {};
    return ArgValue[i];
}

void CAction::SetArgValue(int i, const std::string& text) {
    if (i < 0 || i >= kActionSlots) return;
    ArgValue[i] = text;
}

void CAction::Assign(const CAction& other) {
    if (&other == this) return;
    Reset();
    LibraryId = other.LibraryId;
    ActionId = other.ActionId;
    Kind = other.Kind;
    CanBeRelative = other.CanBeRelative;
    IsQuestion = other.IsQuestion;
    CanApplyTo = other.CanApplyTo;
    ExecKind = other.ExecKind;
    ExecText1 = other.ExecText1;
    ExecText2 = other.ExecText2;
    ArgCount = other.ArgCount;
    ArgKind = other.ArgKind;
    AppliesTo = other.AppliesTo;
    Relative = other.Relative;
    ArgValue = other.ArgValue;
    Not = other.Not;
}

void CAction::RemapAfterMerge(const MergeOffsets& offsets) {
    if (AppliesTo >= 0) AppliesTo = MergedIndex(AppliesTo, offsets[ResourceKind::Object]);
    int count = std::min(ArgCount, kActionSlots);
    for (int i = 0; i < count; ++i) {
        ResourceKind kind;
        if (!ArgumentResourceKind(ArgKind[i], kind)) continue;
        // A text beyond the stored int's range names no resource and stays.
        const std::int64_t index = IntegerOr(ArgValue[i], -1);
        if (index >= 0 && index <= std::numeric_limits<std::int32_t>::max())
            ArgValue[i] = std::to_string(MergedIndex(static_cast<std::int32_t>(index), offsets[kind]));
    }
}

bool CAction::LoadFromStream(CStream& stream) {
    Reset();
    if (stream.ReadInteger() != kActionVersion) return false;
    LibraryId = stream.ReadInteger();
    ActionId = stream.ReadInteger();
    Kind = stream.ReadInteger();
    CanBeRelative = stream.ReadBoolean();
    IsQuestion = stream.ReadBoolean();
    CanApplyTo = stream.ReadBoolean();
    ExecKind = stream.ReadInteger();
    ExecText1 = stream.ReadString();
    ExecText2 = stream.ReadString();
    ArgCount = stream.ReadInteger();
    int kinds = ReadSlotCount(stream);
    for (int i = 0; i < kinds; ++i) ArgKind[i] = stream.ReadInteger();
    Refresh();
    AppliesTo = stream.ReadInteger();
    Relative = stream.ReadBoolean();
    int values = ReadSlotCount(stream);
    for (int i = 0; i < values; ++i) ArgValue[i] = stream.ReadString();
    Not = stream.ReadBoolean();
    return true;
}

void CAction::SaveToStream(CStream& stream) {
    Refresh();
    stream.WriteInteger(kActionVersion);
    stream.WriteInteger(LibraryId);
    stream.WriteInteger(ActionId);
    stream.WriteInteger(Kind);
    stream.WriteBoolean(CanBeRelative);
    stream.WriteBoolean(IsQuestion);
    stream.WriteBoolean(CanApplyTo);
    stream.WriteInteger(ExecKind);
    stream.WriteString(ExecText1);
    stream.WriteString(ExecText2);
    stream.WriteInteger(ArgCount);
    stream.WriteInteger(kActionSlots);
    for (auto kind : ArgKind) stream.WriteInteger(kind);
    stream.WriteInteger(AppliesTo);
    stream.WriteBoolean(Relative);
    stream.WriteInteger(kActionSlots);
    for (const auto& value : ArgValue) stream.WriteString(value);
    stream.WriteBoolean(Not);
}

}  // namespace kestrin
