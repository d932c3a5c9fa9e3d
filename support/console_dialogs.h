// The console side of the dialogs, shared by every platform: a message box
// written to standard error, and the choosers and the input box as questions
// on the console.  They are used when no graphical dialog can be shown (or
// BREMALO_NO_GUI=1 asks for the console).  A question is only asked when
// `can_ask` says that standard input is a terminal, so a run without a user
// never waits: a question box then takes its default button and a chooser
// reports that the user was not asked.
#pragma once

#include <string>
#include <string_view>
#include <vector>

/// What came of asking the user.
enum class ConsoleAsked { chosen, cancelled, not_asked };

/// The box type as the dialogs know it: "okcancel", "yesno", "yesnocancel",
/// anything else (null included) "ok".
std::string box_type_of(const char* dialog_type);

/// The default button that the box type allows: 0 to 2 for "yesnocancel"
/// (1 otherwise), 0 or 1 for "yesno" and "okcancel", 1 for "ok".
int box_default_button(std::string_view type, int default_button);

/// A message box on the console: the title and the message, each on a line
/// of its own, on standard error.  "ok" answers 1; a question without
/// `can_ask` answers `def`, else the answer typed on standard input (the
/// initial letter or word of an answer, in English or French, any case;
/// an empty line or the end of the input gives `def`; anything else asks
/// again).  Returns 0 for cancel/no, 1 for ok/yes, 2 for no in yes/no/cancel.
int console_message_box(std::string_view title, std::string_view message, std::string_view type, int def,
                        bool can_ask);

/// One question on standard output (the title on a line of its own, then
/// the question) and the line typed as `answer` (without its line end).
/// not_asked without `can_ask`; cancelled at the end of the input.
ConsoleAsked console_ask(std::string_view title, std::string_view question, std::string& answer, bool can_ask);

/// The open-file question: one name, or with `multi` several joined by "|";
/// the patterns are shown in the question.
ConsoleAsked console_open_file(std::string_view title, const std::vector<std::string>& patterns, bool multi,
                               std::string& answer, bool can_ask);

/// The save-file question; a name of an existing file counts only when the
/// user then agrees to replace it (else cancelled).
ConsoleAsked console_save_file(std::string_view title, const std::vector<std::string>& patterns,
                               std::string& answer, bool can_ask);

/// The folder question, naming the start folder when there is one.
ConsoleAsked console_select_folder(std::string_view title, std::string_view start, std::string& answer,
                                   bool can_ask);

/// The input-box question; an empty line gives the default answer `def`.
ConsoleAsked console_input_box(std::string_view title, std::string_view prompt, std::string_view def,
                               std::string& answer, bool can_ask);
