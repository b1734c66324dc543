#pragma once
// Writing a CRichText as Rich Text Format that word processors open: a font
// table, a colour table, then each paragraph with its alignment and bullet
// and each run as a group carrying its whole character format.

#include <string>

#include "resources/rich_text.h"

namespace kestrin {

std::string WriteRtf(const CRichText& document);

}  // namespace kestrin
