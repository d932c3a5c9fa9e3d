// The converter's settings file "Bremalo.ini": the naming pattern, the IGC
// output folder, the pattern separator and the blank substitute.
//
// Plain text, one "key = value" line each (or "key : value"); blank lines
// and lines beginning "#" are comments; keys are exact and case-sensitive:
// "File format", "Output Folder", "Separator", "Withespace substitute".
#pragma once

#include <string>
#include <string_view>

/// Width of a settings line as it is read; the rest of a longer line is
/// ignored.
inline constexpr std::size_t ini_line_len = 256;

/// The settings file's name from the program name as the command line gave
/// it (argument 0): its folder part followed by "Bremalo.ini", or
/// "Bremalo.ini" (the working folder) for a bare name.
std::string ini_file_name(std::string_view arg0);

/// Applies one settings line (without its line end; cut to ini_line_len) to
/// the four settings, each left untouched unless the line gives it a
/// non-blank value: "File format" sets `fmtstr` (cut to 200 characters),
/// "Output Folder" `targetfolder` (256), "Separator" `sep` and "Withespace
/// substitute" `wsubs` (the value's first character).  A separator or
/// substitute other than "_" or "-" falls back to "_" (separator) or "-"
/// (substitute) and returns the console note: a blank, the character and
/// " : invalid separator".  Otherwise returns an empty text.
std::string rd_ini_line(std::string_view line, std::string& fmtstr, char& sep, char& wsubs,
                        std::string& targetfolder);

/// Reads the settings file named after `arg0` (ini_file_name), line by line,
/// into the four settings and prints the notes.  A UTF-8 byte-order mark
/// at the start of the file is passed over.  A missing or unreadable file
/// leaves them all as they are.
void rd_ini(std::string_view arg0, std::string& fmtstr, char& sep, char& wsubs, std::string& targetfolder);
