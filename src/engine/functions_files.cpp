// File functions: text files and binary files by handle (1 to 32 of each
// kind open at once), the single file of the file_* functions, files and
// folders, file names, and the ini file. Relative names start from the
// working folder, which is the game's folder when the game is run. A handle
// that is not open, and a file that cannot be opened, read or written, is a
// run-time error; deleting, renaming, copying and making folders answer
// true or false instead, as a game tests for them. Renaming never replaces
// an existing file; copying does. There are no drives here, so
// filename_drive is always empty. The attributes are the ones file_search.h
// describes.

#include <charconv>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "engine/file_search.h"
#include "engine/game_shell.h"
#include "engine/world.h"
#include "engine/world_functions.h"
#include "platform/file_system.h"

namespace kestrin::engine {

namespace {

// An ini file larger than this is no settings file; one a game makes larger
// is refused.
constexpr std::size_t kMaxIniBytes = 4 << 20;

GameSystem& System(FunctionCall& call) { return call.world.Shell().System(); }

// The handle as an index into the table, or -1.
int Slot(FunctionCall& call) {
    const double handle = call.Real(0);
    if (!(handle >= 1 && handle <= GameSystem::kMaxOpenFiles) || handle != std::floor(handle)) return -1;
    return static_cast<int>(handle) - 1;
}

// --- text files ---------------------------------------------------------

template <TextFile::Mode Mode>
Value TextOpen(FunctionCall& call) {
    auto& files = System(call).textFiles;
    const std::string name = call.Text(0);
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (files[i]) continue;
        files[i] = TextFile::Open(name, Mode);
        if (!files[i])
            return call.Fail("Cannot open the file " + name + (Mode == TextFile::Mode::Read ? " for reading." : " for writing."));
        return static_cast<double>(i + 1);
    }
    return call.Fail("Too many text files are open (at most 32).");
}

// The open text file the handle names, or null after failing the call.
TextFile* TextFileOf(FunctionCall& call, bool reading) {
    const int slot = Slot(call);
    TextFile* file = slot < 0 ? nullptr : System(call).textFiles[slot].get();
    if (!file) {
        call.Fail("Text file " + call.Text(0) + " is not open.");
        return nullptr;
    }
    if (file->Reading() != reading) {
        call.Fail("Text file " + call.Text(0) + (reading ? " is open for writing, not reading." : " is open for reading, not writing."));
        return nullptr;
    }
    return file;
}

Value TextClose(FunctionCall& call) {
    const int slot = Slot(call);
    auto& files = System(call).textFiles;
    if (slot < 0 || !files[slot]) return call.Fail("Text file " + call.Text(0) + " is not open.");
    const bool written = files[slot]->Close();
    files[slot].reset();
    if (!written) return call.Fail("Cannot write the text file " + call.Text(0) + ".");
    return 0.0;
}

Value Written(FunctionCall& call, bool ok) { return ok ? Value(0.0) : call.Fail("Cannot write to the file."); }

// The same reading and writing serve handles and the single file.
Value ReadString(TextFile* file) { return file ? Value(file->ReadString()) : Value(0.0); }
Value ReadReal(TextFile* file) { return file ? file->ReadReal() : 0.0; }
Value ReadLine(TextFile* file) {
    if (file) file->ReadLine();
    return 0.0;
}
Value Eof(TextFile* file) { return file && file->Eof() ? 1.0 : 0.0; }

Value TextReadString(FunctionCall& call) { return ReadString(TextFileOf(call, true)); }
Value TextReadReal(FunctionCall& call) { return ReadReal(TextFileOf(call, true)); }
Value TextReadLine(FunctionCall& call) { return ReadLine(TextFileOf(call, true)); }
Value TextEof(FunctionCall& call) { return Eof(TextFileOf(call, true)); }
Value TextWriteString(FunctionCall& call) {
    TextFile* file = TextFileOf(call, false);
    return file ? Written(call, file->Write(call.Text(1))) : 0.0;
}
Value TextWriteReal(FunctionCall& call) {
    TextFile* file = TextFileOf(call, false);
    return file ? Written(call, file->WriteReal(call.Real(1))) : 0.0;
}
Value TextWriteLine(FunctionCall& call) {
    TextFile* file = TextFileOf(call, false);
    return file ? Written(call, file->WriteLine()) : 0.0;
}

// --- the single file ----------------------------------------------------

template <TextFile::Mode Mode>
Value SingleOpen(FunctionCall& call) {
    auto& file = System(call).singleFile;
    if (file) file->Close();
    file = TextFile::Open(call.Text(0), Mode);
    if (!file)
        return call.Fail("Cannot open the file " + call.Text(0) + (Mode == TextFile::Mode::Read ? " for reading." : " for writing."));
    return 0.0;
}

TextFile* SingleFile(FunctionCall& call, bool reading) {
    TextFile* file = System(call).singleFile.get();
    if (!file) {
        call.Fail("No file is open.");
        return nullptr;
    }
    if (file->Reading() != reading) {
        call.Fail(reading ? "The file is open for writing, not reading." : "The file is open for reading, not writing.");
        return nullptr;
    }
    return file;
}

Value SingleClose(FunctionCall& call) {
    auto& file = System(call).singleFile;
    if (!file) return call.Fail("No file is open.");
    const bool written = file->Close();
    file.reset();
    return written ? Value(0.0) : call.Fail("Cannot write the file.");
}

Value SingleReadString(FunctionCall& call) { return ReadString(SingleFile(call, true)); }
Value SingleReadReal(FunctionCall& call) { return ReadReal(SingleFile(call, true)); }
Value SingleReadLine(FunctionCall& call) { return ReadLine(SingleFile(call, true)); }
Value SingleEof(FunctionCall& call) { return Eof(SingleFile(call, true)); }
Value SingleWriteString(FunctionCall& call) {
    TextFile* file = SingleFile(call, false);
    return file ? Written(call, file->Write(call.Text(0))) : 0.0;
}
Value SingleWriteReal(FunctionCall& call) {
    TextFile* file = SingleFile(call, false);
    return file ? Written(call, file->WriteReal(call.Real(0))) : 0.0;
}
Value SingleWriteLine(FunctionCall& call) {
    TextFile* file = SingleFile(call, false);
    return file ? Written(call, file->WriteLine()) : 0.0;
}

// --- binary files -------------------------------------------------------

Value BinOpen(FunctionCall& call) {
    const double mode = call.Real(1);
    if (mode != 0 && mode != 1 && mode != 2) return call.Fail("Unknown file mode " + call.Text(1) + " (0 read, 1 write, 2 both).");
    auto& files = System(call).binaryFiles;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (files[i]) continue;
        files[i] = BinaryFile::Open(call.Text(0), static_cast<int>(mode));
        if (!files[i]) return call.Fail("Cannot open the file " + call.Text(0) + ".");
        return static_cast<double>(i + 1);
    }
    return call.Fail("Too many binary files are open (at most 32).");
}

BinaryFile* BinaryFileOf(FunctionCall& call) {
    const int slot = Slot(call);
    BinaryFile* file = slot < 0 ? nullptr : System(call).binaryFiles[slot].get();
    if (!file) call.Fail("Binary file " + call.Text(0) + " is not open.");
    return file;
}

Value BinClose(FunctionCall& call) {
    if (!BinaryFileOf(call)) return 0.0;
    System(call).binaryFiles[Slot(call)].reset();
    return 0.0;
}

Value BinRewrite(FunctionCall& call) {
    BinaryFile* file = BinaryFileOf(call);
    if (!file) return 0.0;
    if (!file->CanWrite()) return call.Fail("Binary file " + call.Text(0) + " is open for reading only.");
    return file->Rewrite() ? Value(0.0) : call.Fail("Cannot empty binary file " + call.Text(0) + ".");
}

Value BinSize(FunctionCall& call) {
    BinaryFile* file = BinaryFileOf(call);
    return file ? static_cast<double>(file->Size()) : 0.0;
}

Value BinPosition(FunctionCall& call) {
    BinaryFile* file = BinaryFileOf(call);
    return file ? static_cast<double>(file->Position()) : 0.0;
}

Value BinSeek(FunctionCall& call) {
    if (BinaryFile* file = BinaryFileOf(call)) file->Seek(call.Real(1));
    return 0.0;
}

Value BinReadByte(FunctionCall& call) {
    BinaryFile* file = BinaryFileOf(call);
    if (!file) return 0.0;
    if (!file->CanRead()) return call.Fail("Binary file " + call.Text(0) + " is open for writing only.");
    return static_cast<double>(file->ReadByte());
}

// The byte is the value modulo 256.
Value BinWriteByte(FunctionCall& call) {
    BinaryFile* file = BinaryFileOf(call);
    if (!file) return 0.0;
    if (!file->CanWrite()) return call.Fail("Binary file " + call.Text(0) + " is open for reading only.");
    const double value = call.Real(1);
    const int byte = std::isfinite(value) ? static_cast<int>(std::fmod(std::floor(value), 256.0) + 256) % 256 : 0;
    return file->WriteByte(byte) ? Value(0.0) : call.Fail("Cannot write to binary file " + call.Text(0) + ".");
}

// --- files and folders --------------------------------------------------

Value Exists(FunctionCall& call) { return Truth(FileExists(call.Text(0))); }
Value Delete(FunctionCall& call) { return Truth(FileExists(call.Text(0)) && DeleteFile(call.Text(0))); }
Value Rename(FunctionCall& call) {
    const std::string from = call.Text(0), to = call.Text(1);
    return Truth(PathExists(from) && !PathExists(to) && RenameFile(from, to));
}
Value Copy(FunctionCall& call) {
    std::error_code error;
    return Truth(FileExists(call.Text(0)) &&
                 std::filesystem::copy_file(call.Text(0), call.Text(1),
                                            std::filesystem::copy_options::overwrite_existing, error) &&
                 !error);
}
Value DirectoryExists(FunctionCall& call) { return Truth(FolderExists(call.Text(0))); }
Value DirectoryCreate(FunctionCall& call) { return Truth(!call.Text(0).empty() && CreateFolders(call.Text(0))); }

// Every attribute asked for; with none asked, whether the file is there.
Value Attributes(FunctionCall& call) {
    const int has = FileAttributes(call.Text(0));
    const int wanted = call.Int(1) & 63;
    return Truth(has >= 0 && (has & wanted) == wanted);
}

Value NextFound(GameSystem& system) {
    if (system.nextFound >= system.found.size()) return std::string();
    return system.found[system.nextFound++];
}

Value FindFirst(FunctionCall& call) {
    GameSystem& system = System(call);
    system.found = FindFiles(call.Text(0), call.Int(1));
    system.nextFound = 0;
    return NextFound(system);
}
Value FindNext(FunctionCall& call) { return NextFound(System(call)); }
Value FindClose(FunctionCall& call) {
    System(call).found.clear();
    System(call).nextFound = 0;
    return 0.0;
}

// --- file names ---------------------------------------------------------

Value NameOf(FunctionCall& call) { return ExtractFileName(call.Text(0)); }
Value PathOf(FunctionCall& call) { return ExtractFilePath(call.Text(0)); }
Value DirOf(FunctionCall& call) {
    std::string folder = ExtractFilePath(call.Text(0));
    if (folder.size() > 1) folder.pop_back();
    return folder;
}
Value DriveOf(FunctionCall&) { return std::string(); }
Value ExtOf(FunctionCall& call) { return ExtractFileExt(call.Text(0)); }
Value ChangeExt(FunctionCall& call) { return ChangeFileExt(call.Text(0), call.Text(1)); }

// --- the ini file -------------------------------------------------------

// Writes the open ini file when it changed; false after failing the call.
bool SaveIni(FunctionCall& call) {
    std::string error;
    if (System(call).SaveIni(error)) return true;
    call.Fail(error);
    return false;
}

Value IniOpen(FunctionCall& call) {
    GameSystem& system = System(call);
    const bool saved = SaveIni(call);
    system.ini.reset();
    if (!saved) return 0.0;
    const std::string path = call.Text(0);
    std::string text;
    if (FileExists(path)) {
        std::error_code error;
        const auto size = std::filesystem::file_size(path, error);
        if (error || size > kMaxIniBytes) return call.Fail("The ini file " + path + " is too large.");
        try {
            const auto bytes = ReadRegularFile(path);
            text.assign(bytes.begin(), bytes.end());
        } catch (const FileError&) {
            return call.Fail("Cannot read the ini file " + path + ".");
        }
        if (text.size() > kMaxIniBytes) return call.Fail("The ini file " + path + " is too large.");
    }
    system.ini = std::make_unique<IniFile>(text);
    system.iniPath = path;
    return 0.0;
}

IniFile* OpenIni(FunctionCall& call) {
    IniFile* ini = System(call).ini.get();
    if (!ini) call.Fail("No ini file is open.");
    return ini;
}

Value IniClose(FunctionCall& call) {
    if (!OpenIni(call)) return 0.0;
    SaveIni(call);
    System(call).ini.reset();
    return 0.0;
}

Value IniReadString(FunctionCall& call) {
    IniFile* ini = OpenIni(call);
    if (!ini) return 0.0;
    if (auto value = ini->Read(call.Text(0), call.Text(1))) return *value;
    return call.args.size() > 2 ? call.args[2] : Value(std::string());
}

// A value that is no number gives the default.
Value IniReadReal(FunctionCall& call) {
    IniFile* ini = OpenIni(call);
    if (!ini) return 0.0;
    const auto value = ini->Read(call.Text(0), call.Text(1));
    double number = 0;
    if (value && !value->empty()) {
        const char* first = value->c_str() + ((*value)[0] == '+');
        const char* last = value->c_str() + value->size();
        const auto [end, error] = std::from_chars(first, last, number);
        if (error == std::errc() && end == last) return number;
    }
    return call.Real(2);
}

Value IniWrite(FunctionCall& call, const std::string& text) {
    IniFile* ini = OpenIni(call);
    if (!ini) return 0.0;
    if (ini->Size() + text.size() > kMaxIniBytes) return call.Fail("The ini file would grow too large.");
    if (!ini->Write(call.Text(0), call.Text(1), text))
        return call.Fail("Cannot write the ini key \"" + call.Text(1) + "\" in section \"" + call.Text(0) + "\".");
    return 0.0;
}

Value IniWriteString(FunctionCall& call) { return IniWrite(call, call.Text(2)); }

Value IniWriteReal(FunctionCall& call) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, call.Real(2));
    return IniWrite(call, std::string(buffer, error == std::errc() ? end : buffer));
}

Value IniKeyExists(FunctionCall& call) {
    IniFile* ini = OpenIni(call);
    return Truth(ini && ini->KeyExists(call.Text(0), call.Text(1)));
}
Value IniSectionExists(FunctionCall& call) {
    IniFile* ini = OpenIni(call);
    return Truth(ini && ini->SectionExists(call.Text(0)));
}
Value IniKeyDelete(FunctionCall& call) {
    if (IniFile* ini = OpenIni(call)) ini->DeleteKey(call.Text(0), call.Text(1));
    return 0.0;
}
Value IniSectionDelete(FunctionCall& call) {
    if (IniFile* ini = OpenIni(call)) ini->DeleteSection(call.Text(0));
    return 0.0;
}

}  // namespace

void AddFileFunctions(std::vector<WorldFunctionEntry>& table) {
    using Mode = TextFile::Mode;
    table.insert(table.end(), {
        {"file_text_open_read", TextOpen<Mode::Read>},  {"file_text_open_write", TextOpen<Mode::Write>},
        {"file_text_open_append", TextOpen<Mode::Append>}, {"file_text_close", TextClose},
        {"file_text_read_string", TextReadString},      {"file_text_read_real", TextReadReal},
        {"file_text_readln", TextReadLine},             {"file_text_eof", TextEof},
        {"file_text_write_string", TextWriteString},    {"file_text_write_real", TextWriteReal},
        {"file_text_writeln", TextWriteLine},
        {"file_open_read", SingleOpen<Mode::Read>},     {"file_open_write", SingleOpen<Mode::Write>},
        {"file_open_append", SingleOpen<Mode::Append>}, {"file_close", SingleClose},
        {"file_read_string", SingleReadString},         {"file_read_real", SingleReadReal},
        {"file_readln", SingleReadLine},                {"file_eof", SingleEof},
        {"file_write_string", SingleWriteString},       {"file_write_real", SingleWriteReal},
        {"file_writeln", SingleWriteLine},
        {"file_bin_open", BinOpen},                     {"file_bin_rewrite", BinRewrite},
        {"file_bin_close", BinClose},                   {"file_bin_size", BinSize},
        {"file_bin_position", BinPosition},             {"file_bin_seek", BinSeek},
        {"file_bin_read_byte", BinReadByte},            {"file_bin_write_byte", BinWriteByte},
        {"file_exists", Exists},                        {"file_delete", Delete},
        {"file_rename", Rename},                        {"file_copy", Copy},
        {"file_find_first", FindFirst},                 {"file_find_next", FindNext},
        {"file_find_close", FindClose},                 {"file_attributes", Attributes},
        {"directory_exists", DirectoryExists},          {"directory_create", DirectoryCreate},
        {"filename_name", NameOf},                      {"filename_path", PathOf},
        {"filename_dir", DirOf},                        {"filename_drive", DriveOf},
        {"filename_ext", ExtOf},                        {"filename_change_ext", ChangeExt},
        {"ini_open", IniOpen},                          {"ini_close", IniClose},
        {"ini_read_string", IniReadString},             {"ini_read_real", IniReadReal},
        {"ini_write_string", IniWriteString},           {"ini_write_real", IniWriteReal},
        {"ini_key_exists", IniKeyExists},               {"ini_section_exists", IniSectionExists},
        {"ini_key_delete", IniKeyDelete},               {"ini_section_delete", IniSectionDelete},
    });
}

}  // namespace kestrin::engine
