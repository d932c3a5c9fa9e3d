#include "support/julian.h"
