#include "converter/written_names.h"

#include "support/number_fields.h"
#include "support/platform.h"

std::string numbered_igc_name(std::string_view name, int n) {
    constexpr std::string_view ext = ".igc";
    std::size_t cut = name.size();
    if (name.size() >= ext.size() && name.substr(name.size() - ext.size()) == ext) cut -= ext.size();
    const std::string number = n > 99 ? std::to_string(n) : zero_padded_field(n, 2);
    return std::string(name.substr(0, cut)) + "_" + number + std::string(name.substr(cut));
}

std::string unwritten_name(const Written_names& written, std::string_view name) {
    std::string candidate(name);
    // Every name written takes one number at most, so a free one is found
    // within written.keys.size() + 1 tries.
    for (int n = 1; written.keys.count(file_name_key(candidate)) != 0; ++n) candidate = numbered_igc_name(name, n);
    return candidate;
}

void note_written(Written_names& written, std::string_view name) { written.keys.insert(file_name_key(name)); }
