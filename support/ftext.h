// Fixed-length texts.
//
// The file formats and records of this system are built from fixed-length,
// blank-padded texts (32 characters for names, 64 for the landscape, 256 for
// paths and lines).  In memory such a text is a std::string holding the value
// without its blank fill: storing a value cuts it to the field's width and
// drops the trailing blanks, and comparisons then ignore trailing blanks as
// the padded form does.  Leading blanks are part of the value.  An empty
// string is a blank text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/// The text without trailing blanks (the "trimmed" text).
inline std::string_view trim_right(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return s.substr(0, n);
}

/// Leading blanks moved to the end, i.e. dropped from the value.
inline std::string_view left_adjust(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    return trim_right(s.substr(i));
}

/// A value as a field of `width` characters holds it: cut to the width,
/// trailing blanks dropped.
inline std::string fit(std::string_view s, std::size_t width) {
    return std::string(trim_right(s.substr(0, width < s.size() ? width : s.size())));
}

/// True for an empty or all-blank text.
inline bool is_blank(std::string_view s) { return trim_right(s).empty(); }

/// The value padded with blanks (or cut) to exactly `width` characters, for
/// writers of fixed-width fields.
inline std::string pad_right(std::string_view s, std::size_t width) {
    std::string r(s.substr(0, width < s.size() ? width : s.size()));
    r.resize(width, ' ');
    return r;
}

/// Equality of two fixed-length texts: trailing blanks do not count.
inline bool same_text(std::string_view a, std::string_view b) {
    return trim_right(a) == trim_right(b);
}
