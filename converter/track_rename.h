// Renaming a converted track by the naming pattern ("-rftr").
#pragma once

#include <string>
#include <string_view>

/// Most numbered targets tried ("_01" .. "_99") when the built name is taken.
inline constexpr int rename_max_number = 99;

/// The console form of a rename: "RENAME ", the source, a blank and the
/// target, each enclosed in double quotes when it holds a blank.
std::string rename_command_text(std::string_view source, std::string_view target);

/// Renames the track `infile` (trailing blanks ignored) to the built name
/// `ttt` followed by ".ftr", in the track's own folder.  The rename never
/// replaces a file: when that name is taken (or is taken while the rename
/// runs), the first free one of `ttt` "_01" ".ftr" .. "_99" ".ftr" is used
/// (the underscore whatever the separator); when all are taken the track
/// keeps its name.  Each try writes the rename's console form and a line
/// with T or F (the target exists) and its path; the rename itself a line
/// with its exit and system statuses.  A rename that fails (refused, or
/// every name taken) gives a run-log line (echoed after ">>> ") that names
/// the track, then the target and the system's reason, or the names
/// taken.  Returns true when the track was renamed.
bool rename_track(std::string_view infile, std::string_view ttt);
