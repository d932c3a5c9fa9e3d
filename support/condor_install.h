// Discovery of the simulator's installation, user-files and pilot folders.
//
// The simulator keeps its installation folder and its last pilot in the
// registry (under "SOFTWARE\Condor2\" and "SOFTWARE\Condor3\"), the user's
// documents folder in the "Personal" shell-folder value, and writes its own
// major version into "Logs/Logfile.txt" of the installation.  These routines
// read those places and keep what they find in the one record `inst00`.
//
// All folders stored here are paths of this machine that the file routines
// can open directly (on Linux the Windows paths of the Wine prefix are mapped
// to host paths); they are built with the platform's path separator, and a
// part that exists in another letter case is taken as it exists.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/// The simulator installation record, one instance for the whole run.
/// Texts start empty (blank), numbers 0, logicals false.
struct Inst00 {
    std::string condor_1_path;  ///< version-1 folder; nothing fills it
    std::string cndrpilpath;    ///< pilot folder of the selected version
    std::string instpath1;      ///< version-1 installation folder; nothing fills it
    /// Version-2 installation folder; also the cache of
    /// get_condor_inst_dir(-2, ...): empty means "ask the registry".
    std::string instpath2;
    /// Version-3 installation folder; cache of get_condor_inst_dir(-3, ...).
    std::string instpath3;
    std::string rootpath2;  ///< user-files folder of version 2 (ends with a separator)
    std::string rootpath3;  ///< user-files folder of version 3 (ends with a separator)
    std::string pilpath2;   ///< pilot folder of version 2 (no trailing separator)
    std::string pilpath3;   ///< pilot folder of version 3 (no trailing separator)
    std::string cndrinstpath;  ///< installation folder of the selected version
    std::string cndrrootpath;  ///< user-files folder of the selected version
    int32_t icndr = 0;         ///< not read by either program
    /// Selected major version: 2, 3, or 0 when both are installed.  The
    /// track and IGC readers overwrite it with the version of the file read.
    int32_t condor_version = 0;
    bool qc1 = false;  ///< not read by either program
    bool qc2 = false;  ///< version 2 detected (folder, its log's version, Condor.exe)
    bool qc3 = false;  ///< version 3 detected
};
extern Inst00 inst00;

/// Installation folder of simulator version |nc| and the major version that
/// its log file names.
///
/// nc: -2 / -3 return the cached inst00.instpath2 / instpath3 when it is
///     filled (result 2 / 3, nothing else looked at), else look version 2 / 3
///     up; 1, 2, 3 (or -1) always look the version up in the registry.  Any
///     other value stops the program ("get_condor_inst_dir : incorrect
///     Condor version").
/// path: out, the installation folder as a host path, without an added
///     trailing separator; empty when the registry has none.  It may be
///     inst00.instpath2 / instpath3 itself (that fills the cache).
/// silent: no information message when the folder is not registered.
/// Result: the cached version for a filled cache; after a lookup the major
/// version read from "Logs/Logfile.txt" (the "Condor version:" line among
/// its first six lines, divided by 1000), 0 when it cannot be read; 0 when
/// the registry holds no folder.
int32_t get_condor_inst_dir(int32_t nc, std::string& path, bool silent);

/// Decides which simulator versions are installed and fills inst00: the
/// installation, user-files and pilot folders of each detected version, qc2
/// and qc3, and the selected version (condor_version 0 and the version-3
/// folders when both are installed).  Logs each found installation folder
/// to the run log.  msgpltfldr is handed to the folder confirmation (the
/// converter passes a single blank).
/// Result: 0 none, 2 only version 2, 3 version 3 (alone or with version 2).
int32_t check_condor_install(std::string_view msgpltfldr);

/// get_condor_user_path with the documents folder taken from the registry,
/// followed by a console line "get_condor_user_path=" and the result.
int32_t get_condor_2_path(std::string_view msgpltfldr, bool qconfirm, bool qpilot,
                          std::string& condoruserpath);

/// Builds a version's user-files folder (documents folder, the version's
/// user folder word, trailing separator) or, with qpilot, its pilot folder
/// (documents folder, user folder word, "Pilots", the last pilot's name).
///
/// condoruserpath: in/out.  On entry "3" selects version 3, anything else
///     version 2; with qdocreg false it is also the documents folder.  On
///     return the folder; unchanged when the result is 0.
/// qconfirm: let the user confirm or pick the folder in a folder chooser.
/// qdocreg: take the documents folder from the "Personal" registry value,
///     expanding a leading %VARIABLE%.
/// Result: 1 when condoruserpath was filled with a folder, 0 otherwise (no
/// documents folder, an environment variable that is not set, or a cancelled
/// confirmation).
int32_t get_condor_user_path(std::string_view msgpltfldr, bool qconfirm, bool qpilot,
                             bool qdocreg, std::string& condoruserpath);

/// Picks between the installed versions by the dates of their last flight
/// plans and logs (runs check_condor_install first when nothing was detected
/// yet) and sets condor_version, cndrinstpath, cndrrootpath and cndrpilpath.
void get_active_condor_version();
