// Text files through stdio with a read-ahead of our own (a number needs a
// look at the characters after it); binary files through a descriptor and
// positioned reads and writes, so reading and writing mix freely.

#include "engine/open_files.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/script/builtin_functions.h"

namespace kestrin::engine {

namespace {

constexpr std::size_t kReadChunk = 1 << 16;
// Longer runs of digits than any real needs are not one number.
constexpr std::size_t kMaxNumberText = 400;

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

// A regular file only: opening does not wait (a pipe would wait for its
// other end), and a folder, device or pipe is refused. -1 when refused.
int OpenRegular(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return -1;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::fcntl(fd, F_SETFL, flags & O_APPEND) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::unique_ptr<TextFile> TextFile::Open(const std::string& path, Mode mode) {
    const int flags = mode == Mode::Read    ? O_RDONLY
                      : mode == Mode::Write ? O_WRONLY | O_CREAT | O_TRUNC
                                            : O_WRONLY | O_CREAT | O_APPEND;
    const int fd = OpenRegular(path, flags);
    if (fd < 0) return nullptr;
    std::FILE* file = ::fdopen(fd, mode == Mode::Read ? "rb" : mode == Mode::Write ? "wb" : "ab");
    if (!file) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<TextFile>(new TextFile(file, mode == Mode::Read));
}

TextFile::~TextFile() {
    if (mFile) std::fclose(mFile);
}

int TextFile::Peek(std::size_t ahead) {
    while (mPosition + ahead >= mBuffer.size()) {
        mBuffer.erase(0, mPosition);
        mPosition = 0;
        const std::size_t had = mBuffer.size();
        mBuffer.resize(had + kReadChunk);
        const std::size_t got = std::fread(mBuffer.data() + had, 1, kReadChunk, mFile);
        mBuffer.resize(had + got);
        if (got == 0) return -1;
    }
    return static_cast<unsigned char>(mBuffer[mPosition + ahead]);
}

int TextFile::Take() {
    const int c = Peek();
    if (c >= 0) ++mPosition;
    return c;
}

std::string TextFile::ReadString() {
    std::string text;
    for (int c = Peek(); c >= 0 && c != '\r' && c != '\n' && text.size() < kMaxStringLength; c = Peek())
        text += static_cast<char>(Take());
    return text;
}

double TextFile::ReadReal() {
    while (Peek() == ' ' || Peek() == '\t') Take();
    std::size_t n = 0;
    if (Peek(n) == '-' || Peek(n) == '+') ++n;
    std::size_t digits = 0;
    while (IsDigit(Peek(n)) && n < kMaxNumberText) ++n, ++digits;
    if (Peek(n) == '.') {
        ++n;
        while (IsDigit(Peek(n)) && n < kMaxNumberText) ++n, ++digits;
    }
    if (digits == 0) return 0.0;
    if (Peek(n) == 'e' || Peek(n) == 'E') {
        std::size_t e = n + 1;
        if (Peek(e) == '-' || Peek(e) == '+') ++e;
        if (IsDigit(Peek(e))) {
            n = e;
            while (IsDigit(Peek(n)) && n < kMaxNumberText) ++n;
        }
    }
    std::string number;
    for (std::size_t i = 0; i < n; ++i) number += static_cast<char>(Take());
    const char* first = number.c_str() + (number[0] == '+');
    double value = 0.0;
    std::from_chars(first, number.c_str() + number.size(), value);
    return value;
}

void TextFile::ReadLine() {
    for (int c = Take(); c >= 0; c = Take()) {
        if (c == '\n') return;
        if (c == '\r') {
            if (Peek() == '\n') Take();
            return;
        }
    }
}

bool TextFile::Eof() { return Peek() < 0; }

bool TextFile::Write(const std::string& text) {
    if (text.empty()) return true;
    mLineStart = text.back() == '\n';
    return std::fwrite(text.data(), 1, text.size(), mFile) == text.size();
}

bool TextFile::WriteReal(double value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, error == std::errc() ? end : buffer);
    if (!mLineStart) text.insert(text.begin(), ' ');
    if (!Write(text)) return false;
    mLineStart = false;
    return true;
}

bool TextFile::WriteLine() { return Write("\n"); }

bool TextFile::Close() {
    std::FILE* file = mFile;
    mFile = nullptr;
    const bool wasError = std::ferror(file) != 0;
    return std::fclose(file) == 0 && !wasError;
}

std::unique_ptr<BinaryFile> BinaryFile::Open(const std::string& path, int mode) {
    if (mode < 0 || mode > 2) return nullptr;
    const int flags = mode == 0 ? O_RDONLY : (mode == 1 ? O_WRONLY : O_RDWR) | O_CREAT;
    const int fd = OpenRegular(path, flags);
    if (fd < 0) return nullptr;
    return std::unique_ptr<BinaryFile>(new BinaryFile(fd, mode));
}

BinaryFile::~BinaryFile() { ::close(mFd); }

std::int64_t BinaryFile::Size() const {
    struct stat info;
    return ::fstat(mFd, &info) == 0 ? static_cast<std::int64_t>(info.st_size) : 0;
}

void BinaryFile::Seek(double position) {
    const double size = static_cast<double>(Size());
    mPosition = std::isnan(position) ? 0 : static_cast<std::int64_t>(std::clamp(std::floor(position), 0.0, size));
}

int BinaryFile::ReadByte() {
    unsigned char byte;
    if (::pread(mFd, &byte, 1, mPosition) != 1) return -1;
    ++mPosition;
    return byte;
}

bool BinaryFile::WriteByte(int byte) {
    const unsigned char value = static_cast<unsigned char>(byte);
    if (::pwrite(mFd, &value, 1, mPosition) != 1) return false;
    ++mPosition;
    return true;
}

bool BinaryFile::Rewrite() {
    mPosition = 0;
    return ::ftruncate(mFd, 0) == 0;
}

}  // namespace kestrin::engine
