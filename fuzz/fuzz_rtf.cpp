// The RTF reader, and the writer on what it read: whatever the reader makes
// must be writable and read again.

#include <string_view>

#include "resources/rtf_reader.h"
#include "resources/rtf_writer.h"
#include "targets.h"

namespace kestrin::fuzz {

int FuzzRtf(const std::uint8_t* data, std::size_t size) {
    const CRichText text = ReadRtf(std::string_view(reinterpret_cast<const char*>(data), size));
    ReadRtf(WriteRtf(text));
    return 0;
}

}  // namespace kestrin::fuzz
