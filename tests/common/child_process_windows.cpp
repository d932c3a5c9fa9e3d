// Running another program from a test on Windows: CreateProcess with the
// arguments quoted as the C runtime splits them again, standard output and
// error into temporary files (a chatty program never blocks on a pipe).
#include "tests/common/child_process.h"

#include <windows.h>

#include <cstdio>

namespace {

// One argument as CommandLineToArgvW and the C runtime read it back:
// quoted when it holds a blank, a tab or a quote (or is empty); a quote is
// escaped with a backslash, and backslashes only count before a quote.
std::string quoted(const std::string& a) {
    if (!a.empty() && a.find_first_of(" \t\"") == std::string::npos) return a;
    std::string q = "\"";
    std::size_t backslashes = 0;
    for (char c : a) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') backslashes = backslashes * 2 + 1;
        q.append(backslashes, '\\');
        backslashes = 0;
        q += c;
    }
    q.append(backslashes * 2, '\\');  // before the closing quote
    q += '"';
    return q;
}

// An inheritable temporary file, deleted when its last handle is closed.
HANDLE temporary_file() {
    char folder[MAX_PATH + 1];
    char name[MAX_PATH + 1];
    if (GetTempPathA(sizeof folder, folder) == 0 || GetTempFileNameA(folder, "brm", 0, name) == 0)
        return INVALID_HANDLE_VALUE;
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       &sa, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

std::string read_all(HANDLE f) {
    std::string s;
    if (SetFilePointer(f, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return s;
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(f, buf, sizeof buf, &n, nullptr) && n > 0) s.append(buf, n);
    return s;
}

void close(HANDLE& h) {
    if (h != INVALID_HANDLE_VALUE && h != nullptr) CloseHandle(h);
    h = INVALID_HANDLE_VALUE;
}

}  // namespace

program_result run_program(const std::vector<std::string>& argv, int timeout_s) {
    program_result r;
    if (argv.empty() || argv[0].empty()) return r;
    std::string command;
    for (const std::string& a : argv) {
        if (!command.empty()) command += ' ';
        command += quoted(a);
    }
    HANDLE out = temporary_file();
    HANDLE err = temporary_file();
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE in = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0, nullptr);
    if (out != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE && in != INVALID_HANDLE_VALUE) {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = in;
        si.hStdOutput = out;
        si.hStdError = err;
        PROCESS_INFORMATION pi{};
        std::string line = command;  // CreateProcessA may write into it
        std::fflush(stdout);
        std::fflush(stderr);
        if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
            r.started = true;
            const DWORD waited = WaitForSingleObject(pi.hProcess, static_cast<DWORD>(timeout_s) * 1000);
            DWORD code = 0;
            if (waited == WAIT_OBJECT_0 && GetExitCodeProcess(pi.hProcess, &code)) {
                r.status = static_cast<int>(code);
            } else {
                TerminateProcess(pi.hProcess, 1);
                WaitForSingleObject(pi.hProcess, INFINITE);
            }
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
            r.out = read_all(out);
            r.err = read_all(err);
        }
    }
    close(in);
    close(out);
    close(err);
    return r;
}

std::string find_program(std::string_view name) {
    if (name.empty()) return {};
    char found[MAX_PATH + 1];
    const std::string n(name);
    const DWORD len = SearchPathA(nullptr, n.c_str(), ".exe", sizeof found, found, nullptr);
    if (len == 0 || len >= sizeof found) return {};
    return std::string(found, len);
}
