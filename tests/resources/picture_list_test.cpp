// Sprites and backgrounds in the game's resource lists: their thumbnails in
// the resource icon list and their list sections.

#include <gtest/gtest.h>

#include "storage/game.h"
#include "stream/stream.h"

namespace kestrin {
namespace {

TEST(PictureLists, ThumbnailsFollowTheResources) {
    RandomSource random(1);
    Game game(random);
    int sprite = game.Sprites().AddResource();
    int background = game.Backgrounds().AddResource();
    EXPECT_EQ(game.Sprites().ResourceName(sprite), "sprite0");
    EXPECT_EQ(game.Backgrounds().ResourceName(background), "background0");
    int spriteIcon = game.Sprites().ResourceIcon(sprite);
    int backgroundIcon = game.ResourceIcon(ResourceKind::Background, background);
    EXPECT_GE(spriteIcon, ResourceIconList::kFirstThumbnailIcon);
    EXPECT_NE(spriteIcon, backgroundIcon);
    ASSERT_TRUE(game.Icons.Thumbnail(spriteIcon));
    EXPECT_EQ(*game.Icons.Thumbnail(spriteIcon), Bitmap24(16, 16, kIconBackgroundColor));

    Bitmap24 red(8, 8, 0x0000ff);
    red.SetPixel(0, 7, 0);  // the transparent colour
    game.Sprites().ResourceAt(sprite)->AddImage(&red);
    game.Sprites().UpdateIcon(sprite);
    EXPECT_EQ(game.Icons.Thumbnail(spriteIcon)->Pixel(8, 8), 0x0000ffu);
    game.Backgrounds().ResourceAt(background)->SetImage(&red);
    game.Backgrounds().UpdateIcon(background);
    EXPECT_EQ(*game.Icons.Thumbnail(backgroundIcon), *game.Backgrounds().ResourceAt(background)->MakeIcon());
    EXPECT_FALSE(game.Icons.Thumbnail(3));
}

TEST(PictureLists, SectionsRoundTrip) {
    RandomSource random(2);
    Game game(random);
    Bitmap24 frame(4, 2, 0x00ff00);
    frame.SetPixel(1, 0, 0xff0000);
    int sprite = game.Sprites().AddResource();
    game.Sprites().ResourceAt(sprite)->AddImage(&frame);
    game.Sprites().AddResource();
    game.Sprites().DeleteResource(1);
    int background = game.Backgrounds().AddResource();
    game.Backgrounds().ResourceAt(background)->SetImage(&frame);
    CStream sprites, backgrounds;
    ASSERT_TRUE(game.Sprites().SaveList(sprites));
    ASSERT_TRUE(game.Backgrounds().SaveList(backgrounds));

    Game other(random);
    sprites.SetPosition(0);
    backgrounds.SetPosition(0);
    ASSERT_TRUE(other.Sprites().LoadList(sprites));
    ASSERT_TRUE(other.Backgrounds().LoadList(backgrounds));
    EXPECT_EQ(other.Sprites().ResourceCount(), 2);
    EXPECT_FALSE(other.Sprites().ResourceExists(1));
    EXPECT_EQ(*other.Sprites().ResourceAt(0)->GetImage(0), frame);
    EXPECT_EQ(*other.Backgrounds().ResourceAt(0)->GetImage(), frame);
    int icon = other.Sprites().ResourceIcon(0);
    ASSERT_TRUE(other.Icons.Thumbnail(icon));
    EXPECT_EQ(other.Icons.Thumbnail(icon)->Pixel(5, 5), 0xff0000u);  // frame pixel (1, 0)

    int copy = other.Backgrounds().DuplicateResource(0);
    EXPECT_EQ(*other.Backgrounds().ResourceAt(copy)->GetImage(), frame);
}

}  // namespace
}  // namespace kestrin
