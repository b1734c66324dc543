#pragma once
// Starting other programs (an argument vector, never a shell line), waiting
// for them while the user interface keeps repainting, and handing a text to
// an external editor.

#include <string>
#include <vector>

namespace kestrin {

inline constexpr const char* kReadBackFailedMessage = "Failed to read back the code file.";

// Starts the program in the working folder (empty: the current one); both a
// relative program path and a relative folder start from the current one. With wait
// set, polls every 100 ms, processing pending events, until it has ended.
// False when it could not be started.
bool RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& workingFolder, bool wait);

// Writes the text to a scratch file, lets the editor change it, and returns
// every line of the file back, each ending with CR LF. An empty or missing
// editor gives the text unchanged.
std::string EditTextExternally(const std::string& text, const std::string& editor);

// Code is edited in the program the preferences name: the internal editor
// is switched off and the program exists.
bool ExternalCodeEditorChosen();

// Splits a text into lines at CR LF, LF or CR; a final line break adds no line.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace kestrin
