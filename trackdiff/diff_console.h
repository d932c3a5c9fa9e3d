// The comparison's console lines: the counts and the table of differences.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "trackdiff/fix_matching.h"

/// A count line: a blank, `label` from column 2, "=" in column 22, the
/// count right-aligned in columns 23-27; a count above 99999 is printed
/// whole from column 23 on.
std::string count_line(std::string_view label, int64_t count);

/// The three count lines: "time matches", "data matches" and "different
/// fixes" (time matches that are not data matches).
std::vector<std::string> count_lines(const Match_result& r);

/// The table of differences, for a result with time matches: an empty
/// line, "Differences :", an empty line, the heading, then the rows "Min",
/// "RMS" and "Max".  Each row: the label in columns 1-3, then latitude in
/// degrees (columns 5-14, 1.234E-07 form), latitude x 3600 in arc seconds
/// (16-25, 5 decimals), longitude in degrees (27-36), longitude in arc
/// seconds (38-47) and altitude in metres (49-58, 5 decimals).  The
/// products with 3600 are single precision.
std::vector<std::string> difference_lines(const Match_result& r);

/// One row of that table from the three values (degrees, degrees, metres).
std::string difference_row(std::string_view label, float lat, float lon, float alt);
