#pragma once
// Reading Rich Text Format into a CRichText. Takes what common word
// processors write; pictures, fields' instructions, objects and every
// destination it does not know are skipped. Broken input gives whatever
// text could be made of it, never a failure. Input that is not RTF at all
// is taken as plain text.

#include <string_view>

#include "resources/rich_text.h"

namespace kestrin {

CRichText ReadRtf(std::string_view rtf);

}  // namespace kestrin
