// The dialogs of Windows: the message box and the common file dialogs, with
// ANSI texts.  BREMALO_NO_GUI=1 sends them to the console instead (as on
// Linux), where a question is only asked when standard input is a terminal,
// so that a run without a user never waits for one.  The input box is a
// console question.
#include <windows.h>
#include <commdlg.h>
#include <io.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "support/console_dialogs.h"
#include "support/platform.h"
#include "support/platform/windows/chooser_texts.h"
#include "support/platform_dialogs.h"

namespace {

// The chooser's buffer: as large as the longest list of names that the
// open-file dialog can return.
constexpr DWORD chooser_buffer = 32767;

std::string text_of(const char* s) { return s ? std::string(s) : std::string(); }

bool console_forced() {
    char v[8];
    const DWORD n = GetEnvironmentVariableA("BREMALO_NO_GUI", v, sizeof v);
    return n == 1 && v[0] == '1';
}

// A console that a user can type into: the NUL device and other character
// devices are no terminal, although the runtime's _isatty says so.
bool stdin_is_terminal() {
    const intptr_t h = _get_osfhandle(_fileno(stdin));
    DWORD mode = 0;
    return h != -1 && GetConsoleMode(reinterpret_cast<HANDLE>(h), &mode) != 0;
}

// An open or save dialog with the texts and the name buffer it points to,
// which live as long as it does.  Its start: a folder opens inside it,
// anything else is the proposed file name (its folder, when it has one, as
// the start folder).
struct FileDialog {
    std::vector<char> buffer;
    std::string title, filter, folder;
    OPENFILENAMEA ofn{};

    // `size`: the longest name (or list of names) the dialog may return.
    FileDialog(std::string_view t, std::string_view start, const std::vector<std::string>& patterns,
               std::string_view desc, DWORD size, DWORD flags)
        : buffer(size + 1, '\0'), title(t), filter(chooser_filter(patterns, desc)) {
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFilter = filter.c_str();
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = buffer.data();
        ofn.nMaxFile = size;
        ofn.lpstrTitle = title.c_str();
        ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | flags;
        const std::string s(start);
        if (s.empty()) return;
        if (path_entry(s).kind == Entry_kind::folder) {
            folder = s;
            ofn.lpstrInitialDir = folder.c_str();
        } else if (s.size() < buffer.size()) {
            std::copy(s.begin(), s.end(), buffer.begin());
        }
    }
    FileDialog(const FileDialog&) = delete;
    FileDialog& operator=(const FileDialog&) = delete;
};

bool take_answer(ConsoleAsked asked, const std::string& answer, std::string& chosen) {
    if (asked != ConsoleAsked::chosen || answer.empty()) return false;
    chosen = answer;
    return true;
}

int CALLBACK folder_start(HWND window, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED && data) SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

}  // namespace

int dlg_message_box(const char* title, const char* message, const char* dialog_type, const char* icon_type,
                    int default_button) {
    const std::string t = text_of(title), m = text_of(message), icon = text_of(icon_type);
    const std::string type = box_type_of(dialog_type);
    const int def = box_default_button(type, default_button);
    if (!console_forced()) {
        UINT style = MB_OK;
        if (type == "okcancel") style = MB_OKCANCEL;
        if (type == "yesno") style = MB_YESNO;
        if (type == "yesnocancel") style = MB_YESNOCANCEL;
        if (icon == "error") style |= MB_ICONERROR;
        else if (icon == "warning") style |= MB_ICONWARNING;
        else if (icon == "question") style |= MB_ICONQUESTION;
        else style |= MB_ICONINFORMATION;
        // The default button: the first is ok/yes; cancel/no is the second,
        // no of yes/no/cancel the second and its cancel the third.
        if (type == "yesnocancel") style |= def == 2 ? MB_DEFBUTTON2 : def == 0 ? MB_DEFBUTTON3 : MB_DEFBUTTON1;
        else if (type != "ok" && def == 0) style |= MB_DEFBUTTON2;
        std::fflush(stdout);
        const int answer = MessageBoxA(nullptr, m.c_str(), t.c_str(), style | MB_SETFOREGROUND);
        switch (answer) {
        case IDOK:
        case IDYES: return 1;
        case IDNO: return type == "yesnocancel" ? 2 : 0;
        case IDCANCEL: return type == "ok" ? 1 : 0;
        default: break;  // no box could be shown: the console
        }
    }
    return console_message_box(t, m, type, def, stdin_is_terminal());
}

bool dlg_open_file(std::string_view title, std::string_view start, const std::vector<std::string>& patterns,
                   std::string_view desc, bool multi, std::string& chosen) {
    std::string answer;
    if (console_forced())
        return take_answer(console_open_file(title, patterns, multi, answer, stdin_is_terminal()), answer, chosen);
    FileDialog d(title, start, patterns, desc, chooser_buffer,
                 OFN_FILEMUSTEXIST | (multi ? OFN_ALLOWMULTISELECT : 0));
    std::fflush(stdout);
    if (!GetOpenFileNameA(&d.ofn)) {
        // Cancelled, or the dialog could not be shown: then the console.
        if (CommDlgExtendedError() == 0) return false;
        return take_answer(console_open_file(title, patterns, multi, answer, stdin_is_terminal()), answer, chosen);
    }
    const std::string got =
        multi ? chooser_selection(d.buffer.data(), d.buffer.size()) : std::string(d.buffer.data());
    return take_answer(ConsoleAsked::chosen, got, chosen);
}

bool dlg_save_file(std::string_view title, std::string_view start, const std::vector<std::string>& patterns,
                   std::string_view desc, std::string& chosen) {
    std::string answer;
    if (console_forced())
        return take_answer(console_save_file(title, patterns, answer, stdin_is_terminal()), answer, chosen);
    FileDialog d(title, start, patterns, desc, MAX_PATH * 4, OFN_OVERWRITEPROMPT);
    std::fflush(stdout);
    if (!GetSaveFileNameA(&d.ofn)) {
        if (CommDlgExtendedError() == 0) return false;
        return take_answer(console_save_file(title, patterns, answer, stdin_is_terminal()), answer, chosen);
    }
    return take_answer(ConsoleAsked::chosen, std::string(d.buffer.data()), chosen);
}

bool dlg_select_folder(std::string_view title, std::string_view start, std::string& chosen) {
    std::string answer;
    if (console_forced())
        return take_answer(console_select_folder(title, start, answer, stdin_is_terminal()), answer, chosen);
    const std::string t(title), s(start);
    char name[MAX_PATH + 1] = {};
    BROWSEINFOA bi{};
    bi.pszDisplayName = name;
    bi.lpszTitle = t.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    bi.lpfn = folder_start;
    bi.lParam = s.empty() ? 0 : reinterpret_cast<LPARAM>(s.c_str());
    // The dialog of the new style needs COM in this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    std::fflush(stdout);
    LPITEMIDLIST item = SHBrowseForFolderA(&bi);
    bool got = false;
    if (item) {
        char path[MAX_PATH + 1] = {};
        if (SHGetPathFromIDListA(item, path)) {
            answer = path;
            got = true;
        }
        CoTaskMemFree(item);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return take_answer(got ? ConsoleAsked::chosen : ConsoleAsked::cancelled, answer, chosen);
}

bool dlg_input_box(std::string_view title, std::string_view prompt, std::string_view def, std::string& answer) {
    std::string text;
    if (console_input_box(title, prompt, def, text, stdin_is_terminal()) != ConsoleAsked::chosen) return false;
    answer = text;  // an empty answer is an answer
    return true;
}

std::string dlg_native_text(std::string_view ansi) { return std::string(ansi); }
