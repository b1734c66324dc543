#pragma once
// The filter of the dialogs that open a picture: every format the image
// reader knows, then all files.

#include <string>

namespace kestrin {

std::string PictureFileFilter();

}  // namespace kestrin
