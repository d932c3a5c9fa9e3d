// The converter's main program: start-up, then the per-track loop.
#pragma once

#include <string>
#include <vector>

/// Runs the converter with the command line `argv` (argument 0 the program
/// name as given, then the arguments as the shell passed them).  In order:
/// wildcard expansion of the arguments, the option defaults, the program
/// folder, the task-model reset, the options (stopping for "-help", exit
/// status 0, and an unrecognized option, status 1), the file chooser when no
/// track is named (nothing chosen ends the run, status 0), the settings file
/// beside the program name, the banner, the installation check, the naming
/// pattern, then every track.  Returns the run's exit status: 0 when every
/// track named (or chosen) was converted, exit_error when any was not
/// (run_status, converter/track_loop.h), after all the others were.
int bremalo(const std::vector<std::string>& argv);

/// The names of a chooser's answer: the names joined by "|", each with its
/// first NUL character (if any) made a blank.
std::vector<std::string> chosen_tracks(const std::string& file_list);
