// Console diagnostics.
//
// Diagnostics are plain lines on standard output, always printed.  Every
// console write of the system goes through C stdio (never std::cout) so that
// the order of lines is the order of the calls and tests can capture them.
// Console lines end with "\n"; only files get CR LF.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>

/// One console line: the text and a line end.
inline void console_line(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

namespace console_detail {
inline void put_item(std::string& out, std::string_view v) { out += v; }
inline void put_item(std::string& out, const char* v) { out += v ? v : ""; }
inline void put_item(std::string& out, const std::string& v) { out += v; }
inline void put_item(std::string& out, char v) { out += v; }
inline void put_item(std::string& out, bool v) { out += v ? 'T' : 'F'; }
template <typename T>
    requires std::is_integral_v<T>
inline void put_item(std::string& out, T v) {
    out += std::to_string(v);
}
template <typename T>
    requires std::is_floating_point_v<T>
inline void put_item(std::string& out, T v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    out += buf;
}
}  // namespace console_detail

/// The text of a free-form console line: a leading blank, then the items
/// separated by one blank (texts as they are, integers in full, reals with
/// nine significant digits, enough to give a single-precision value back
/// exactly, logicals as T or F).  For lines that are kept before they
/// are printed.
template <typename... Items>
std::string free_text(const Items&... items) {
    std::string line;
    ((line += ' ', console_detail::put_item(line, items)), ...);
    return line;
}

/// Prints a free-form console line (see free_text).
template <typename... Items>
void console_free(const Items&... items) {
    console_line(free_text(items...));
}
