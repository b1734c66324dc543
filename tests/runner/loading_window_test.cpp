// The loading window as the game's options draw it, when it opens, and the
// progress the game reader reports once the options are known.

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <chrono>
#include <vector>

#include "runner/loading_window.h"
#include "runner/runner_game.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "storage/tree_codes.h"
#include "support/temp_dir.h"

namespace kestrin::runner {
namespace {

const ColorValue kRed = MakeColor(255, 0, 0), kGrey = MakeColor(128, 128, 128), kGreen = MakeColor(0, 255, 0);

QRgb Rgb(ColorValue color) { return qRgb(RedOf(color), GreenOf(color), BlueOf(color)); }

QRgb At(LoadingWindow& window, int x, int y) { return window.grab().toImage().pixel(x, y) | 0xff000000u; }

TEST(LoadingWindow, TheGamesImageWithItsOwnBarFilledAsFarAsLoadingHasGot) {
    Game game;
    NewGame(game);
    CGameOptions& options = game.Options;
    options.ShowLoadImage = true;
    options.LoadImage = Bitmap24(100, 60, kRed);
    options.ProgressBar = 2;
    options.BackImage = Bitmap24(50, 10, kGrey);
    options.FrontImage = Bitmap24(50, 10, kGreen);
    options.ScaleProgress = true;
    LoadingWindow window(options);
    EXPECT_EQ(window.size(), QSize(100, 60));
    // The bar is stretched across the bottom: x 8..91, y 42..51.
    window.SetPercent(50);
    EXPECT_EQ(At(window, 50, 10), Rgb(kRed));
    EXPECT_EQ(At(window, 20, 46), Rgb(kGreen));
    EXPECT_EQ(At(window, 80, 46), Rgb(kGrey));
    window.SetPercent(0);
    EXPECT_EQ(At(window, 20, 46), Rgb(kGrey));
    window.SetPercent(100);
    EXPECT_EQ(At(window, 88, 46), Rgb(kGreen));
    EXPECT_EQ(At(window, 50, 56), Rgb(kRed)) << "below the bar the image shows";
}

TEST(LoadingWindow, WhatTheOptionsShow) {
    Game game;
    NewGame(game);
    CGameOptions& options = game.Options;
    EXPECT_TRUE(LoadingWindow::ShowsAnything(options)) << "the plain bar, at first";
    options.ProgressBar = 0;
    EXPECT_FALSE(LoadingWindow::ShowsAnything(options));
    options.ShowLoadImage = true;
    EXPECT_FALSE(LoadingWindow::ShowsAnything(options)) << "no image to show";
    options.LoadImage = Bitmap24(10, 10, kRed);
    EXPECT_TRUE(LoadingWindow::ShowsAnything(options));

    // The plain bar alone.
    options.ShowLoadImage = false;
    options.ProgressBar = 1;
    LoadingWindow bar(options);
    bar.SetPercent(25);
    EXPECT_EQ(bar.size(), QSize(300, 16));
    EXPECT_NE(At(bar, 30, 8), At(bar, 200, 8)) << "filled a quarter of the way";
    EXPECT_EQ(At(bar, 70, 8), At(bar, 30, 8));
}

TEST(LoadingScreen, OpensAtOnceForTheGamesOwnLookAndForThePlainBarOnlyOnceLoadingTakesItsTime) {
    Game game;
    NewGame(game);
    LoadingScreen at_once(std::chrono::milliseconds(0));
    at_once.Progress(game, 5);
    ASSERT_NE(at_once.Window(), nullptr);
    EXPECT_EQ(at_once.Window()->Percent(), 5);
    at_once.Progress(game, 100);
    EXPECT_EQ(at_once.Window()->Percent(), 100);

    LoadingScreen quick(std::chrono::hours(1));
    quick.Progress(game, 5);
    quick.Progress(game, 100);
    EXPECT_EQ(quick.Window(), nullptr) << "a game that loads at once flashes no plain bar";

    game.Options.ShowLoadImage = true;
    game.Options.LoadImage = Bitmap24(10, 10, kRed);
    LoadingScreen own(std::chrono::hours(1));
    own.Progress(game, 5);
    EXPECT_NE(own.Window(), nullptr) << "the game's own image shows from the start";
    game.Options.ShowLoadImage = false;

    game.Options.ProgressBar = 0;
    LoadingScreen nothing(std::chrono::milliseconds(0));
    nothing.Progress(game, 50);
    EXPECT_EQ(nothing.Window(), nullptr);
}

TEST(LoadingProgress, ComesOnceTheGamesOptionsAreRead) {
    test::TempDir dir;
    const std::string file = dir.File("splash.ksd");
    {
        Game saved;
        NewGame(saved);
        saved.Options.ShowLoadImage = true;
        saved.Options.LoadImage = Bitmap24(4, 4, kRed);
        // Backgrounds have the share from 50 to 60: ten of them move the bar within it.
        for (int i = 0; i < 10; ++i) saved.Tree().AddResourceNode(nullptr, kTypeBackgrounds);
        ASSERT_TRUE(SaveGame(saved, file));
    }
    Game game;
    std::vector<std::string> code;
    std::string error;
    std::vector<int> percents;
    bool optionsKnown = true;
    ASSERT_TRUE(LoadGameFile(file, game, code, error, [&](const Game& loading, int percent) {
        optionsKnown = optionsKnown && loading.Options.ShowLoadImage && loading.Options.LoadImage;
        percents.push_back(percent);
    })) << error;
    ASSERT_FALSE(percents.empty());
    EXPECT_TRUE(optionsKnown);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_EQ(percents.back(), 100);
    const auto within = std::count_if(percents.begin(), percents.end(), [](int p) { return p > 50 && p < 60; });
    EXPECT_EQ(within, 9) << "one step per background read, the tenth ending the share";
}

}  // namespace
}  // namespace kestrin::runner
