// The texts that the Windows file dialogs take and give, private to this
// platform folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

/// The filter of a file dialog: the description (the patterns themselves
/// when it is empty), a NUL, the patterns joined by ";" ("*.*" when there
/// are none), a NUL; the string's own NUL ends the list.
std::string chooser_filter(const std::vector<std::string>& patterns, std::string_view desc);

/// The names that an open-file dialog with multiple selection returns in
/// `buffer` (`size` bytes): the folder and then each name, each ended by a
/// NUL, the list by a second NUL; one file alone comes as its full path.
/// Returns the full paths joined by "|" (a backslash put between folder and
/// name unless the folder ends with one); empty when nothing was returned.
std::string chooser_selection(const char* buffer, std::size_t size);
