#include "support/key_val.h"

#include "support/ftext.h"

namespace {

void split_at(std::string_view ligne, std::size_t p, std::size_t sep_len, std::string& key, std::string& val) {
    key = std::string(left_adjust(ligne.substr(0, p)));
    val = std::string(left_adjust(ligne.substr(p + sep_len)));
}

}  // namespace

void extract_key_val(std::string_view ligne, std::string& key, std::string& val) {
    std::size_t p = ligne.find('=');
    if (p == std::string_view::npos) p = ligne.find(':');
    if (p == std::string_view::npos) {
        key = std::string(trim_right(ligne));
        val.clear();
        return;
    }
    split_at(ligne, p, 1, key, val);
}

void extract_key_val_rel(std::string_view ligne, std::string& key, std::string& val, std::string& rel) {
    // Searched in this order; each entry found replaces the previous find.
    static const std::string_view reltxt[] = {"=", "!=", "<", "<=", ">", ">=", "[]"};
    std::string_view found;
    std::size_t pos = std::string_view::npos;
    for (std::string_view op : reltxt) {
        std::size_t p = ligne.find(op);
        if (p != std::string_view::npos) {
            found = op;
            pos = p;
        }
    }
    if (pos == std::string_view::npos) {
        key = std::string(trim_right(ligne));
        val.clear();
        rel.clear();
        return;
    }
    rel = std::string(found);
    split_at(ligne, pos, found.size(), key, val);
}

void extract_list(std::string_view& val, std::string& buff, std::string_view sep) {
    if (is_blank(val)) {
        val = {};
        buff.clear();
        return;
    }
    const char s1 = sep.empty() ? ' ' : sep[0];
    std::size_t p = val.find(s1);
    if (p != std::string_view::npos) {
        std::size_t q = val.find('"');
        if (q != std::string_view::npos && q < p) {
            std::size_t close = val.find('"', q + 1);
            if (close != std::string_view::npos) {
                p = val.find(s1, close + 1);
                // No separator after the quoted part: the character just
                // after the closing quote (the blank fill when the quote
                // ends the list) takes the separator's place.
                if (p == std::string_view::npos) p = close + 1;
            }
        }
    }
    if (p == std::string_view::npos) {
        buff = std::string(trim_right(val));
        val = {};
        return;
    }
    buff = std::string(left_adjust(val.substr(0, p)));
    val = p + 1 < val.size() ? trim_right(val.substr(p + 1)) : std::string_view();
}

void extract_list(std::string& val, std::string& buff, std::string_view sep) {
    std::string_view rest(val);
    extract_list(rest, buff, sep);
    val = std::string(rest);
}

void extract_comma(std::string& val, std::string& buff) { extract_list(val, buff, ","); }

void extract_comma(std::string_view& val, std::string& buff) { extract_list(val, buff, ","); }

void read_list(std::string& val, int32_t& nb_lst, std::vector<std::string>& lst, std::string_view sep,
               std::size_t entry_len) {
    nb_lst = 0;
    lst.clear();
    for (;;) {
        std::string item;
        extract_list(val, item, sep);
        item = fit(item, 256);
        if (is_blank(item)) break;
        lst.push_back(fit(item, entry_len));
        ++nb_lst;
    }
}
