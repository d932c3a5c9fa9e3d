#include "support/number_fields.h"
