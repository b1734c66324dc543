// Executable names and the running game's title.

#include "build/executable_name.h"

#include "platform/file_system.h"

namespace kestrin {

std::string ExecutableNameFor(const std::string& gameFileName) {
    if (gameFileName.empty()) return std::string("game") + kExecutableExtension;
    return ChangeFileExt(gameFileName, kExecutableExtension);
}

std::string GameTitle(const std::string& caption, const std::string& executablePath) {
    if (!caption.empty()) return caption;
    return ChangeFileExt(ExtractFileName(executablePath), "");
}

}  // namespace kestrin
