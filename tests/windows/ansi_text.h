// Texts of the ANSI code page as the system's wide names, for the tests
// that tell an ANSI name from the same bytes read as Latin-1.
#pragma once

#include <windows.h>

#include <string>

/// `s` read in the ANSI code page, as the *A calls and fopen read a name.
inline std::wstring from_ansi(const std::string& s) {
    std::wstring w(s.size(), L'\0');
    w.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), static_cast<int>(w.size()))));
    return w;
}

/// `s` read byte for byte as Latin-1.
inline std::wstring from_latin1(const std::string& s) {
    std::wstring w;
    for (char c : s) w += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return w;
}

/// The attributes of the entry of that wide name; INVALID_FILE_ATTRIBUTES
/// when there is none.
inline DWORD wide_attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

/// True when that wide name is a folder.
inline bool wide_is_folder(const std::wstring& path) {
    const DWORD a = wide_attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
