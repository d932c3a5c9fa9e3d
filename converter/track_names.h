// The names a track's conversion works with: the extension test of a track
// name, the IGC file's name and folder, the dumps' names and the terrain
// header's path.  All pure; paths use the platform's separator.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/// A track name after the extension test.
struct Track_name {
    bool accepted = false;  ///< the name ends in ".ftr" or ".FTR" (or got ".ftr")
    std::string name;       ///< the name to open (".ftr" appended to a name without extension)
    /// The name up to its extension: the characters before the "." that
    /// starts the accepted extension (the whole name given when ".ftr" was
    /// appended).
    std::string stem;
};

/// The extension test, on the file name only (after the last separator,
/// is_path_separator: on Windows "\\" or "/"), so
/// that folders named with a "." (such as a Wine prefix's ".wine") and "./"
/// do not count: when the file name holds no ".", ".ftr" is appended;
/// otherwise the text after its first "." (trailing blanks not counting)
/// must be exactly "ftr" or "FTR", so "flight.v2.ftr" and "flight.Ftr" are
/// refused.  Trailing blanks of the name are dropped.
Track_name check_track_extension(std::string_view name);

/// The output folder for a track in `track_folder` (ending with the
/// separator): `targetfolder` itself when it is absolute
/// (is_absolute_folder), else `targetfolder` inside the track's folder.
std::string output_folder(std::string_view track_folder, std::string_view targetfolder);

/// `folder`, one separator (unless it ends with one already, on Windows
/// "\\" or "/"), `file`.
std::string join_path(std::string_view folder, std::string_view file);

/// The raw dump's and the smoothed dump's names for a track's stem.
std::string raw_dump_name(std::string_view stem);
std::string smooth_dump_name(std::string_view stem);

/// The terrain header of `landscape` (trailing blanks cut, at most 64
/// characters) in a simulator installation folder `inst_folder` (one
/// trailing separator dropped): the folder, "Landscapes", the landscape, and
/// the landscape with ".trn", joined by separators.
std::string installed_terrain_path(std::string_view inst_folder, std::string_view landscape);

/// The terrain header of `landscape` beside the program: the program folder
/// `app_path` (one separator after it), "LandscapeFiles", the separator, the
/// landscape and ".trn".
std::string program_terrain_path(std::string_view app_path, std::string_view landscape);
