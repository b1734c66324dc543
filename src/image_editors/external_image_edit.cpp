// The external paint program's round trip through a scratch file.

#include "image_editors/external_image_edit.h"

#include "imaging/bmp_codec.h"
#include "imaging/picture.h"
#include "platform/external_program.h"
#include "platform/file_system.h"
#include "platform/scratch_folder.h"
#include "platform/user_interface.h"

namespace kestrin {

bool EditImageExternally(Bitmap24& image, bool allowResize, const std::string& program,
                         const std::function<void(bool)>& showMainWindow) {
    const std::string file = TempFileName(".bmp");
    try {
        std::vector<std::uint8_t> bmp = EncodeBmp(image);
        WriteFileAtomically(file, bmp.data(), bmp.size());
    } catch (const FileError&) {
        ShowMessage(kImageWriteFailed);
        return false;
    }
    showMainWindow(false);
    RunProgram(program, {file}, ExtractFilePath(program), true);
    showMainWindow(true);

    std::optional<Picture> picture = FileExists(file) ? ReadPictureFile(file) : std::nullopt;
    DeleteFile(file);
    if (!picture || !picture->image) {
        ShowMessage(kImageReadBackFailed);
        return false;
    }
    const Bitmap24& read = *picture->image;
    if (allowResize && (read.Width() != image.Width() || read.Height() != image.Height())) {
        Bitmap24 resized(read.Width(), read.Height());
        resized.Draw(image, 0, 0);
        image = std::move(resized);
    }
    image.Draw(read, 0, 0);
    return true;
}

}  // namespace kestrin
