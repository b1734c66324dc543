// The process-wide check error record.

#include "language/check_error.h"

#include <algorithm>

namespace kestrin {

CheckErrorRecord& CheckError() {
    static CheckErrorRecord record;
    return record;
}

void ReportError(std::string_view code, int position, const std::string& message) {
    CheckErrorRecord& record = CheckError();
    if (record.ErrorFound) return;
    record.ErrorFound = true;
    long long last = static_cast<long long>(code.size());
    long long clamped = std::min<long long>(std::max(position, 1), last);
    int line = 1, column = 0;
    for (long long i = 0; i < clamped; ++i) {
        if (code[i] == '\r') {
            ++line;
            column = 0;
        } else {
            ++column;
        }
    }
    record.ErrorLine = line;
    record.ErrorPos = column;
    record.ErrorMessage = message;
}

}  // namespace kestrin
