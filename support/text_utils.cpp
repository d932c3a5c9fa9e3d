#include "support/text_utils.h"
