#include "support/key_val.h"
