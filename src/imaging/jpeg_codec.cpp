// JPEG decoding. The library reports fatal errors through a callback that
// must not return, so it jumps back here and the image is dropped.

#include "imaging/jpeg_codec.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

#include "imaging/picture.h"

namespace kestrin {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void OnMessage(j_common_ptr, int) {}  // warnings about damaged data are not shown

}  // namespace

bool LooksLikeJpeg(const std::uint8_t* bytes, std::size_t size) {
    return size >= 3 && bytes[0] == 0xff && bytes[1] == 0xd8 && bytes[2] == 0xff;
}

Image DecodeJpeg(const std::uint8_t* bytes, std::size_t size) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    errors.base.emit_message = OnMessage;
    // Everything that must be freed after a jump lives outside this frame's
    // automatic variables, so a jump never skips a destructor.
    Image* image = new Image();
    std::vector<JSAMPLE>* line = new std::vector<JSAMPLE>();
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        delete image;
        delete line;
        return nullptr;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    // A file cut short still decodes to its full size, so the frame header
    // alone sets the work. Huffman coding spends at least one bit on every
    // 8 x 8 block, 512 grey pixels a byte; more than twice that is refused.
    if (!PictureSizeAllowed(info.image_width, info.image_height, size, 1024)) {
        jpeg_destroy_decompress(&info);
        delete image;
        delete line;
        return nullptr;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    *image = std::make_unique<Bitmap24>(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    line->resize(static_cast<std::size_t>(info.output_width) * info.output_components);
    while (info.output_scanline < info.output_height) {
        int y = static_cast<int>(info.output_scanline);
        JSAMPROW row = line->data();
        jpeg_read_scanlines(&info, &row, 1);
        const JSAMPLE* s = line->data();
        std::uint8_t* d = (*image)->Row(y);
        for (JDIMENSION x = 0; x < info.output_width; ++x, s += 3, d += 3) {
            d[0] = s[2];
            d[1] = s[1];
            d[2] = s[0];
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    Image result = std::move(*image);
    delete image;
    delete line;
    return result;
}

}  // namespace kestrin
