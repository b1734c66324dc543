// The data-file name rule.

#include "image_editors/data_file_name_rule.h"

namespace kestrin {

DataFileNameCheck CheckDataFileName(const std::string& name) {
    if (name.find_first_of("/\\:") != std::string::npos) return DataFileNameCheck::Invalid;
    if (name.find("..") != std::string::npos) return DataFileNameCheck::Invalid;
    if (name == ".") return DataFileNameCheck::Intermediate;
    return DataFileNameCheck::Acceptable;
}

}  // namespace kestrin
