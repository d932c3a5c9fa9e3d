#include "tracks/track_records.h"

Rd_ftr_2 rd_ftr_2;
Rd_ftr_c rd_ftr_c;
Rd_ftr_h rd_ftr_h;

const std::string& schem_name(int32_t code) {
    static const std::string none;
    if (code < schem_first || code > schem_last) return none;
    return rd_ftr_h.schem[static_cast<std::size_t>(code - schem_first)];
}
