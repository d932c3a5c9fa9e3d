// Numbers, times, flags and key codes as left-adjusted texts, and copies
// between texts and NUL-terminated strings.
//
// The number writers return the text without blank fill (left-adjusted);
// `lb` receives its length.  The flight-plan writer and the IGC L records
// build their numbers with i2b, f2b and t2b, so their output is exact.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/// Decimal integer, written in a field of 16 characters then left-adjusted.
std::string i2b(int32_t ii4, int32_t& lb);
std::string i2b(int32_t ii4);

/// A real by a Fortran descriptor `fstr` ("(F16.6)", "F12.2", "(E16.6)"):
/// fixed-point with trailing zeros and a trailing point removed, at most
/// 8 - int(log10|v|) decimals for |v| > 1; exponent form with the zeros
/// before the exponent letter removed.  Too wide for the width: asterisks.
/// A descriptor that cannot be read gives an empty text (lb 0).
std::string f2b(float rr4, std::string_view fstr, int32_t& lb);
std::string f2b(float rr4, std::string_view fstr);

/// Decimal hours as "hh:mm:ss", every part truncated (no rounding); a part
/// outside 0 to 99 shows "**".
std::string t2b(float rr4, int32_t& lb);
std::string t2b(float rr4);

/// "1" for true, "0" for false (lb 1).
std::string l2b(bool qqq, int32_t& lb);

/// A key code (modifier bits x 10000 + key, key in -4999..5000; bits 1 CTRL,
/// 2 SHFT, 4 ALT, 8 LONG) as text, such as CTRL+"A" or CTRL+SHFT+SCN5.
/// Prints a console trace line of the modifier bits and the key.
std::string k2b(int32_t kkk, int32_t& lb);

/// The key code of a text written by k2b (first 128 characters); a number
/// part that does not read as an integer counts as 0.  Prints a console
/// trace line.
int32_t b2k(std::string_view buff);

/// True when the first character is "1", "Y" or "y".
bool is_true(std::string_view cc);

/// 1 for true, 0 for false.
int32_t log2int(bool qqq);

/// Copies a NUL-terminated string into a text field of `out_len` characters.
/// `ls` 0 on entry means the whole field; at most `ls` characters (and never
/// more than `out_len`; none for a negative `ls`) are copied, up to the NUL;
/// `ls` returns the number copied.  A null `in_str` copies nothing.
void strcpy_c2f(const char* in_str, std::string& out_str, int32_t& ls, std::size_t out_len);

/// Copies the trimmed text and a NUL into `out_str`, which must hold
/// ls + 1 bytes; `ls` returns the trimmed length.
void strcpy_f2c(std::string_view in_str, char* out_str, int32_t& ls);
