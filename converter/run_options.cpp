#include "converter/run_options.h"

#include "support/ftext.h"
#include "support/number_fields.h"

namespace {

struct Scheme_option {
    std::string_view name;
    int32_t code;
};
constexpr Scheme_option scheme_options[] = {
    {"-para", 2}, {"-linr", 1}, {"-near", 0}, {"-prev", -1}, {"-next", -2},
};

}  // namespace

Options_result parse_options(const std::vector<std::string>& args, Run_options& opt) {
    Options_result r;
    for (const std::string& whole : args) {
        const std::string arg = fit(whole, usrstr_len);
        bool scheme = false;
        for (const Scheme_option& s : scheme_options) {
            if (arg == s.name) {
                opt.nsch_int = s.code;
                scheme = true;
            }
        }
        if (scheme) continue;
        if (arg == "-help") {
            r.outcome = Options_outcome::help;
            r.stopper = arg;
            return r;
        }
        if (arg == "-wr") {
            opt.qwrite = true;
        } else if (arg.starts_with("-sm:")) {
            float t = 0;
            if (read_real(std::string_view(arg).substr(4), t)) {
                opt.qsmooth = true;
                opt.t_sm = t;
            } else {
                opt.qsmooth = false;
                r.notes.push_back(" " + arg + " : the smoothing window is not a number of seconds, no smoothing");
            }
        } else if (arg == "-debug") {
            opt.qdbg = true;
        } else if (arg == "-hdr") {
            opt.qhdr = true;
        } else if (arg == "-rftr") {
            opt.qrftr = true;
        } else if (arg == "-rigc") {
            opt.qrigc = true;
        } else if (arg == "-noigc") {
            opt.qwrigc = false;
        } else if (arg.starts_with("-ustr:")) {
            opt.usrstr = arg.substr(6);
        } else if (arg.starts_with('-')) {
            r.outcome = Options_outcome::unrecognized;
            r.stopper = arg;
            return r;
        } else {
            ++r.ntracks;
        }
    }
    return r;
}
