// Writing one text line of a file.
//
// Every text line the programs write into a file ends with CR LF, whatever
// the platform; all file writers go through this one routine.
#pragma once

#include <cstdio>
#include <string_view>

/// Writes `line` and CR LF to `f` (open for binary writing, so that nothing
/// translates the line end).  False when the write failed.
bool write_text_line(std::FILE* f, std::string_view line);
