#include "support/program_settings.h"

Cmndta000 cmndta000;
Cmndta001 cmndta001;
