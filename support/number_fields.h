// Fixed-width number fields and the free-form reading of numbers.
//
// Every writer of a fixed-width number (IGC records, reports, flight plans)
// goes through these, so that a value too wide for its field shows asterisks
// filling the whole field, as Fortran's I, F and E edit descriptors do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/// An integer right-justified in exactly `width` characters; asterisks when
/// it does not fit (a width of 0 or less gives an empty text).
std::string int_field(long long v, int width);

/// A count right-justified in `width` characters; a count too wide for
/// them is printed whole, widening the field (a count is read as a number,
/// so asterisks would lose it).
std::string count_field(long long v, int width);

/// A non-negative integer with leading zeros in exactly `width` characters
/// (Iw.w, such as the "05" of a time); asterisks for a negative value or one
/// too wide.
std::string zero_padded_field(long long v, int width);

/// zero_padded_field written into out[0 .. width-1] (no NUL added), for
/// writers of long fixed-width records in a hot loop.
void put_zero_padded(char* out, long long v, int width);

/// A fixed-point value (Fw.d): right-justified in exactly `width`
/// characters, rounded to `decimals` decimals, a "0" before the point unless
/// there is no room for it, asterisks when it does not fit.
std::string fixed_field(double v, int width, int decimals);

/// An exponent value (Ew.d): 0.ddd...E+xx right-justified in exactly
/// `width` characters, asterisks when it does not fit.
std::string exp_field(double v, int width, int decimals);

/// A scientific value (ESw.d): one digit before the point (not 0 unless the
/// value is 0), `decimals` after it, correctly rounded, then "E", the
/// exponent's sign and two digits (beyond 99 the sign and three digits
/// without the "E"); right-justified in exactly `width` characters,
/// asterisks when it does not fit.  1.234E-07; zero gives 0.000E+00.
std::string sci_field(double v, int width, int decimals);

/// A value with `digits` significant digits (1PGw.d): zero, and magnitudes
/// from 0.1 to below 10^digits once rounded to `digits` digits, in fixed
/// notation with digits - k decimals (k digits before the point),
/// right-justified in width - 4 characters and followed by 4 blanks;
/// other values as sci_field(v, width, digits - 1).  For width 16 and 9
/// digits: 43200 gives "  43200.0000    ", 0.001f gives
/// "  1.00000005E-03".
std::string general_field(double v, int width, int digits);

/// Free-form reading of the first item of `text`: leading blanks are
/// skipped and the item ends at a blank (a tab or line end counts as one),
/// comma or slash.  Reals take Fortran's forms ("1.5E3", "1.5D3", "1.5-3",
/// ".5", "5."); infinities, NaN and values beyond the type's range are
/// refused.  True when the item
/// is a number of that kind (`value` set), false otherwise (`value`
/// untouched).  An integer item refuses a point or exponent ("3000.0").
bool read_int(std::string_view text, int32_t& value);
bool read_real(std::string_view text, float& value);
bool read_double(std::string_view text, double& value);

/// Free-form reading of `count` reals from `text` into `values`: items as
/// read_real takes them, separated by blanks or by one comma between
/// blanks.  All or nothing: false, `values` untouched, when fewer than
/// `count` readable values stand there (a slash ends the list).
bool read_real_list(std::string_view text, float* values, std::size_t count);
