// Writing one text line of a file.
//
// Every text line the programs write into a file ends with CR LF, whatever
// the platform; all file writers go through this one routine.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

/// Writes `line` and CR LF to `f` (open for binary writing, so that nothing
/// translates the line end).  False when the write failed.
bool write_text_line(std::FILE* f, std::string_view line);

/// True when `line` holds a control character: a byte below 0x20, or 0x7F.
bool has_control_char(std::string_view line);

/// The line with each control character (a byte below 0x20, or 0x7F) made
/// a blank; every other byte, and the length, unchanged.  Texts taken from
/// a track (names, classes) are raw bytes: written into a file of records,
/// a line end or another control character inside one would split its
/// record or slip a record of its own into the file.
std::string blank_control_chars(std::string_view line);
