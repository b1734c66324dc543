#pragma once
// CGameInformation: the one formatted page per game that the runner shows
// on F1: its rich text, its background colour and the window-style flag,
// with the stored record (version 430) that holds the text as RTF.

#include <cstdint>

#include "resources/rich_text.h"
#include "stream/stream.h"

namespace kestrin {

inline constexpr std::int32_t kInformationVersion = 430;
// The system colour of information backgrounds: index 24, marked by the high byte 0xFF.
inline constexpr std::int32_t kInfoBackgroundColor = static_cast<std::int32_t>(0xFF000018u);

class CGameInformation {
public:
    CGameInformation() { ResetInformation(); }

    std::int32_t BackColor;
    bool MimicMainForm = false;
    CRichText Text;
    // Whether it changed since the last load or save is the game's
    // Information changed flag, not kept here.

    // Empties the text and resets the colour; MimicMainForm stays as it is.
    void ResetInformation();
    // Resets, then reads a version-430 record; false for any other version.
    // Stream errors propagate with the information reset.
    bool LoadInformation(CStream& stream);
    // Reads a record and drops it; the current information stays.
    static bool SkipInformation(CStream& stream);
    void SaveInformation(CStream& stream) const;
};

}  // namespace kestrin
