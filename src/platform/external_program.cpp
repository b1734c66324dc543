// Other programs through fork and exec, and the external editor round trip.

#include "platform/external_program.h"

#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/file_system.h"
#include "platform/preferences.h"
#include "platform/scratch_folder.h"
#include "platform/user_interface.h"

namespace kestrin {

namespace {

// In a child: enter the folder and replace this process; on failure report
// errno through the pipe and leave.
[[noreturn]] void ExecChild(const std::string& program, std::vector<char*>& argv, const std::string& folder,
                            int reportFd) {
    if (!folder.empty() && ::chdir(folder.c_str()) != 0) {
        int error = errno;
        (void)!::write(reportFd, &error, sizeof error);
        ::_exit(127);
    }
    ::execv(program.c_str(), argv.data());
    int error = errno;
    (void)!::write(reportFd, &error, sizeof error);
    ::_exit(127);
}

}  // namespace

bool RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& workingFolder, bool wait) {
    // The child enters the working folder before it starts the program, so a
    // relative path has to be made whole from this process's folder first.
    const std::string path =
        program.empty() || program[0] == kPathSeparator ? program : JoinPath(CurrentFolder(), program);
    std::vector<std::string> args;
    args.push_back(program);
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    // A close-on-exec pipe tells whether exec succeeded: it closes without a
    // word on success and carries errno on failure.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return false;

    pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (child == 0) {
        ::close(report[0]);
        if (wait) ExecChild(path, argv, workingFolder, report[1]);
        // Not waiting: a grandchild runs the program, so nobody has to reap it.
        pid_t grandchild = ::fork();
        if (grandchild == 0) {
            ::setsid();
            ExecChild(path, argv, workingFolder, report[1]);
        }
        if (grandchild < 0) {
            int error = errno;
            (void)!::write(report[1], &error, sizeof error);
        }
        ::_exit(0);
    }
    ::close(report[1]);
    int error = 0;
    ssize_t got;
    do got = ::read(report[0], &error, sizeof error);
    while (got < 0 && errno == EINTR);
    ::close(report[0]);
    bool started = got == 0;

    if (!wait || !started) {
        int status;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
        return started;
    }
    for (;;) {
        int status;
        pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child || (done < 0 && errno != EINTR)) break;
        ProcessPendingEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

bool ExternalCodeEditorChosen() {
    const Preferences& prefs = Prefs();
    return !prefs.CodeEditorInternal && !prefs.CodeEditor.empty() && FileExists(prefs.CodeEditor);
}

std::string EditTextExternally(const std::string& text, const std::string& editor) {
    if (editor.empty() || !FileExists(editor)) return text;
    std::string file = TempFileName(".txt");
    try {
        WriteFileAtomically(file, text.data(), text.size());
    } catch (const FileError&) {
        ShowMessage(kReadBackFailedMessage);
        return text;
    }
    RunProgram(editor, {file}, ExtractFilePath(editor), true);
    if (!FileExists(file)) {
        ShowMessage(kReadBackFailedMessage);
        return text;
    }
    std::string result;
    try {
        for (const auto& line : SplitLines(ReadFileText(file))) result += line + "\r\n";
    } catch (const FileError&) {
        DeleteFile(file);
        ShowMessage(kReadBackFailedMessage);
        return text;
    }
    DeleteFile(file);
    return result;
}

}  // namespace kestrin
