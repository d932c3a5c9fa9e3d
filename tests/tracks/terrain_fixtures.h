// Builders of terrain headers for the tests: ".trn" and ".dem" bytes and
// ASCII grid text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/le_bytes.h"

/// The fields of a 36-byte ".trn" header.
struct TrnFields {
    int32_t ncol = 100;
    int32_t nrow = 80;
    float orien = 0.0f;
    float rew = 90.0f;
    float rns = 90.0f;
    float orig_e = 600000.0f;
    float orig_n = 5100000.0f;
    uint8_t zone = 32;
    char letter = 'N';
};

inline std::string trn_bytes(const TrnFields& h) {
    std::vector<unsigned char> b;
    le_put::i32(b, h.ncol);
    le_put::i32(b, h.nrow);
    le_put::f32(b, h.orien);
    le_put::f32(b, h.rew);
    le_put::f32(b, h.rns);
    le_put::f32(b, h.orig_e);
    le_put::f32(b, h.orig_n);
    // The unused bytes hold non-zero filler so that a reader taking them
    // for part of the zone or letter is caught.
    le_put::u8(b, h.zone);
    le_put::bytes(b, "\x7f\x7f\x7f");
    le_put::u8(b, static_cast<uint8_t>(h.letter));
    le_put::bytes(b, "xyz");
    return std::string(b.begin(), b.end());
}

/// The fields of a 48-byte ".dem" header.
struct DemFields {
    double lonmin = 6.0;
    double lonmax = 12.0;
    double latmax = 48.0;
    double latmin = 44.0;
    double cell = 1.0 / 1200.0;
    int32_t nrow = 4800;
    int32_t ncol = 7200;
};

inline std::string dem_bytes(const DemFields& h) {
    std::vector<unsigned char> b;
    le_put::f64(b, h.lonmin);
    le_put::f64(b, h.lonmax);
    le_put::f64(b, h.latmax);
    le_put::f64(b, h.latmin);
    le_put::f64(b, h.cell);
    le_put::i32(b, h.nrow);
    le_put::i32(b, h.ncol);
    return std::string(b.begin(), b.end());
}

/// A six-line ASCII grid header (with a no-data line) and one data row.
inline std::string asc_text(int ncols, int nrows, const std::string& xll, const std::string& yll,
                            const std::string& cell) {
    return "ncols         " + std::to_string(ncols) + "\nnrows         " + std::to_string(nrows) +
           "\nxllcorner     " + xll + "\nyllcorner     " + yll + "\ncellsize      " + cell +
           "\nNODATA_value  -9999\n12 13 14\n";
}
