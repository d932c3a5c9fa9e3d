#include "support/files.h"
