// Small text utilities: case, comparisons, quotes, separators, times and
// NUL characters.  All work in place on the caller's text unless a result is
// named; trailing blanks never count.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// a to z become A to Z; other bytes unchanged.
void majusc(std::string& strng);
/// A to Z become a to z.
void minusc(std::string& strng);
/// Equal trimmed lengths and equal characters with a to z taken as A to Z.
bool case_blind_compare(std::string_view s1, std::string_view s2);
/// Non-empty trimmed text made only of digits, "-", "+", ".", "E", "e".
bool is_num(std::string_view str);
/// Non-empty trimmed text made only of digits.
bool is_uint(std::string_view str);
/// Position (from 1) of the first of the first `nb` entries of `list` equal
/// to `buff` (trailing blanks ignored), 0 when none.
int32_t list_index(std::string_view buff, int32_t nb, const std::vector<std::string>& list);
/// Every line feed becomes "/".
void make_printable(std::string& str);
/// Everything from the first NUL character on is dropped.
void remove_trail_0(std::string& buff);
/// Every NUL character is removed (console trace lines before and after).
void remove_0(std::string& buff);
/// Removes a '"' at the first and at the last non-blank position when both
/// are there (a text of one quote alone stays as it is).
void remove_quotes(std::string& buff);
/// The same with "'".
void remove_simple_quotes(std::string& buff);
/// Encloses the trimmed text in '"' when it holds a blank (leading blanks
/// included), cut to `width` characters; console trace lines.
void quote_spaces(std::string& strng, std::size_t width = 256);
/// The items one after the other with `sep` between them; empty for none.
std::string joined(const std::vector<std::string>& items, std::string_view sep);
/// Every "," becomes ";".
void subs_comma(std::string& ligne);
/// Every "," becomes ";" and every "." becomes ",".
void subs_dot_comma(std::string& ligne);
/// Every "," becomes "." and every ";" becomes ",".
void from_frcsv(std::string& ligne);
/// Comma-separated line to the semicolon form: "," becomes ";", and "."
/// becomes "," inside unquoted fields that are numbers (is_num) as a whole.
/// Console trace line.
void to_frcsv(std::string& ligne);
/// Seconds as " h:mm:ss" (hours right-justified in 2), with ".cc"
/// hundredths when there are some and the field holds at least 11
/// characters (`ccc_len`).  The result is cut to `ccc_len`.
void to_hms(float secs, std::string& ccc, std::size_t ccc_len);
/// to_hms into 8 characters and a NUL; `ccc` must hold at least 9 bytes.
/// Console trace line.
void to_hms_c(float secs, char* ccc);
/// "h:m:s" to seconds, -999 when a field does not read as an integer.
int32_t hms2sec(std::string_view cc1);
/// A random digit (30 %) or capital letter (70 %) as a one-character text.
void random_char(std::string& ccc);
