#include "support/text_format.h"
