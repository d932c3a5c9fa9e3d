#include "converter/track_names.h"

#include "support/ftext.h"
#include "support/paths.h"
#include "support/platform.h"
#include "taskmodel/task_model.h"

Track_name check_track_extension(std::string_view name) {
    Track_name t;
    const std::string_view n = trim_right(name);
    const std::size_t sep = last_path_separator(n);
    const std::size_t file = sep == std::string_view::npos ? 0 : sep + 1;
    const std::size_t dot = n.find('.', file);
    if (dot == std::string_view::npos) {
        t.accepted = true;
        t.stem = std::string(n);
        t.name = t.stem + ".ftr";
        return t;
    }
    const std::string_view ext = n.substr(dot + 1);
    t.name = std::string(n);
    if (ext == "ftr" || ext == "FTR") {
        t.accepted = true;
        t.stem = std::string(n.substr(0, dot));
    }
    return t;
}

std::string join_path(std::string_view folder, std::string_view file) {
    std::string p(folder);
    if (!p.empty() && !is_path_separator(p.back())) p += path_separator();
    return p + std::string(file);
}

std::string output_folder(std::string_view track_folder, std::string_view targetfolder) {
    const std::string_view target = trim_right(targetfolder);
    if (is_absolute_folder(target)) return std::string(target);
    return join_path(track_folder, target);
}

std::string raw_dump_name(std::string_view stem) { return std::string(stem) + "_tXYZ.txt"; }

std::string smooth_dump_name(std::string_view stem) { return std::string(stem) + "_tXYZ_SMOOTH.txt"; }

namespace {

std::string landscape_name(std::string_view landscape) { return fit(landscape, landscape_len); }

}  // namespace

std::string installed_terrain_path(std::string_view inst_folder, std::string_view landscape) {
    std::string folder(trim_right(inst_folder));
    if (!folder.empty() && is_path_separator(folder.back())) folder.pop_back();
    const std::string l = landscape_name(landscape);
    const std::string s(path_sep_str());
    return folder + s + "Landscapes" + s + l + s + l + ".trn";
}

std::string program_terrain_path(std::string_view app_path, std::string_view landscape) {
    return join_path(trim_right(app_path), "LandscapeFiles") + std::string(path_sep_str()) +
           landscape_name(landscape) + ".trn";
}
