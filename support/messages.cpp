#include "support/messages.h"
