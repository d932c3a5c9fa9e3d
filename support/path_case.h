// Paths of Windows programs on a host whose file system tells letter cases
// apart.
//
// A Windows program finds "Logs\Logfile.txt" whatever case its files were
// written in; on Linux the simulator's files sit in the Wine prefix with the
// case the simulator gave them, which need not be the case this program
// asks for.
#pragma once

#include <string>
#include <string_view>

/// The path as it exists on this machine: when `path` itself does not exist,
/// each part that is missing is looked up in its folder without regard to
/// the case of ASCII letters (an exact match always wins; among several
/// others the first in byte order).  From the first part that cannot be
/// found on, the rest is kept as given, so a path to something that does not
/// exist comes back unchanged in case.  Unchanged on Windows.
std::string existing_case(std::string_view path);
