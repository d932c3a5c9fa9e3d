// The comparison report: its file name and its lines.
#pragma once

#include <string>
#include <string_view>

#include "trackdiff/fix_matching.h"

/// The report's name: the first log's name up to its first ".igc"
/// (folders included, so the report lands beside it), "-", the second
/// log's file name (after its last "/" or platform separator: Windows
/// takes both) up to its first ".igc", then "_igc_diff.txt".  The search
/// is case-sensitive; a name without ".igc" contributes nothing (a.IGC and
/// b.IGC give "-_igc_diff.txt").  Trailing blanks of the names do not
/// count; the names are taken whole, however long.
std::string report_name(std::string_view ff1, std::string_view ff2);

/// One report field: the value with 9 significant digits in 16 characters
/// (general_field of support/number_fields.h): 43200 as
/// "  43200.0000    ", 0.001f as "  1.00000005E-03".
std::string report_field(float v);

/// One report line (68 characters, without line end): a blank, then the
/// time, latitude, longitude and altitude differences as report fields
/// separated by one blank.
std::string report_line(const Fix_difference& d);
