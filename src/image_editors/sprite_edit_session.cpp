// The sprite editor's commands on its frame sets.

#include "image_editors/sprite_edit_session.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "editors/editor_dialogs.h"
#include "image_editors/sprite_edit_dialogs.h"
#include "imaging/picture.h"
#include "imaging/strip.h"
#include "platform/delayed_progress.h"
#include "platform/preferences.h"
#include "platform/user_interface.h"
#include "resources/animation_create.h"

namespace kestrin {

namespace {

using C = SpriteCommand;

constexpr const char* kBusyText = "Changing the images...";

int Start(int start, const TAnimation& frames) {
    switch (start) {
    case kStartAtFrameCount: return frames.FrameCount();
    case kStartAtWidth: return frames.Width();
    case kStartAtHeight: return frames.Height();
    default: return start;
    }
}

std::string FolderOf(const std::string& file) { return std::filesystem::path(file).parent_path().string(); }

FileDialogSpec OpenSpec(const char* objectName, const char* title, const std::string& filter,
                        const std::string& folder) {
    FileDialogSpec spec;
    spec.objectName = objectName;
    spec.title = title;
    spec.filter = filter;
    spec.mustExist = true;
    spec.folder = folder;
    return spec;
}

}  // namespace

SpriteEditSession::SpriteEditSession(std::unique_ptr<TAnimation> frames, BitmapClipboard& clipboard,
                                     std::string pictureFilter)
    : mFrames(std::move(frames)), mClipboard(clipboard), mPictureFilter(std::move(pictureFilter)) {
    mSelected = mFrames->FrameCount() > 0 ? 0 : -1;
}

void SpriteEditSession::Select(int index) {
    mSelected = std::clamp(index, -1, mFrames->FrameCount() - 1);
}

void SpriteEditSession::KeepSelectionInRange() { Select(mSelected); }

void SpriteEditSession::ShowProgressWhenSlow() {
    if (mProgress) return;
    mProgress.emplace(kBusyText);
    SetBusy(true);
}

void SpriteEditSession::EndWork() {
    if (!mProgress) return;
    mProgress.reset();
    SetBusy(false);
}

void SpriteEditSession::SetBusy(bool busy) const {
    if (mBusy) mBusy(busy);
}

void SpriteEditSession::BeginChange() {
    ShowProgressWhenSlow();
    if (!mUndo) mUndo = std::make_unique<TAnimation>(1, 1);
    mUndo->Assign(*mFrames);
    mChanged = true;
}

void SpriteEditSession::ReplaceSet(std::unique_ptr<TAnimation> frames) {
    mUndo = std::exchange(mFrames, std::move(frames));
    mChanged = true;
    KeepSelectionInRange();
}

bool SpriteEditSession::SizeAllowed(long long count, int width, int height) const {
    if (FrameSetWithinLimits(count, width, height)) return true;
    ShowMessage(kSpriteTooLargeMessage);
    return false;
}

std::string SpriteEditSession::FramesText() const { return " Frames: " + std::to_string(mFrames->FrameCount()); }
std::string SpriteEditSession::SizeText() const {
    return " Size: " + std::to_string(mFrames->Width()) + " x " + std::to_string(mFrames->Height());
}
std::string SpriteEditSession::TransparentText() const {
    return mFrames->Transparent() ? " Transparent" : " not Transp.";
}

bool SpriteEditSession::Enabled(SpriteCommand command) const {
    int count = mFrames->FrameCount();
    bool selected = mSelected >= 0 && mSelected < count;
    switch (command) {
    case C::SaveAsGif:
    case C::SaveAsStrip: return count > 0;
    case C::Undo: return true;
    case C::Paste: return mClipboard.HasPicture();
    case C::MoveLeft: return selected && mSelected > 0;
    case C::MoveRight: return selected && mSelected < count - 1;
    case C::Cut:
    case C::Copy:
    case C::Clear:
    case C::Delete:
    case C::InsertEmpty:
    case C::EditImage: return selected;
    default: break;
    }
    switch (SpriteMenuItemOf(command).menu) {
    case SpriteMenu::Transform:
    case SpriteMenu::Images:
    case SpriteMenu::Animation: return count > 0;
    default: return true;
    }
}

bool SpriteEditSession::AskItemValues(const SpriteMenuItem& item, std::array<int, 3>& values) const {
    for (int i = 0; i < 3; ++i) values[i] = Start(item.starts[i], *mFrames);
    switch (item.count) {
    case 1: return AskValue(item.title, item.captions[0], values[0]);
    case 2: return AskValues2(item.title, item.captions[0], values[0], item.captions[1], values[1]);
    default:
        return AskValues3(item.title, item.captions[0], values[0], item.captions[1], values[1], item.captions[2],
                          values[2]);
    }
}

Image SpriteEditSession::Fitted(const Bitmap24& frame) {
    if (frame.Width() == mFrames->Width() && frame.Height() == mFrames->Height())
        return std::make_unique<Bitmap24>(frame);
    if (mPlacement == -2) {
        // The question is a window of its own: no busy cursor over it.
        if (mProgress) SetBusy(false);
        mPlacement = AskPlacement();
        if (mProgress) SetBusy(true);
    }
    return ApplyPlacementAnswer(frame, mPlacement, mFrames->Width(), mFrames->Height(), mFrames->Transparent());
}

bool SpriteEditSession::Run(const SpriteMenuItem& item) {
    if (!Enabled(item.command)) return false;
    mPlacement = -2;
    bool changed = false;
    switch (item.menu) {
    case SpriteMenu::File: changed = RunFile(item); break;
    case SpriteMenu::Edit: changed = RunEdit(item); break;
    case SpriteMenu::Transform: changed = RunTransform(item); break;
    case SpriteMenu::Images: changed = RunImages(item); break;
    case SpriteMenu::Animation: changed = RunAnimation(item); break;
    }
    EndWork();
    return changed;
}

bool SpriteEditSession::MoveFrame(int from, int to) {
    int count = mFrames->FrameCount();
    if (from < 0 || from >= count || to < 0 || to >= count || from == to) return false;
    BeginChange();
    mFrames->Move(from, to);
    EndWork();
    mSelected = to;
    return true;
}

// File menu.

bool SpriteEditSession::RunFile(const SpriteMenuItem& item) {
    switch (item.command) {
    case C::New: {
        std::array<int, 3> v{};
        if (!AskItemValues(item, v) || v[0] <= 0 || v[1] <= 0 || !SizeAllowed(1, v[0], v[1])) return false;
        auto frames = std::make_unique<TAnimation>(v[0], v[1]);
        frames->SetTransparent(mFrames->Transparent());
        frames->AddEmpty();
        ReplaceSet(std::move(frames));
        mSelected = 0;
        return true;
    }
    case C::CreateFromFile: return CreateFromFiles();
    case C::AddFromFile: return AddFromFiles();
    case C::SaveAsGif: return SaveAs(true);
    case C::SaveAsStrip: return SaveAs(false);
    case C::CreateFromStrip: return FromStrip(false);
    case C::AddFromStrip: return FromStrip(true);
    case C::CloseSaving: mSaveOnClose = true; return false;
    default: return false;
    }
}

bool SpriteEditSession::CreateFromFiles() {
    std::vector<std::string> files = UsedEditorDialogs().ChooseFiles(
        OpenSpec("OpenSpriteFilesDialog", "Open images", mPictureFilter, Prefs().SpriteDir));
    if (files.empty()) return false;
    Prefs().SpriteDir = FolderOf(files.front());
    ShowProgressWhenSlow();
    std::unique_ptr<TAnimation> first = TAnimation::FromFile(files.front());
    if (!first || first->FrameCount() == 0) {
        ShowMessage(kCouldNotLoadParticularFile);
        return false;
    }
    if (!SizeAllowed(first->FrameCount(), first->Width(), first->Height())) return false;
    first->SetTransparent(mFrames->Transparent());
    ReplaceSet(std::move(first));
    AddFiles(files, 1, true);
    mSelected = 0;
    return true;
}

bool SpriteEditSession::AddFromFiles() {
    std::vector<std::string> files = UsedEditorDialogs().ChooseFiles(
        OpenSpec("AddSpriteFilesDialog", "Add images", mPictureFilter, Prefs().SpriteDir));
    if (files.empty()) return false;
    Prefs().SpriteDir = FolderOf(files.front());
    bool changed = AddFiles(files, 0, false);
    if (changed) mSelected = 0;
    return changed;
}

bool SpriteEditSession::AddFiles(const std::vector<std::string>& files, std::size_t first, bool begun) {
    bool changed = false;
    ShowProgressWhenSlow();
    for (std::size_t i = first; i < files.size(); ++i) {
        std::unique_ptr<TAnimation> read = TAnimation::FromFile(files[i]);
        if (!read || read->FrameCount() == 0) {
            ShowMessage(kCouldNotLoadParticularFile);
            return changed;
        }
        std::vector<Image> fitted;
        for (int k = 0; k < read->FrameCount(); ++k) {
            Image frame = Fitted(*read->GetImage(k));
            if (!frame) {
                ShowMessage(kCouldNotLoadParticularFile);
                return changed;
            }
            fitted.push_back(std::move(frame));
        }
        long long count = mFrames->FrameCount() + static_cast<long long>(fitted.size());
        if (!SizeAllowed(count, mFrames->Width(), mFrames->Height())) return changed;
        if (!begun) BeginChange();
        begun = changed = true;
        for (const Image& frame : fitted) mFrames->AddImage(*frame);
    }
    return changed;
}

bool SpriteEditSession::SaveAs(bool gif) {
    FileDialogSpec spec;
    spec.objectName = gif ? "SaveGifDialog" : "SaveStripDialog";
    spec.title = gif ? "Save as animated GIF" : "Save as strip";
    spec.filter = gif ? "GIF files (*.gif)" : "Bitmap files (*.bmp)";
    spec.defaultExtension = gif ? "gif" : "bmp";
    spec.save = true;
    spec.folder = gif ? Prefs().SpriteDir : Prefs().StripDir;
    std::optional<std::string> file = UsedEditorDialogs().ChooseFile(spec);
    if (!file) return false;
    (gif ? Prefs().SpriteDir : Prefs().StripDir) = FolderOf(*file);
    ShowProgressWhenSlow();
    bool saved = gif ? mFrames->SaveAsGif(*file) : mFrames->SaveAsStrip(*file);
    if (!saved) ShowMessage(kFailedToSaveSpriteFile);
    return false;
}

bool SpriteEditSession::FromStrip(bool add) {
    std::optional<std::string> file = UsedEditorDialogs().ChooseFile(
        OpenSpec("OpenStripDialog", "Open a strip", mPictureFilter, Prefs().StripDir));
    if (!file) return false;
    Prefs().StripDir = FolderOf(*file);
    std::optional<Picture> picture = ReadPictureFile(*file);
    if (!picture) {
        ShowMessage("Could not load the file.");
        return false;
    }
    Image working = Bitmap24_FromGraphic(*picture, true);
    StripSettings& settings = CurrentStripSettings();
    if (add) {
        settings.width = mFrames->Width();
        settings.height = mFrames->Height();
    }
    if (!AskStrip(*working, add) || settings.number <= 0) return false;
    long long count = settings.number + (add ? mFrames->FrameCount() : 0);
    if (!SizeAllowed(count, settings.width, settings.height)) return false;
    std::optional<std::vector<Image>> frames = CutStrip(*working, settings);
    if (!frames || frames->empty()) return false;
    if (add) {
        BeginChange();
        for (const Image& frame : *frames) mFrames->AddImage(*frame);
        KeepSelectionInRange();
    } else {
        auto created = std::make_unique<TAnimation>(settings.width, settings.height);
        created->SetTransparent(mFrames->Transparent());
        for (const Image& frame : *frames) created->AddImage(*frame);
        ReplaceSet(std::move(created));
    }
    mSelected = 0;
    return true;
}

// Edit menu.

bool SpriteEditSession::RunEdit(const SpriteMenuItem& item) {
    int count = mFrames->FrameCount();
    switch (item.command) {
    case C::Undo:
        if (!mUndo) return false;
        std::swap(mFrames, mUndo);
        mChanged = true;
        KeepSelectionInRange();
        if (mSelected < 0 && mFrames->FrameCount() > 0) mSelected = 0;
        return true;
    case C::Cut:
    case C::Copy:
        mClipboard.Put(*mFrames->GetImage(mSelected));
        if (item.command == C::Copy) return false;
        BeginChange();
        mFrames->Delete(mSelected);
        KeepSelectionInRange();
        return true;
    case C::Paste: return Paste();
    case C::Clear:
        BeginChange();
        mFrames->Delete(mSelected);
        mFrames->InsertEmpty(mSelected);
        return true;
    case C::Delete:
        BeginChange();
        mFrames->Delete(mSelected);
        KeepSelectionInRange();
        return true;
    case C::MoveLeft: return MoveFrame(mSelected, mSelected - 1);
    case C::MoveRight: return MoveFrame(mSelected, mSelected + 1);
    case C::AddEmpty:
        if (!SizeAllowed(count + 1LL, mFrames->Width(), mFrames->Height())) return false;
        BeginChange();
        mFrames->AddEmpty();
        mSelected = count;
        return true;
    case C::InsertEmpty:
        if (!SizeAllowed(count + 1LL, mFrames->Width(), mFrames->Height())) return false;
        BeginChange();
        mFrames->InsertEmpty(mSelected);
        return true;
    case C::EditImage: return EditSelected();
    default: return false;
    }
}

bool SpriteEditSession::Paste() {
    Image pasted = mClipboard.Take();
    if (!pasted) return false;
    Image frame = Fitted(*pasted);
    if (!frame) return false;
    if (!SizeAllowed(mFrames->FrameCount() + 1LL, mFrames->Width(), mFrames->Height())) return false;
    BeginChange();
    mFrames->InsertImage(std::max(mSelected, 0), *frame);
    mSelected = std::min(mSelected + 1, mFrames->FrameCount() - 1);
    return true;
}

bool SpriteEditSession::EditSelected() {
    Bitmap24 copy = *mFrames->GetImage(mSelected);
    bool single = mFrames->FrameCount() == 1;
    ImageEditContext context;
    for (int neighbour : {mSelected - 1, mSelected + 1})
        if (neighbour >= 0 && neighbour < mFrames->FrameCount()) context.neighbours.push_back(*mFrames->GetImage(neighbour));
    if (!EditImage(copy, single, mFrames->Transparent(), context)) return false;
    BeginChange();
    if (single && (copy.Width() != mFrames->Width() || copy.Height() != mFrames->Height()))
        mFrames->ResizeCanvas(copy.Width(), copy.Height(), 7);
    mFrames->Replace(mSelected, copy);
    return true;
}

// Transform menu.

bool SpriteEditSession::RunTransform(const SpriteMenuItem& item) {
    std::array<int, 3> v{};
    switch (item.command) {
    case C::Mirror: BeginChange(); mFrames->Mirror(); return true;
    case C::Flip: BeginChange(); mFrames->Flip(); return true;
    case C::Shift:
        if (!AskItemValues(item, v)) return false;
        BeginChange();
        mFrames->Shift(v[0], v[1]);
        return true;
    case C::Rotate90Clockwise: BeginChange(); mFrames->Rotate(1, 270); return true;
    case C::Rotate90Counter: BeginChange(); mFrames->Rotate(1, 90); return true;
    case C::Rotate180: BeginChange(); mFrames->Rotate(1, 180); return true;
    case C::Rotate:
        if (!AskItemValues(item, v)) return false;
        BeginChange();
        mFrames->Rotate(std::clamp(v[1], 1, 9), v[0]);
        return true;
    case C::ResizeCanvas:
    case C::Stretch:
    case C::Scale: return Resize(item);
    default: return false;
    }
}

bool SpriteEditSession::Resize(const SpriteMenuItem& item) {
    ResizeKind kind = item.command == C::ResizeCanvas ? ResizeKind::Canvas
                      : item.command == C::Stretch    ? ResizeKind::Stretch
                                                      : ResizeKind::Scale;
    std::optional<ResizeChoice> choice =
        UsedSpriteEditDialogs().AskResize(item.title, kind, mFrames->Width(), mFrames->Height());
    if (!choice || !SizeAllowed(mFrames->FrameCount(), choice->width, choice->height)) return false;
    BeginChange();
    switch (kind) {
    case ResizeKind::Canvas: mFrames->ResizeCanvas(choice->width, choice->height, choice->placement); break;
    case ResizeKind::Stretch: mFrames->Stretch(choice->width, choice->height, choice->quality); break;
    case ResizeKind::Scale:
        mFrames->Scale(choice->width, choice->height, choice->placement, choice->quality);
        break;
    }
    return true;
}

// Images menu.

bool SpriteEditSession::RunImages(const SpriteMenuItem& item) {
    std::array<int, 3> v{};
    const Bitmap24& first = *mFrames->GetImage(0);
    bool t = mFrames->Transparent();
    switch (item.command) {
    case C::CycleLeft: BeginChange(); mFrames->Move(0, mFrames->FrameCount() - 1); return true;
    case C::CycleRight: BeginChange(); mFrames->Move(mFrames->FrameCount() - 1, 0); return true;
    case C::BlackAndWhite: BeginChange(); mFrames->BlackAndWhite(); return true;
    case C::SetHue:
    case C::ColorizePartial:
    case C::ShiftHue: {
        HueMode mode = item.command == C::SetHue ? HueMode::Set
                       : item.command == C::ShiftHue ? HueMode::Shift
                                                     : HueMode::Partial;
        std::optional<HueChoice> hue = UsedSpriteEditDialogs().AskHue(mode, first, t);
        if (!hue) return false;
        BeginChange();
        if (mode == HueMode::Set) mFrames->Colorize(hue->hue);
        else if (mode == HueMode::Shift) mFrames->ShiftHue(hue->hue);
        else mFrames->ColorizePartially(hue->oldHue - hue->precision, hue->oldHue + hue->precision, hue->hue);
        return true;
    }
    case C::ChangeSaturation: {
        std::optional<IntensityChoice> intensity = UsedSpriteEditDialogs().AskIntensity(first, t);
        if (!intensity || (!intensity->value && !intensity->saturation)) return false;
        BeginChange();
        if (intensity->value) mFrames->ChangeValue(*intensity->value);
        if (intensity->saturation) mFrames->ChangeSaturation(*intensity->saturation);
        return true;
    }
    case C::Fade: {
        if (!AskItemValues(item, v) || v[0] < 0) return false;
        std::optional<std::int32_t> color = UsedEditorDialogs().ChooseColor(0);
        if (!color) return false;
        BeginChange();
        mFrames->Fade(*color, std::min(v[0], 256));
        return true;
    }
    case C::Transparency:
        if (!AskItemValues(item, v) || v[0] < 0) return false;
        BeginChange();
        mFrames->Transparency(std::min(v[0], 256));
        return true;
    case C::Blur:
        if (!AskItemValues(item, v) || v[0] <= 0) return false;
        BeginChange();
        mFrames->Blur(std::min(v[0], 9));
        return true;
    case C::Crop:
        if (!AskItemValues(item, v)) return false;
        if (!mFrames->CropFits(v[0])) {
            ShowMessage(kSpriteTooLargeMessage);
            return false;
        }
        BeginChange();
        mFrames->Crop(std::max(v[0], 0));
        KeepSelectionInRange();
        return true;
    default: return false;
    }
}

// Animation menu.

std::unique_ptr<TAnimation> SpriteEditSession::AskOtherSet() {
    std::optional<std::string> file = UsedEditorDialogs().ChooseFile(
        OpenSpec("OpenOtherSpriteDialog", "Open an image", mPictureFilter, Prefs().SpriteDir));
    if (!file) return nullptr;
    Prefs().SpriteDir = FolderOf(*file);
    std::unique_ptr<TAnimation> other = TAnimation::FromFile(*file);
    if (!other || other->FrameCount() == 0) {
        ShowMessage(kCouldNotLoadParticularFile);
        return nullptr;
    }
    if (other->Width() != mFrames->Width() || other->Height() != mFrames->Height())
        other->Stretch(mFrames->Width(), mFrames->Height(), 3);
    return other;
}

bool SpriteEditSession::RunAnimation(const SpriteMenuItem& item) {
    const TAnimation& source = *mFrames;
    std::array<int, 3> v{};
    int smallest = item.command == C::SetLength || item.command == C::StretchLength || item.command == C::Overlay
                       ? 1
                       : 2;
    bool asks = item.count > 0;
    if (asks) {
        if (!AskItemValues(item, v) || v[0] < smallest) return false;
        if (!SizeAllowed(v[0], source.Width(), source.Height())) return false;
    } else if (item.command == C::AddReverse &&
               !SizeAllowed(2LL * source.FrameCount(), source.Width(), source.Height())) {
        return false;
    }
    int n = v[0];
    std::unique_ptr<TAnimation> other;
    std::optional<HueChoice> hue;
    std::optional<std::int32_t> color;
    if (item.command == C::Overlay || item.command == C::Morph) {
        if (!(other = AskOtherSet())) return false;
    } else if (item.command == C::Colorize) {
        if (!(hue = UsedSpriteEditDialogs().AskHue(HueMode::Set, *source.GetImage(0), source.Transparent())))
            return false;
    } else if (item.command == C::FadeToColor) {
        if (!(color = UsedEditorDialogs().ChooseColor(0))) return false;
    }
    ShowProgressWhenSlow();
    std::unique_ptr<TAnimation> made;
    switch (item.command) {
    case C::SetLength: made = Animation_SetLength(source, n); break;
    case C::StretchLength: made = Animation_StretchLength(source, n); break;
    case C::Reverse: made = Animation_Reverse(source); break;
    case C::AddReverse: made = Animation_AddReverse(source); break;
    case C::Translate: made = Animation_Translation(source, n, v[1], v[2]); break;
    case C::Clockwise: made = Animation_Rotation(source, n, -v[1]); break;
    case C::CounterClockwise: made = Animation_Rotation(source, n, v[1]); break;
    case C::Colorize: made = Animation_Colorize(source, n, hue->hue); break;
    case C::FadeToColor: made = Animation_FadeTo(source, n, *color); break;
    case C::Disappear: made = Animation_Disappear(source, n); break;
    case C::Shrink: made = Animation_Shrink(source, n, item.placement); break;
    case C::Grow: made = Animation_Grow(source, n, item.placement); break;
    case C::Flatten: made = Animation_Flatten(source, n, item.placement); break;
    case C::Raise: made = Animation_Raise(source, n, item.placement); break;
    case C::Overlay: made = Animation_Overlay(source, *other, n); break;
    case C::Morph: made = Animation_Morph(source, *other, n); break;
    default: return false;
    }
    ReplaceSet(std::move(made));
    return true;
}

}  // namespace kestrin
