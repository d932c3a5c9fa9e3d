// The dialogs of the platform: the message box, and the choosers (open file,
// one or several; save file; folder) and an input box.  Every platform folder
// defines exactly these.
//
// On Linux, in a graphical session, they run zenity, or kdialog when zenity
// is not there.  Without one, a message box goes to standard error and the
// choosers ask on the console when standard input is a terminal; a question
// without a terminal takes its default button and a chooser reports that
// nothing was chosen, so a run without a user never blocks.  The environment
// variable BREMALO_NO_GUI=1 forces the console path (tests use it).
//
// On Windows the box is MessageBoxA and the choosers are the common dialogs
// (GetOpenFileNameA, GetSaveFileNameA) and the folder browser
// (SHBrowseForFolderA), all with ANSI texts; the input box asks on the
// console.  BREMALO_NO_GUI=1 sends them to the console as on Linux (a box
// that cannot be shown or a dialog that fails to open too), where a
// question is only asked when standard input is a console.  The console side
// is support/console_dialogs.h.  Each call blocks until the user answers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

/// A message box.  `dialog_type`: "ok", "okcancel", "yesno", "yesnocancel";
/// `icon_type`: "info", "warning", "error", "question"; `default_button`:
/// 0 cancel/no, 1 ok/yes, 2 no in yes/no/cancel.  Returns 0 for cancel/no,
/// 1 for ok/yes, 2 for no in yes/no/cancel.  Null texts count as empty.
int dlg_message_box(const char* title, const char* message, const char* dialog_type, const char* icon_type,
                    int default_button);

/// Open-file dialog.  patterns: file patterns such as "*.ftr" (none: all
/// files); desc: their description (may be empty); multi: several files may
/// be chosen.  On a choice returns true with chosen = the path, or the paths
/// joined by "|"; false when nothing was chosen (chosen untouched).
bool dlg_open_file(std::string_view title, std::string_view start,
                   const std::vector<std::string>& patterns, std::string_view desc,
                   bool multi, std::string& chosen);

/// Save-file dialog; asks before an existing file is chosen for overwriting.
/// Same conventions as dlg_open_file, one file.
bool dlg_save_file(std::string_view title, std::string_view start,
                   const std::vector<std::string>& patterns, std::string_view desc,
                   std::string& chosen);

/// Folder dialog starting in start.  True with chosen = the folder.
bool dlg_select_folder(std::string_view title, std::string_view start, std::string& chosen);

/// A text of the Windows ANSI code page (Latin-1 letters such as "\xE9")
/// in the encoding that this platform's dialogs and text files use (UTF-8
/// on Linux; unchanged on Windows).
std::string dlg_native_text(std::string_view ansi);

/// Input box with the default answer def.  True with answer = the text the
/// user confirmed (possibly empty); false on cancel.
bool dlg_input_box(std::string_view title, std::string_view prompt, std::string_view def,
                   std::string& answer);
