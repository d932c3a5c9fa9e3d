// File and folder choosers, and an input box.
//
// Each routine opens the platform's dialog (support/platform_dialogs.h) and,
// when nothing is chosen, tells the user so in a warning box in the user's
// interface language (French or English) and appends the same text to the
// error log as a warning.  The routines never stop the program; the caller
// decides what an empty choice means.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// Limits of a chooser's filter text: patterns beyond them are not handed
/// to the chooser (a console line names each one left out).
inline constexpr std::size_t filter_max_chars = 63;     ///< of the whole filter text
inline constexpr std::size_t filter_max_pattern = 31;   ///< of one pattern
inline constexpr std::size_t filter_max_patterns = 10;  ///< patterns per chooser

/// Splits a comma-separated filter such as "*.ftr,*.FTR" into its patterns.
/// A comma in the first position of what is left is not a separator (the
/// rest is then one last pattern); nothing after a final comma gives no
/// pattern.  Only whole patterns that lie within the first filter_max_chars
/// characters, are at most filter_max_pattern characters long and are among
/// the first filter_max_patterns are kept.
std::vector<std::string> split_filter(std::string_view filter);

/// Open-file chooser.
/// file: out, the chosen path; with multi non-zero several paths joined by
///     "|".  Unchanged when nothing was chosen.
/// title: dialog title; path: start folder or file (may be empty);
/// filter: comma-separated patterns; desc: description shown with them.
/// len: out, the length of file, 0 when nothing was chosen.
/// Result: 1 when something was chosen, 0 otherwise.
int32_t GetFileName(std::string& file, std::string_view title, std::string_view path,
                    std::string_view filter, std::string_view desc, int32_t multi,
                    int32_t& len);

/// Save-file chooser; arguments and result as GetFileName (one file).
int32_t SaveFileName(std::string& file, std::string_view title, std::string_view path,
                     std::string_view filter, std::string_view desc, int32_t& len);

/// Folder chooser starting in deflt.
/// len: out, length of folder, 0 when nothing was chosen; folder: out, the
/// chosen folder, unchanged when nothing was chosen.
/// Result: 0 when a folder was chosen, 1 when not (the opposite sense of
/// GetFileName).
int32_t GetFolder(std::string_view title, std::string_view deflt, int32_t& len,
                  std::string& folder);

/// Input box with the default answer def.  On an answer string = it and len
/// = its length; on cancel len = 0 and string is unchanged.
void GetString(std::string_view title, std::string_view prompt, std::string& string,
               std::string_view def, int32_t& len);

/// sub = the characters p1 to p2 of s (0-based, both included); empty when
/// p2 < p1.  Positions outside s are clipped to it.
void substrpos(std::string_view s, std::string& sub, int32_t p1, int32_t p2);

/// sub = l characters of s from the 0-based position p (fewer when s ends
/// first, none for l <= 0 or p outside s).  Returns the number of characters
/// copied, which is l whenever s holds them.
int32_t substring(std::string_view s, std::string& sub, int32_t p, int32_t l);
