#pragma once
// The check error record: the first error found by a code check, with the
// rule that turns a character position into a line and a column.

#include <string>
#include <string_view>

namespace kestrin {

struct CheckErrorRecord {
    bool ErrorFound = false;
    int ErrorLine = 0;
    int ErrorPos = 0;
    std::string ErrorMessage;
};

// The one record of the process; checks must not run at the same time.
CheckErrorRecord& CheckError();

// Records the error unless one is already recorded. The position (1-based,
// clamped to the text) is counted into a line and a column: a carriage return
// starts a new line at column 0 and every other character, line feeds
// included, adds one, so after CR LF the first character is at column 2.
void ReportError(std::string_view code, int position, const std::string& message);

}  // namespace kestrin
