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

std::string unwritten_name(Written_names& written, std::string_view name) {
    std::string candidate(name);
    if (written.keys.count(file_name_key(candidate)) == 0) return candidate;
    // The number found is not passed: the file may yet be refused and stay
    // unwritten.  Names written under the numbered names themselves (a
    // track built as "a_01") are still tested one by one.
    int& n = written.next_number.try_emplace(file_name_key(name), 1).first->second;
    for (candidate = numbered_igc_name(name, n); written.keys.count(file_name_key(candidate)) != 0;)
        candidate = numbered_igc_name(name, ++n);
    return candidate;
}

void note_written(Written_names& written, std::string_view name) { written.keys.insert(file_name_key(name)); }
