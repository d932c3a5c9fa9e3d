// The dialog program runner of Linux, private to this platform folder: the
// message box and the choosers run zenity or kdialog through it.
#pragma once

#include <string>
#include <vector>

/// True when graphical dialogs can be shown: not forced off by
/// BREMALO_NO_GUI=1, a display is set (DISPLAY or WAYLAND_DISPLAY) and a
/// dialog program (zenity or kdialog) is on the PATH.
bool dlg_graphical_session();

/// The dialog program to use ("zenity" or "kdialog", the first found on the
/// PATH), empty when there is none.
std::string dlg_dialog_program();

/// True when standard input is a terminal.
bool dlg_stdin_is_terminal();

/// Runs `argv` (argv[0] searched on the PATH) without a shell and waits for
/// it; its standard output is captured into `stdout_text`, standard input and
/// error are inherited.  Returns the exit status, -1 when it could not be run
/// (empty argv, program not found, killed by a signal).
int dlg_run_program(const std::vector<std::string>& argv, std::string& stdout_text);
