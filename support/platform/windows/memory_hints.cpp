// Memory hints of Windows: none; large buffers are filled as they are.
#include "support/platform.h"

void hint_large_buffer(void*, std::size_t) {}
