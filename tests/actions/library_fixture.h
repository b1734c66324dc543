#pragma once
// Helpers for the action library tests: small BMP files and library files
// written with the record writer.

#include <cstdint>
#include <functional>
#include <string>

#include "actions/action_definition.h"
#include "stream/stream.h"

namespace kestrin::test {

// A 24-bit BMP of the given size; pixel(x, y) gives 0xRRGGBB, y from the top.
inline std::string MakeBmp(int width, int height, const std::function<std::uint32_t(int, int)>& pixel) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    std::string out = "BM";
    auto put = [&out](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    put(54 + rowBytes * height, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(static_cast<std::uint32_t>(rowBytes * height), 4);
    out.append(16, '\0');  // resolution and palette counts
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixel(x, y);
            out.push_back(static_cast<char>(p & 0xFF));
            out.push_back(static_cast<char>((p >> 8) & 0xFF));
            out.push_back(static_cast<char>((p >> 16) & 0xFF));
        }
        out.append(static_cast<std::size_t>(rowBytes - width * 3), '\0');
    }
    return out;
}

// A 24 x 24 icon: white see-through ground with a square of one colour.
inline std::string SquareIcon(std::uint32_t rgb) {
    return MakeBmp(24, 24, [rgb](int x, int y) { return x > 4 && x < 18 && y > 4 && y < 18 ? rgb : 0xFFFFFFu; });
}

// A library with `count` ordinary definitions, ids 1..count, each with an icon.
inline CActionLibrary MakeLibrary(const std::string& caption, std::int32_t id, int count) {
    CActionLibrary library;
    library.Caption = caption;
    library.Id = id;
    for (int i = 1; i <= count; ++i) {
        CActionDefinition& definition = library.AddDefinition();
        definition.Id = i;
        definition.Description = caption + " action " + std::to_string(i);
        definition.Image = SquareIcon(static_cast<std::uint32_t>(i * 40));
    }
    return library;
}

inline std::string LibraryBytes(const CActionLibrary& library, std::int32_t defVersion = kLibraryVersionMax) {
    CStream stream;
    library.SaveToStream(stream, defVersion);
    return std::string(stream.View());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    CStream stream(bytes);
    stream.SaveToFile(path);
}

inline void WriteLibrary(const std::string& path, const CActionLibrary& library) {
    WriteBytes(path, LibraryBytes(library));
}

}  // namespace kestrin::test
