#pragma once
// The files a game opens: text files read a line, a string or a number at
// a time or written in the same pieces; binary files read and written a byte
// at a time anywhere from the start to the end.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace kestrin::engine {

class TextFile {
public:
    enum class Mode { Read, Write, Append };
    // Null when the file cannot be opened that way.
    static std::unique_ptr<TextFile> Open(const std::string& path, Mode mode);
    ~TextFile();

    bool Reading() const { return mReading; }

    // Reading: up to the end of the line (without the line break, and no
    // further than the longest string a game may hold); a number after
    // spaces and tabs (0 when none is there); past the next line break.
    std::string ReadString();
    double ReadReal();
    void ReadLine();
    bool Eof();

    // Writing; false when the system refused. A number is set off from
    // text before it on the same line by a space, so it reads back.
    bool Write(const std::string& text);
    bool WriteReal(double value);
    bool WriteLine();
    // False when what was written could not all be stored.
    bool Close();

private:
    TextFile(std::FILE* file, bool reading) : mFile(file), mReading(reading) {}
    // The next character without taking it; -1 at the end.
    int Peek(std::size_t ahead = 0);
    int Take();

    std::FILE* mFile;
    bool mReading;
    std::string mBuffer;  // read ahead
    std::size_t mPosition = 0;
    bool mLineStart = true;  // nothing written yet on this line
};

class BinaryFile {
public:
    // 0 reading an existing file, 1 writing and 2 both (either creates a
    // missing file and keeps what is in an existing one).
    static std::unique_ptr<BinaryFile> Open(const std::string& path, int mode);
    ~BinaryFile();

    bool CanRead() const { return mMode != 1; }
    bool CanWrite() const { return mMode != 0; }
    std::int64_t Size() const;
    std::int64_t Position() const { return mPosition; }
    // Clamped to the file: from 0 to its size.
    void Seek(double position);
    // -1 at the end.
    int ReadByte();
    bool WriteByte(int byte);
    // Empties the file and starts again at 0.
    bool Rewrite();

private:
    BinaryFile(int fd, int mode) : mFd(fd), mMode(mode) {}
    int mFd;
    int mMode;
    std::int64_t mPosition = 0;
};

}  // namespace kestrin::engine
