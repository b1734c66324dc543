#pragma once
// The image editor: a small paint program for one 24-bit image, or the
// external paint program the preferences name.

#include <QDialog>
#include <QFont>
#include <QString>
#include <map>

#include "editors/editor_dialogs.h"
#include "image_editors/image_dialogs.h"
#include "image_editors/image_edit_session.h"
#include "image_editors/image_text.h"

class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QStatusBar;
class QTimer;
class QToolButton;

namespace kestrin {

class Bitmap24;
class TColorPickImage;
class TImageCanvas;

// Edits the image modally; true when it was changed (the image then holds
// the result). Editors reach it through EditImage (editors/editor_dialogs.h)
// so that tests can answer for it.
bool RunImageEditor(Bitmap24& image, bool allowResize, bool transparent, const ImageEditContext& context = {});

inline constexpr const char* kSaveImageQuestion = "Save the changes to the image?";

class TImgEditForm : public QDialog {
    Q_OBJECT
public:
    TImgEditForm(const Bitmap24& image, bool allowResize, bool transparent, QWidget* parent = nullptr,
                 const ImageEditContext& context = {});
    ~TImgEditForm() override;

    // After closing: gives the caller's image the working image and true when
    // it was changed and the changes are to be kept.
    bool TakeResult(Bitmap24& image) const;

    ImageEditSession& Session() { return mSession; }
    TImageCanvas* Canvas() const { return mCanvas; }
    int Zoom() const;
    void SetZoom(int zoom);
    bool Typing() const { return mTyping; }
    QAction* Command(const char* name) const;

    // Choices that stay for the run.
    static DrawingSettings& Settings();
    static QFont& TextFont();

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildMenus();
    void BuildToolPanel(QWidget* panel, bool onionSkin);
    QAction* AddCommand(QMenu* menu, const char* name, const QString& text, const QKeySequence& key,
                        void (TImgEditForm::*handler)());

    // Drawing.
    void PixelPressed(int x, int y, bool right);
    void PixelMoved(int x, int y, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void PixelReleased();
    void SprayTick();
    void ChooseTool(ImageTool tool);
    void ZoomWheel(int steps, QPoint position);
    void ZoomBy(int steps, QPoint anchor);
    // Tool keys choose a tool; X swaps the colours. False for other keys.
    bool ToolKey(int key);

    // Text.
    void StartText(int x, int y);
    void RedrawText(bool caret);
    void EndText();
    void TextNewLine();
    void TextTyped();

    // Colours.
    void SetColor(bool right, ColorValue color);
    void ChooseBoxColor(bool right);
    void SwapColors();
    void ChangeColor();
    void RefreshColors();

    // Results of commands.
    void ApplyResult(Image result);
    void ImageReplaced();
    bool SizeAllowed(std::int64_t width, std::int64_t height);

    // Commands.
    void NewImage();
    void SaveAs();
    void CloseSaving();
    void UndoCommand();
    void CopyImage();
    void PasteImage();
    void MoveLeft();
    void MoveRight();
    void MoveUp();
    void MoveDown();
    void MirrorImage();
    void FlipImage();
    void ShiftImage();
    void Rotate90Clockwise();
    void Rotate90Counter();
    void Rotate180();
    void RotateByAngle();
    void ResizeCanvas();
    void StretchImage();
    void ScaleImage();
    void Resize(ResizeKind kind);
    void ClearImage();
    void GradientFillCommand();
    void BlackAndWhite();
    void Colorize();
    void ColorizePartial();
    void ShiftHueCommand();
    void Hue(HueMode mode);
    void Intensity();
    void Fade();
    void Transparency();
    void Blur();
    void ChooseFont();
    void SetAlign(TextAlign align);

    DrawingSettings& mSettings;
    ImageEditSession mSession;
    bool mAllowResize;
    bool mTransparent;
    bool mSaveOnClose = false;

    TImageCanvas* mCanvas = nullptr;
    QScrollArea* mScroll = nullptr;
    QStatusBar* mStatus = nullptr;
    QTimer* mSprayTimer = nullptr;
    QToolButton* mZoomInBtn = nullptr;
    QToolButton* mLeftColorBtn = nullptr;
    QToolButton* mRightColorBtn = nullptr;
    TColorPickImage* mTransparentBox = nullptr;
    std::map<ImageTool, QToolButton*> mToolButtons;
    std::map<std::string, QAction*> mCommands;

    bool mTyping = false;
    int mTextX = 0, mTextY = 0;
    bool mTextRight = false;
    bool mTextUndoTaken = false;
    QString mTextLine;
    Bitmap24 mTextBase{1, 1};
    PixelArea mTextArea;
};

}  // namespace kestrin
