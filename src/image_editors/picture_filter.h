#pragma once
// The open dialogs' filter for pictures: every format the image reader knows.

#include <string>

namespace kestrin {

std::string PictureFilter();

}  // namespace kestrin
