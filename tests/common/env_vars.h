// Setting and removing environment variables in tests, for the C library's
// getenv and for the platform's own environment alike.
#pragma once

/// Sets the variable `name` to `value` (replacing it).
void set_env(const char* name, const char* value);

/// Removes the variable `name`.
void unset_env(const char* name);
