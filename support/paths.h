// Path texts: names, folders, the program folder.
//
// Paths use the platform's separator (path_separator() of
// support/platform.h, which also holds the other path rules of the
// platform); a folder text ends with one.  Paths given to the program are
// split at every separator the platform takes (is_path_separator: on
// Windows "/" as well as "\").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "support/platform.h"

/// The position of the last character of `path` that is_path_separator;
/// npos when there is none.
std::size_t last_path_separator(std::string_view path);

/// The name after the last separator; the whole path when it has none.
void extract_name(std::string_view path, std::string& name);

/// Folder part (up to and including the last separator) and name part.  No
/// separator: folder "./" (".\" on Windows) and the whole path as name;
/// ".." gives the folder "../" and a blank name; blank gives blank parts.
void extract_path_name(std::string_view path, std::string& folder, std::string& name);

/// The parent folder without its trailing separator: "/a/b" and "/a/b/"
/// give "/a"; a path whose only separator is its first character is
/// returned unchanged; a path without separator gives blank.
void updir(std::string_view path, std::string& parent);

/// The program folder (the running executable's folder with its trailing
/// separator; a drive letter upper-cased); blank when it cannot be found.
void get_inst_path(std::string& instpath);

/// Resolves a file name against the program folder: a leading "%INST%" and
/// separator stand for it; a name holding a separator stays;
/// with `qcur`, a name of an existing file in the working folder stays;
/// anything else gets the program folder in front.  Console lines.
void locate_file(std::string& fff, bool qcur);

/// True when a file-system entry of that name exists (trailing blanks
/// ignored).
bool file_exists(std::string_view path);

/// The program's arguments with their wildcards expanded: each argument
/// holding "*" or "?" is replaced by the names of the files that match it
/// (wildcard_matches, in sorted order); a pattern that matches nothing stays
/// as typed.  Other arguments are kept as they are, in their order.  On
/// Linux a shell has usually expanded the patterns already, so only quoted
/// patterns and those that matched nothing in the shell arrive here; on
/// Windows patterns arrive as typed.
std::vector<std::string> expand_wildcards(const std::vector<std::string>& args);
