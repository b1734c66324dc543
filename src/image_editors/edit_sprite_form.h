#pragma once
// The sprite editor (TEditSpriteForm): the frames of a sprite as a frame set,
// with thumbnails, preview and the menus of frame operations.

namespace kestrin {

class CSprite;

// Edits the sprite's frames modally; true when they were replaced.
bool RunEditSpriteForm(CSprite& sprite);

}  // namespace kestrin
