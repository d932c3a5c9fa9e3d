// The program settings and run flags that every routine may consult.
#pragma once

#include <cstdint>
#include <string>

/// Program settings.  `app_path` is the program folder ending with the path
/// separator (filled at start by the converter, and by the error log when it
/// is blank); `app_name` is never written (stays empty); `text_editor` is
/// never used.
struct Cmndta000 {
    std::string text_editor;
    std::string app_path;
    std::string app_name;
};
extern Cmndta000 cmndta000;

/// Run flags.  Nothing in either program changes them: all stay false / 0.
/// `qfr` French texts, `qline` messages on the console instead of boxes,
/// `qdebug0` trace lines.
struct Cmndta001 {
    bool qfr = false;
    bool qline = false;
    int32_t nauto_upd = 0;
    int32_t nbwarn = 0;
    int32_t nberr = 0;
    bool qdebug0 = false;
};
extern Cmndta001 cmndta001;
