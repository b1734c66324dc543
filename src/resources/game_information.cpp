// The game information record.

#include "resources/game_information.h"

#include "resources/rtf_reader.h"
#include "resources/rtf_writer.h"

namespace kestrin {

void CGameInformation::ResetInformation() {
    Text.Clear();
    BackColor = kInfoBackgroundColor;
}

bool CGameInformation::LoadInformation(CStream& stream) {
    ResetInformation();
    if (stream.ReadInteger() != kInformationVersion) return false;
    try {
        const std::int32_t backColor = stream.ReadInteger();
        const bool mimic = stream.ReadBoolean();
        CStream rtf = stream.ReadBlock();
        Text = ReadRtf(rtf.View());
        BackColor = backColor;
        MimicMainForm = mimic;
    } catch (...) {
        ResetInformation();
        throw;
    }
    return true;
}

bool CGameInformation::SkipInformation(CStream& stream) {
    if (stream.ReadInteger() != kInformationVersion) return false;
    stream.ReadInteger();
    stream.ReadBoolean();
    stream.ReadBlock();
    return true;
}

void CGameInformation::SaveInformation(CStream& stream) const {
    stream.WriteInteger(kInformationVersion);
    stream.WriteInteger(BackColor);
    stream.WriteBoolean(MimicMainForm);
    stream.WriteBlock(CStream(WriteRtf(Text)));
}

}  // namespace kestrin
