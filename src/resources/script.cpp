// CScript: copying and the stored record.

#include "resources/script.h"

#include "stream/stream.h"

namespace kestrin {

namespace {
constexpr std::int32_t kScriptVersion = 400;
}

void CScript::Assign(const CScript* other) {
    if (other == this) return;
    Clear();
    if (other) Code = other->Code;
}

bool CScript::LoadFromStream(CStream& stream) {
    Clear();
    if (stream.ReadInteger() != kScriptVersion) return false;
    Code = stream.ReadString();
    return true;
}

void CScript::SaveToStream(CStream& stream) const {
    stream.WriteInteger(kScriptVersion);
    stream.WriteString(Code);
}

}  // namespace kestrin
