// Folders and files: creation, probes, deletion, modification times and
// waiting for a file to be written.
#pragma once

#include <cstdint>
#include <string_view>

/// 1 when the folder exists or was created (with its missing parents), 0
/// when creation failed (an error message, also in the error log); a file
/// of the folder's name is no folder and makes the creation fail.  Console
/// lines with the creation command and its statuses.
int32_t check_dir(std::string_view tmpdir);

/// Returns when a probe file can be created, written and deleted in
/// `folder`; otherwise shows a message under `msg_tit` and stops the program
/// (exit status 1).
void check_writable_folder(std::string_view folder, std::string_view msg_tit);

/// -1 when the file does not exist; else the status of opening it for
/// writing, or when that is 0 the status of deleting it (0 = deleted).
int32_t delete_file(std::string_view fnam);

/// Last modification time, seconds since 1 January 1970; -1 for a missing
/// file.  Console line with the value.
int32_t modified_date(std::string_view infile);

/// True when the file exists and was modified at or after `t_start`
/// (seconds since 1970).  Console line.
bool is_file_updated(int32_t t_start, std::string_view infile);

/// Waits (polling every 2 s) until `infile` has been modified at or after
/// `t_start`, then 2 s more; stops the program after 12 hours.
void wait_for_file(int32_t t_start, std::string_view infile);

/// The same for the newer of two files; `nmod` (1 or 2) tells which one.
void wait_for_2_files(int32_t t_start, std::string_view infile1, std::string_view infile2, int32_t& nmod);
