// The input a flight plan is read from.
//
// A flight plan is read line by line from a text file that is already open:
// either a plain ".fpl" file opened with fpl_input_open, or an IGC file that
// its reader has opened and read up to the first flight-plan line, then
// handed over with fpl_input_adopt.  From then on the input owns the file:
// the flight-plan reader closes it when it is done, and an input that goes
// out of scope still open closes its file too, so no path leaks it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

struct Fpl_input {
    Fpl_input() = default;
    Fpl_input(const Fpl_input&) = delete;
    Fpl_input& operator=(const Fpl_input&) = delete;
    Fpl_input(Fpl_input&& other) noexcept;
    Fpl_input& operator=(Fpl_input&& other) noexcept;
    ~Fpl_input();

    std::FILE* file = nullptr;  ///< the open file, nullptr once closed
    std::string name;           ///< the file's name, as given when opened
    /// A CR not followed by LF ends a line too (IGC logs: loggers write CR
    /// LF, LF or CR alone).  Off for the flight-plan and settings files,
    /// whose lines end in LF or CR LF and keep any other CR.
    bool cr_ends_line = false;
};

/// Opens `path` for reading.  Returns false (input left closed) when the
/// file cannot be opened.
bool fpl_input_open(Fpl_input& input, std::string_view path);

/// Takes over an already open file, positioned where reading must go on;
/// `name` is the file's name.  A file the input already held is closed.
void fpl_input_adopt(Fpl_input& input, std::FILE* file, std::string_view name);

/// Reads the next line into `line`, without its line end ("\n" or "\r\n",
/// and "\r" alone when input.cr_ends_line), cut to `limit` characters (the
/// rest of a longer line is passed over).
/// Status: 0 a line was read (also a last line without a line end), -1 end
/// of input (line empty), a positive error code when reading failed or the
/// input is not open.
int32_t fpl_input_read_line(Fpl_input& input, std::string& line,
                            std::size_t limit = std::string::npos);

/// Closes the input's file; nothing when it is closed already.
void fpl_input_close(Fpl_input& input);
