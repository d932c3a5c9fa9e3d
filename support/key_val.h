// Splitting of key=value lines and of separated lists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// Splits at the first "=", or, when there is none, at the first ":"; key
/// and value left-adjusted.  Without either the whole line is the key and
/// the value is blank.
void extract_key_val(std::string_view ligne, std::string& key, std::string& val);

/// Splits at a relational operator ("=", "!=", "<", "<=", ">", ">=", "[]";
/// the last of these in that order that the line holds wins).  `rel` is the
/// operator as a 2-character entry ("= ", "<=", ...) without its blank fill.
/// Without an operator the whole line is the key, `val` and `rel` blank.
void extract_key_val_rel(std::string_view ligne, std::string& key, std::string& val, std::string& rel);

/// Cuts the first item (up to the first character of `sep`, a separator
/// inside a leading double-quoted part not counting) off the list `val` into
/// `buff`.  The last item is returned as it is; earlier ones left-adjusted.
void extract_list(std::string& val, std::string& buff, std::string_view sep);

/// The same on a view of the list, which is moved past the item: cutting a
/// long list item by item then costs its length once, not once per item.
void extract_list(std::string_view& val, std::string& buff, std::string_view sep);

/// extract_list with the separator ",".
void extract_comma(std::string& val, std::string& buff);
void extract_comma(std::string_view& val, std::string& buff);

/// Splits the whole list into `lst` (cleared first; each item cut to
/// `entry_len` characters) and its count `nb_lst`.  A blank item ends the
/// list.  The list text is consumed.
void read_list(std::string& val, int32_t& nb_lst, std::vector<std::string>& lst, std::string_view sep,
               std::size_t entry_len = 256);
