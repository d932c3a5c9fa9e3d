// Julian day numbers of Gregorian dates (Fliegel and Van Flandern).
#pragma once

#include <cstdint>

/// Julian day number of a proleptic Gregorian date (1 January 2000 is
/// 2451545).  No input is validated.
int32_t jd(int32_t year, int32_t month, int32_t day);

/// Gregorian date of a Julian day number.
void gdate(int32_t jd, int32_t& year, int32_t& month, int32_t& day);
