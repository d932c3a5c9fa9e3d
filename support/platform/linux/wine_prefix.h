// The Wine prefix, where the simulator's Windows side lives on Linux: its
// registry files and its drives.  Private to the Linux platform layer.
#pragma once

#include <string>

/// The Wine prefix: $WINEPREFIX, else $HOME/.wine, else the user's home
/// folder from the password database followed by "/.wine".
std::string wine_prefix();
