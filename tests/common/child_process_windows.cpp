// Running another program from a test on Windows: CreateProcess with the
// arguments quoted as the C runtime splits them again, standard output and
// error into temporary files (a chatty program never blocks on a pipe).
#include "tests/common/child_process.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "tests/common/temp_dir.h"

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
// Not GetTempFileName: its names come from the tick count, so test programs
// running side by side under Wine meet the same name, and a name whose file
// is still being deleted makes it fail instead of trying the next one.  An
// existing file only moves on to the next fresh name.
HANDLE temporary_file() {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    for (int tries = 0; tries < 100; ++tries) {
        HANDLE h = CreateFileA(fresh_temp_file_name("bremalo_run_").c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &sa, CREATE_NEW,
                               FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (h != INVALID_HANDLE_VALUE) return h;
    }
    return INVALID_HANDLE_VALUE;
}

std::string read_all(HANDLE f) {
    std::string s;
    if (SetFilePointer(f, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return s;
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(f, buf, sizeof buf, &n, nullptr) && n > 0) s.append(buf, n);
    return s;
}

// Names of the environment match without regard to case.
bool same_name(const std::string& entry, const std::string& name) {
    const std::size_t eq = entry.find('=', 1);  // "=C:=C:\x" entries begin with "="
    return eq == name.size() && _strnicmp(entry.c_str(), name.c_str(), name.size()) == 0;
}

// The caller's environment with the changes applied, as the block that
// CreateProcessA takes: "NAME=value" texts each ending with a NUL, sorted
// by name without regard to case, then one more NUL.
std::string environment_block(const std::vector<std::string>& changes) {
    std::vector<std::string> entries;
    if (char* env = GetEnvironmentStringsA()) {
        for (const char* e = env; *e; e += std::strlen(e) + 1) entries.emplace_back(e);
        FreeEnvironmentStringsA(env);
    }
    for (const std::string& c : changes) {
        const std::size_t eq = c.find('=');
        const std::string name = c.substr(0, eq);
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [&](const std::string& e) { return same_name(e, name); }),
                      entries.end());
        if (eq != std::string::npos) entries.push_back(c);
    }
    std::stable_sort(entries.begin(), entries.end(), [](const std::string& a, const std::string& b) {
        return _stricmp(a.substr(0, a.find('=', 1)).c_str(), b.substr(0, b.find('=', 1)).c_str()) < 0;
    });
    std::string block;
    for (const std::string& e : entries) {
        block += e;
        block += '\0';
    }
    block += '\0';
    return block;
}

void close(HANDLE& h) {
    if (h != INVALID_HANDLE_VALUE && h != nullptr) CloseHandle(h);
    h = INVALID_HANDLE_VALUE;
}

// One try at starting the program and waiting for it; `why` gets the
// Windows error when it could not be started.
program_result run_once(const std::string& command, const run_setting& how, int timeout_s, DWORD& why) {
    program_result r;
    why = 0;
    HANDLE out = temporary_file();
    if (out == INVALID_HANDLE_VALUE) why = GetLastError();
    HANDLE err = temporary_file();
    if (err == INVALID_HANDLE_VALUE && why == 0) why = GetLastError();
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE in = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0, nullptr);
    if (in == INVALID_HANDLE_VALUE && why == 0) why = GetLastError();
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
        std::string env = how.env.empty() ? std::string() : environment_block(how.env);
        if (CreateProcessA(how.program.empty() ? nullptr : how.program.c_str(), line.data(), nullptr, nullptr, TRUE,
                           0, env.empty() ? nullptr : env.data(), how.folder.empty() ? nullptr : how.folder.c_str(),
                           &si, &pi)) {
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
        } else {
            why = GetLastError();
        }
    }
    close(in);
    close(out);
    close(err);
    return r;
}

}  // namespace

program_result run_program(const std::vector<std::string>& argv, int timeout_s) {
    return run_program(argv, run_setting{}, timeout_s);
}

program_result run_program(const std::vector<std::string>& argv, const run_setting& how, int timeout_s) {
    if (argv.empty() || argv[0].empty()) return {};
    std::string command;
    for (const std::string& a : argv) {
        if (!command.empty()) command += ' ';
        command += quoted(a);
    }
    // Under Wine, with many test programs starting processes at once, a
    // start can fail for a moment (the server busy, a handle not yet
    // released); a program that is not there fails every time.
    program_result r;
    DWORD why = 0;
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (attempt > 0) Sleep(200 * attempt);
        r = run_once(command, how, timeout_s, why);
        if (r.started || why == ERROR_FILE_NOT_FOUND || why == ERROR_PATH_NOT_FOUND) break;
    }
    if (!r.started) r.err = "(Windows error " + std::to_string(why) + " at the start)\n";
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
