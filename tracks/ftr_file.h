// The open flight-track file.
//
// One track is read by four calls in a row (header, fixes, trailer), and the
// file stays open and positioned between them.  The whole file is read into
// memory when it is opened; the readers then decode it field by field from
// that buffer at a read position, so that every read is bounds-checked and a
// short or damaged file can only end a read, never reach outside the bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "support/le_bytes.h"

struct Ftr_file {
    std::string name;                 ///< path as given (trailing blanks cut)
    std::vector<unsigned char> bytes; ///< the whole file
    std::size_t pos = 0;              ///< next byte to read
    bool open = false;
};
/// The one open track (only one is open at a time).
extern Ftr_file ftr_file;

/// Opens the track at `path` (trailing blanks ignored): reads all of it into
/// ftr_file at position 0.  False when it does not exist, is not a regular
/// file (a folder, a pipe, a device) or cannot be read; ftr_file is then
/// closed.
bool ftr_open(std::string_view path);

/// Opens a track whose bytes are already in memory (the same state as
/// ftr_open gives).
void ftr_open_bytes(std::string_view name, std::vector<unsigned char> bytes);

/// Closes the track and releases its bytes.
void ftr_close();

/// The open file's bytes, for bounds-checked decoding at absolute offsets.
inline LeBytes ftr_view() { return LeBytes(ftr_file.bytes); }

/// Bytes between the read position and the end of the file.
inline std::size_t ftr_remaining() {
    return ftr_file.pos < ftr_file.bytes.size() ? ftr_file.bytes.size() - ftr_file.pos : 0;
}
