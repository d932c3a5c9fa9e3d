// The converter's run options and the reading of its command line.
//
// The options are read once at start-up and hold for every track of the run.
// Reading them is pure: the start-up prints the notes and stops the program
// when the outcome asks for it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// The usage text, printed for "-help" and after an unrecognized option.
/// It names neither "-wr", "-sm:", "-hdr" nor "-noigc", which are accepted
/// all the same.
inline constexpr std::string_view hlpstr =
    "Bremalo [-debug] [-help] [-para|-next|-prev|-near|-linr] [-rftr] [-rigc] [-ustr:STRING] file(s)";

/// Width of the user text, the naming pattern and of an argument as the
/// options are tested, in characters.
inline constexpr std::size_t usrstr_len = 200;
inline constexpr std::size_t fmtstr_len = 200;
/// Width of the output folder, in characters.
inline constexpr std::size_t targetfolder_len = 256;

/// The run options (defaults as a run without options and settings has
/// them).  The two flags of the track records, "-debug" and "-hdr", are kept
/// here too and copied into rd_ftr_2 by the start-up.
struct Run_options {
    int32_t nsch_int = -2;   ///< interpolation scheme code, -2..2 (its name: schem_name)
    bool qwrite = false;     ///< "-wr": raw-track dumps
    bool qsmooth = false;    ///< "-sm:": smoothing of the raw track
    float t_sm = 0;          ///< smoothing window, seconds (set with qsmooth)
    bool qdbg = false;       ///< "-debug": verbose diagnostics
    bool qhdr = false;       ///< "-hdr": header and trailer word dumps
    bool qrftr = false;      ///< "-rftr": rename each track by the naming pattern
    bool qrigc = false;      ///< "-rigc": IGC file named by the pattern, in the working folder
    bool qwrigc = true;      ///< false with "-noigc": no IGC file at all
    std::string usrstr;      ///< "-ustr:" user text (token US), usrstr_len
    std::string fmtstr = "Y4_MM_DD_hh_mm_ID_GL_LA_ST";  ///< naming pattern, fmtstr_len
    char sep = '_';          ///< pattern separator
    char wsubs = ' ';        ///< substitute for blanks in a built name; blank: none
    std::string targetfolder;  ///< IGC output folder; empty: beside the track
    int32_t icnv = 1;        ///< handed to the IGC writer, which ignores it
    int32_t nhdr = 0;        ///< caller-supplied IGC header lines: none
};

/// What the command line asks of the start-up.
enum class Options_outcome {
    run,           ///< go on with the tracks
    help,          ///< print the usage text and end (exit status 0)
    unrecognized,  ///< print the argument, " : unrecognized option", the usage text; stop (exit status 1)
};

/// The result of reading the command line.
struct Options_result {
    Options_outcome outcome = Options_outcome::run;
    /// The argument that stopped the reading (help or unrecognized), as
    /// tested: cut to usrstr_len characters, trailing blanks dropped.
    std::string stopper;
    /// Number of arguments that name tracks (every argument that does not
    /// begin with "-").
    int32_t ntracks = 0;
    /// Console lines the reading produced on its way (a "-sm:" value that is
    /// not a number), in order.
    std::vector<std::string> notes;
};

/// Reads the options from `args` (the arguments after the program name, in
/// order) into `opt`.  Each argument is taken as its first 200 characters;
/// the tests are exact and case-sensitive, trailing blanks not counting:
/// "-para" 2, "-linr" 1, "-near" 0, "-prev" -1, "-next" -2 (the last one
/// given wins), "-help", "-wr", "-sm:" followed by the window in seconds
/// (free-form real; a value that is not a number gives a note and no
/// smoothing), "-debug", "-hdr", "-rftr", "-rigc", "-noigc", "-ustr:"
/// followed by the user text (kept with its leading blanks).  Any other
/// argument beginning with "-" is unrecognized; anything else is a track.
/// Reading stops at "-help" or an unrecognized option; the options before
/// it have been taken.
Options_result parse_options(const std::vector<std::string>& args, Run_options& opt);
