#pragma once

namespace zol {

// dlopen of a library named without a folder, searched where the program's own loader looks
// (its RUNPATH, LD_LIBRARY_PATH, the system folders) even when a sanitizer runtime wraps
// dlopen and the loader would search the wrapper's paths instead. Null when not found.
void* OpenProgramLibrary(const char* fileName, int flags);

} // namespace zol
