#pragma once

#include <sys/types.h>

namespace unlha {

// The process's file mode creation mask (umask), read without changing it: files the library
// makes with a mode of their own (the archive, extracted members) honour it like any other.
mode_t CreationMask();

} // namespace unlha
