// Version-3 flight-plan writer.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

/// Writes the task model as a version-3 flight plan into `out`, which is
/// open for writing; the file is neither opened nor closed here and is left
/// after the last line.  Lines end CR LF.
///
/// iost          in/out: on return the larger of the value passed in and the
///               routine's own write status (0 all written, > 0 a write
///               failed: the error code).
/// qigc          true: every line is prefixed "LCONFPL" (IGC L records),
///               control characters in it are written as blanks (so that
///               each stays one record) and no separator lines are
///               written; false: the plain ".fpl"
///               text, with a one-blank separator line before sections.
/// new_landscape the name written on the "Landscape=" line.
void write_fpl_v3(std::FILE* out, int32_t& iost, bool qigc, std::string_view new_landscape);
