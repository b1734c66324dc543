#pragma once
// The media backend every program of Kestrin that plays sound uses.

namespace kestrin {

// Chooses the FFmpeg media backend unless the user named one: the default
// backend crashes when a player is made without the GStreamer base plugins.
// Must run before the first player is made.
void ChooseMediaBackend();

}  // namespace kestrin
