#pragma once
// Kestrin's addresses on the web, in one place: messages and the Help menu use them.

namespace kestrin {

inline constexpr const char* kWebSiteAddress = "https://kestrin.example.org/";
inline constexpr const char* kForumAddress = "https://kestrin.example.org/forum/";

}  // namespace kestrin
