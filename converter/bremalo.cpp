#include "converter/bremalo.h"

#include "converter/naming_pattern.h"
#include "converter/run_options.h"
#include "converter/settings_file.h"
#include "converter/track_loop.h"
#include "support/choosers.h"
#include "support/condor_install.h"
#include "support/console.h"
#include "support/ftext.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/program_settings.h"
#include "support/stop.h"
#include "taskmodel/task_model.h"
#include "tracks/track_records.h"

std::vector<std::string> chosen_tracks(const std::string& file_list) {
    std::vector<std::string> names;
    std::size_t from = 0;
    for (;;) {
        const std::size_t bar = file_list.find('|', from);
        std::string name = file_list.substr(from, bar == std::string::npos ? std::string::npos : bar - from);
        const std::size_t nul = name.find('\0');
        if (nul != std::string::npos) name[nul] = ' ';
        names.push_back(std::string(trim_right(name)));
        if (bar == std::string::npos) break;
        from = bar + 1;
    }
    return names;
}

int bremalo(const std::vector<std::string>& argv) {
    const std::string arg0 = argv.empty() ? std::string() : argv[0];
    const std::vector<std::string> args =
        expand_wildcards(argv.size() > 1 ? std::vector<std::string>(argv.begin() + 1, argv.end())
                                         : std::vector<std::string>());

    Run_state run;
    Run_options& opt = run.opt;
    get_inst_path(cmndta000.app_path);
    init_read_fpl();

    const Options_result r = parse_options(args, opt);
    for (const std::string& note : r.notes) console_line(note);
    if (r.outcome == Options_outcome::help) {
        console_line(hlpstr);
        stop_run(0);
    }
    if (r.outcome == Options_outcome::unrecognized) {
        console_line(" " + r.stopper + " : unrecognized option");
        console_line(hlpstr);
        stop_run(exit_error);
    }
    rd_ftr_2.qdbg = opt.qdbg;
    rd_ftr_2.qhdr = opt.qhdr;
    console_free("qdbg ,qsmooth, qwrite ", opt.qdbg, opt.qsmooth, opt.qwrite);

    std::vector<std::string> tracks;
    if (r.ntracks == 0) {
        std::string file_list;
        int32_t len = 0;
        const int32_t chosen = GetFileName(file_list, "Bremalo : Select flight track(s)", "", "*.ftr",
                                           "Condor Flight Tracks (*.ftr)", 1, len);
        console_free(chosen, len);
        // Nothing chosen: the chooser has told the user; nothing to do.
        if (chosen == 0) return 0;
        tracks = chosen_tracks(file_list.substr(0, static_cast<std::size_t>(len)));
    } else {
        tracks = args;
    }

    rd_ini(arg0, opt.fmtstr, opt.sep, opt.wsubs, opt.targetfolder);

    console_line(track_rule);
    console_line("");
    console_line("Interpolation scheme : " + pad_right(schem_name(opt.nsch_int), schem_len));
    console_line("");

    run.installation_found = check_condor_install(" ") > 0;

    const Name_pattern pattern = parse_pattern(opt.fmtstr, opt.sep);
    for (const std::string& note : pattern.notes) console_line(note);
    run.kfield = pattern.kfield;

    Written_names written;
    std::vector<Track_outcome> outcomes;
    for (std::size_t i = 0; i < tracks.size(); ++i)
        outcomes.push_back(convert_track(static_cast<int32_t>(i + 1), tracks[i], run, written));
    return run_status(outcomes);
}
