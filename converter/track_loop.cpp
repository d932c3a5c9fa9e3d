#include "converter/track_loop.h"

#include <string>

#include "converter/fix_times.h"
#include "converter/naming_pattern.h"
#include "converter/raw_dumps.h"
#include "converter/smoothing.h"
#include "converter/track_names.h"
#include "converter/track_rename.h"
#include "support/condor_install.h"
#include "support/console.h"
#include "support/files.h"
#include "support/ftext.h"
#include "support/messages.h"
#include "support/number_fields.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/program_settings.h"
#include "support/stop.h"
#include "taskmodel/task_model.h"
#include "tracks/ftr_fixes.h"
#include "tracks/ftr_header.h"
#include "tracks/igc_writer.h"
#include "tracks/resample.h"
#include "tracks/track_records.h"
#include "tracks/utm.h"

namespace {

constexpr std::string_view message_title = "Bremalo";

// A per-track error shown to the user (and kept in the error log).
void track_error(const std::string& text) {
    int32_t status = s_error;
    error_message_tit(status, message_title, text, cmndta001.qline);
}

// The fields of the naming pattern from the track just read.
Name_fields name_fields(const LocalTime& date, const Run_options& opt) {
    Name_fields f;
    f.year = date.year;
    f.month = date.month;
    f.day = date.day;
    f.hour = date.hour;
    f.minute = date.minute;
    f.compid = rd_ftr_c.compid;
    f.landscape = rd_fpl_2.landscape;
    f.start_tp = rd_fpl_2.tpnam[1];
    f.compclass = rd_ftr_c.compclass;
    f.usrstr = opt.usrstr;
    f.task_km = task_distance_km(rd_fpl_1.tpx.data(), rd_fpl_1.tpy.data(), rd_fpl_0.nb_wp,
                                 static_cast<int32_t>(rd_fpl_1.tpx.size()));
    f.d_fl = rd_ftr_2.d_fl;
    f.av_s = rd_ftr_2.av_s;
    return f;
}

// The terrain header for the track just read: in the installation of the
// track's own simulator version when one was found at start-up and it has a
// folder for that version, else beside the program.
std::string terrain_header_path(bool installation_found) {
    const std::string& landscape = rd_fpl_2.landscape;
    if (installation_found) {
        std::string folder;
        get_condor_inst_dir(rd_fpl_0.fpl_vers / 1000, folder, true);
        if (!is_blank(folder)) return existing_case(installed_terrain_path(folder, landscape));
    }
    return existing_case(program_terrain_path(cmndta000.app_path, landscape));
}

// A skipped track in the run log (echoed on the console).
Track_outcome skip_note(const std::string& track, std::string_view why) {
    log_message_f(path_for_log_message(track) + std::string(why));
    return Track_outcome::not_converted;
}

// What the conversion of a track leaves out, on the console and in the
// error log.
void track_warning(const std::string& track, std::string_view what) {
    log_error_f(path_for_log_message(track) + std::string(what), s_warning);
}

// Tells what write_igc left out of the track's IGC file or why it wrote
// none; the outcome of the track.
Track_outcome igc_written_outcome(const std::string& track, const Igc_written& w) {
    switch (w.refused) {
    case Igc_refusal::bad_date:
        return skip_note(track, " : damaged track, its flight date " + std::string(trim_right(rd_ftr_c.c_date)) +
                                    " is no calendar day, skipped");
    case Igc_refusal::no_fix:
        return skip_note(track, " : damaged track, none of its fixes can be written, skipped");
    case Igc_refusal::none:
        break;
    }
    if (w.task_left_out)
        track_warning(track, " : task declaration left out of the IGC file, a task point cannot be written");
    if (w.fixes_left_out > 0)
        track_warning(track, " : " + std::to_string(w.fixes_left_out) +
                                 (w.fixes_left_out == 1
                                      ? " second left out of the IGC file, its fix cannot be written"
                                      : " seconds left out of the IGC file, their fixes cannot be written"));
    return Track_outcome::converted;
}

// Tells how many raw fixes keep_undamaged_fixes left out.
void fixes_left_out_note(const std::string& track, int32_t left_out) {
    if (left_out <= 0) return;
    track_warning(track, " : " + std::to_string(left_out) +
                             (left_out == 1 ? " fix left out, its time is damaged"
                                            : " fixes left out, their times are damaged"));
}

}  // namespace

int32_t run_status(const std::vector<Track_outcome>& outcomes) {
    for (const Track_outcome o : outcomes)
        if (o == Track_outcome::not_converted || o == Track_outcome::not_renamed) return exit_error;
    return 0;
}

Track_outcome convert_track(int32_t n, std::string_view name, const Run_state& run, Written_names& written) {
    const Run_options& opt = run.opt;
    const bool qdbg = opt.qdbg;
    console_free(n, trim_right(name));
    if (!name.empty() && name[0] == '-') return Track_outcome::not_a_track;

    const Track_name track = check_track_extension(name);
    if (!track.accepted) {
        console_line(track_rule);
        console_line("");
        skip_note(track.name, " : not a Condor flight track, skipped");
        console_line("");
        return Track_outcome::not_converted;
    }
    console_line(track_rule);
    console_line("");
    console_line(" " + track.name);
    console_line("");
    if (!file_exists(track.name)) return skip_note(track.name, " : file not found, skipped");

    int32_t npts = 0;
    read_ftr_hdr(track.name, npts);
    // The reader has said why.
    if (npts == 0) return Track_outcome::not_converted;
    if (qdbg) console_free(npts);

    // Sized by what the file can hold, not by the announced count, which a
    // damaged header may put far beyond the file.
    const std::size_t capacity = static_cast<std::size_t>(ftr_fix_capacity(npts));
    std::vector<track_fix> pp5;
    pp5.reserve(capacity);
    hint_large_buffer(pp5.data(), pp5.capacity() * sizeof(track_fix));
    pp5.resize(capacity, track_fix{});
    if (qdbg) pp5[0][fix_t] = 10000.0f;
    int32_t nrec = 0;
    if (rd_fpl_0.fpl_vers <= 3039)
        read_ftr_fixes(pp5, nrec, npts, qdbg);
    else
        read_ftr_fixes_304(pp5, nrec, npts, qdbg);
    if (qdbg) console_free("nrec,npts", nrec, npts);
    const bool cut_short = nrec > 0 && nrec < npts;

    if (opt.qwrite) write_fmt(raw_dump_name(track.stem), nrec, pp5);
    if (opt.qsmooth) {
        std::vector<smooth_fix> ppsm4;
        smooth_track(pp5, ppsm4, nrec, opt.t_sm);
        if (opt.qwrite) write_fmt_r8(smooth_dump_name(track.stem), nrec, ppsm4);
    }
    read_ftr_trl();

    if (nrec <= 0) return skip_note(track.name, " : no fix could be read, skipped");
    if (cut_short)
        track_warning(track.name, " : track cut short, " + std::to_string(nrec) + " of its " + std::to_string(npts) +
                                      " fixes read");
    // From here on the track is its kept fixes, at the front of pp5; nrec
    // stays the count read, for the closing line.
    const int32_t nkept = keep_undamaged_fixes(pp5, nrec);
    switch (check_fix_times(pp5, nkept)) {
    case Fix_times::usable: break;
    case Fix_times::no_fix:
        return skip_note(track.name, " : damaged track, all its fix times are damaged, skipped");
    case Fix_times::damaged:
        return skip_note(track.name, " : damaged track, its fix times are out of range, skipped");
    case Fix_times::too_long:
        return skip_note(track.name, " : damaged track, its fixes span more than " +
                                         std::to_string(static_cast<int>(max_track_span_s / 3600.0f)) +
                                         " hours, skipped");
    }
    fixes_left_out_note(track.name, nrec - nkept);
    const float t_first = pp5[0][fix_t];
    const float t_last = pp5[static_cast<std::size_t>(nkept - 1)][fix_t];
    rd_ftr_2.start_rec = t_first / 3600.0f;

    const std::string trnfile = terrain_header_path(run.installation_found);
    if (!file_exists(trnfile)) {
        track_error(escape_path_for_message(trnfile) + "/File not found");
        return skip_note(track.name, " : terrain header " + escape_path_for_message(trnfile) + " not found, skipped");
    }
    float xmax = 0, ymax = 0;
    // A damaged terrain header costs the tracks of its landscape alone.
    if (utm_init(trnfile, xmax, ymax) != 1) {
        track_error("*** Impossible to initialize coordinates conversion ***");
        return skip_note(track.name, " : terrain header " + escape_path_for_message(trnfile) +
                                         " gives no coordinate frame, skipped");
    }

    const int32_t ndeb = static_cast<int32_t>(t_first);
    const int32_t nfin = static_cast<int32_t>(t_last);
    int32_t ntot = nfin - ndeb + 1;
    if (qdbg) console_free("ndeb,nfin,ntot,nrec", ndeb, nfin, ntot, nkept);

    std::vector<track_fix> ppsec;
    resample_by_scheme(opt.nsch_int, nkept, ntot, pp5, ppsec, qdbg);
    std::vector<track_fix>().swap(pp5);

    std::string ttt;
    if (opt.qrftr || opt.qrigc) {
        LocalTime date{};
        file_modified_local(track.name, date);
        const Built_name built = build_name(run.kfield, name_fields(date, opt), opt.sep, opt.wsubs, opt.fmtstr, qdbg);
        for (const std::string& line : built.trace) console_line(line);
        ttt = built.name;
    }
    rd_ftr_2.nwp = rd_fpl_0.nb_wp;
    rd_ftr_2.ndeg_int = opt.nsch_int;

    Track_outcome outcome = Track_outcome::converted;
    if (opt.qwrigc) {
        std::string outfile;
        if (opt.qrigc) {
            outfile = ttt + ".igc";
        } else if (is_blank(opt.targetfolder)) {
            outfile = track.stem + ".igc";
        } else {
            // The stem lies in the track's folder: one split gives both.
            std::string folder, stem_file;
            extract_path_name(track.stem, folder, stem_file);
            const std::string out_folder = output_folder(folder, opt.targetfolder);
            if (check_dir(out_folder) == 0)
                return skip_note(track.name, " : output folder " + escape_path_for_message(out_folder) +
                                                 " cannot be made, skipped");
            outfile = join_path(out_folder, stem_file + ".igc");
        }
        const std::string free_name = unwritten_name(written, outfile);
        if (free_name != outfile) {
            console_line(" " + outfile + " : written already by this run, the IGC file is " + free_name);
            outfile = free_name;
        }
        console_line(" " + outfile);
        const Igc_written w =
            write_igc(outfile, ppsec, 4, ndeb, ntot, opt.icnv, opt.nhdr, std::vector<std::string>{std::string()});
        if (w.refused == Igc_refusal::none) note_written(written, outfile);
        if (qdbg) console_free(ndeb, ntot, nrec);
        outcome = igc_written_outcome(track.name, w);
        // No IGC file: nothing of the track was converted, so it is neither
        // counted as done nor renamed after a conversion that did not happen.
        if (outcome == Track_outcome::not_converted) return outcome;
    }
    std::vector<track_fix>().swap(ppsec);

    console_free(gggmas.wmass, gggmas.fmass, rd_ftr_2.start_rec, rd_ftr_2.nwp);
    console_line(count_field(nrec, 6) + " fixes and " + count_field(rd_ftr_2.nwp, 2) + " turn points read");
    console_line("");

    if (opt.qrftr && !rename_track(track.name, ttt)) outcome = Track_outcome::not_renamed;
    return outcome;
}
