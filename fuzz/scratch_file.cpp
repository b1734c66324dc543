// The scratch folder of the fuzz targets: one per process, so several
// fuzzers and the replay can run side by side.

#include "scratch_file.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "targets.h"

namespace kestrin::fuzz {

namespace {

class ScratchFolder {
public:
    ScratchFolder()
        : mPath(std::filesystem::temp_directory_path() / ("kestrin-fuzz-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(mPath);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(mPath, ignored);
    }
    const std::filesystem::path& Path() const { return mPath; }

private:
    std::filesystem::path mPath;
};

}  // namespace

std::string WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    static ScratchFolder folder;
    const std::filesystem::path path = folder.Path() / name;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    file.close();
    FuzzExpect(file.good(), "cannot write the scratch file");
    return path.string();
}

}  // namespace kestrin::fuzz
