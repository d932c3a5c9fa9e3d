// Landscape airspace count.
#pragma once

#include <cstdint>
#include <string_view>

/// Number of airspaces in the airspace file `aspfile` (".air"): the lines
/// that begin "AC".  A file that cannot be opened shows an error message
/// (error log too) and gives 0; a read error ends the count there.
int32_t get_airspace_size(std::string_view aspfile);
