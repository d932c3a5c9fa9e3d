// Fixed-width number fields and the free-form reading of numbers.
//
// Every writer of a fixed-width number (IGC records, reports, flight plans)
// goes through these, so that a value too wide for its field shows asterisks
// filling the whole field, as Fortran's I, F and E edit descriptors do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/// An integer right-justified in exactly `width` characters; asterisks when
/// it does not fit (a width of 0 or less gives an empty text).
std::string int_field(long long v, int width);

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

/// A scientific value (ESw.d): one digit before the point, `decimals`
/// digits after it, "E" and a signed two-digit exponent ("-1.234500000E+03";
/// for an exponent beyond +-99 the "E" gives way to a third digit:
/// "1.0-100"), right-justified in exactly `width` characters with a blank
/// for the sign of a positive value when there is room; asterisks when it
/// does not fit.  Correctly rounded.
std::string sci_field(double v, int width, int decimals);

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
