// IGC logs as text for tests, in the converter's layout: the standard
// header, the C records of a declaration, B records of 41 columns
// (FXA and ENL extensions) and the L records around a flight plan.
// Lines are joined with CR LF as the converter writes them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// One fix: time of day in seconds (written modulo 24 hours, as a log
/// passing midnight holds it), position in degrees, altitude in metres,
/// ENL value.
struct igc_text_fix {
    int32_t t = 0;
    double lat = 0;
    double lon = 0;
    int32_t alt = 0;
    int32_t enl = 0;
};

/// The B record of a fix: minutes x 1000 and the altitude rounded to the
/// nearest integer, the altitude in both altitude fields.
std::string igc_text_b_record(const igc_text_fix& p);

/// The converter's fourteen header lines (A record to I record).
std::vector<std::string> igc_text_header(const std::string& c_date = "150623",
                                             const std::string& compid = "AB1");

/// A task declaration: the declaration line, one line per point (name
/// after the position) and the last point once more.
std::vector<std::string> igc_text_declaration(const std::vector<igc_text_fix>& points,
                                         const std::vector<std::string>& names);

/// `n` fixes one second apart from `t0`, moving north-east and climbing.
std::vector<igc_text_fix> igc_text_flight(int32_t t0, int32_t n);

/// The flight-information and interpolation lines that end every
/// converter log.
std::vector<std::string> igc_text_trailer();

/// A whole converter log: header, declaration of two points, the fixes,
/// then `l_records` and the trailer lines.
std::string igc_text_log(const std::vector<igc_text_fix>& fixes, const std::vector<std::string>& l_records = {});

/// The lines joined, each ended by CR LF.
std::string igc_text_join(const std::vector<std::string>& lines);
