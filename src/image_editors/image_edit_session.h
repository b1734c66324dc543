#pragma once
// What the image editor edits, without a window: the working image, the one
// undo image, the changed flag and the drawing tools driven by presses and
// moves in image pixels. The window turns mouse events into these calls and
// repaints the areas they report.

#include <optional>

#include "imaging/bitmap24.h"
#include "imaging/image_drawing.h"

namespace kestrin {

// The values of the tool buttons.
enum class ImageTool {
    Paint = 1,
    Pick = 2,
    Fill = 3,
    Line = 4,
    Rectangle = 5,
    Ellipse = 7,
    RoundRect = 9,
    Spray = 11,
    Text = 12,
};

// Choices that stay from one use of the editor to the next.
struct DrawingSettings {
    ColorValue leftColor = 0;
    ColorValue rightColor = kWhite;
    FillStyle fillStyle = FillStyle::Outline;
    int penWidth = 1;
    int spraySize = 12;
};

// A rectangle of image pixels, right and bottom exclusive; empty when
// right <= left.
struct PixelArea {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
    void Add(const PixelArea& other);
};

class ImageEditSession {
public:
    ImageEditSession(const Bitmap24& image, DrawingSettings& settings);

    const Bitmap24& Picture() const { return mImage; }
    Bitmap24& Picture() { return mImage; }
    bool Changed() const { return mChanged; }
    bool HasUndo() const { return mUndo.has_value(); }
    DrawingSettings& Settings() { return mSettings; }

    ImageTool Tool() const { return mTool; }
    void SetTool(ImageTool tool) { mTool = tool; }
    void SetRandom(RandomRange random) { mRandom = std::move(random); }

    // Keeps a copy for undo and marks the image changed: every change of the
    // pixels starts here.
    void TakeUndo();
    // The same with the image as it was before a change already under way.
    void TakeUndo(const Bitmap24& before);
    // Takes the result of a command (nothing for none): undo copy, mark, replace.
    bool Apply(Image result);
    // Swaps the working and the undo image, so a second undo redoes.
    void Undo();

    // A mouse press at image pixel (x, y); right for the right button. The
    // returned area needs repainting. Text presses only report where the
    // text starts (TextStart).
    PixelArea Press(int x, int y, bool right);
    // constrain (Shift): lines keep to steps of 45 degrees, shapes to squares
    // and circles.
    PixelArea Move(int x, int y, bool constrain = false);
    void Release() { mRunning.reset(); }
    bool Running() const { return mRunning.has_value(); }
    // One 50 ms burst of the running spray.
    PixelArea SprayTick();

    // Where a text press asked the text to start, consumed by the caller.
    std::optional<std::pair<int, int>> TakeTextStart();
    bool TextStartedRight() const { return mTextRight; }

private:
    ColorValue DrawingColor() const { return mRight ? mSettings.rightColor : mSettings.leftColor; }
    ColorValue OtherColor() const { return mRight ? mSettings.leftColor : mSettings.rightColor; }
    PixelArea DrawFigure(int x, int y);

    Bitmap24 mImage;
    std::optional<Bitmap24> mUndo;
    bool mChanged = false;
    DrawingSettings& mSettings;
    ImageTool mTool = ImageTool::Paint;
    RandomRange mRandom;

    std::optional<ImageTool> mRunning;
    bool mRight = false;
    int mStartX = 0, mStartY = 0, mLastX = 0, mLastY = 0;
    PixelArea mFigureArea;
    std::optional<std::pair<int, int>> mTextStart;
    bool mTextRight = false;
};

}  // namespace kestrin
