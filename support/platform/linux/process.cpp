#include "support/platform.h"
