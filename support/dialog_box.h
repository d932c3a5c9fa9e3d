// Message boxes and the program runner of the dialog layer.
//
// With a graphical session a real dialog is shown; otherwise the title and
// the text go to standard error and a question is answered from the terminal
// when standard input is one, else with the default button, so a run without
// a terminal never blocks.  BREMALO_NO_GUI=1 in the environment forces the
// console path (tests use it).
#pragma once

#include <string>
#include <vector>

/// A message box.  `dialog_type`: "ok", "okcancel", "yesno", "yesnocancel";
/// `icon_type`: "info", "warning", "error", "question"; `default_button`:
/// 0 cancel/no, 1 ok/yes, 2 no in yes/no/cancel.  Returns 0 for cancel/no,
/// 1 for ok/yes, 2 for no in yes/no/cancel.  Null texts count as empty.
int dlg_message_box(const char* title, const char* message, const char* dialog_type, const char* icon_type,
                    int default_button);

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
