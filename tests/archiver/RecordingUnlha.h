#pragma once

// Control side of the recording build of the library's Unlha call: the tests script the
// answers and read back every command it was given.

#include <cstdint>
#include <string>
#include <vector>

namespace recording {

struct Call {
    std::uintptr_t window;
    std::string command;
    std::uint32_t outputSize;
};

struct Answer {
    std::int32_t result;
    std::string report; // written into the caller's output buffer
};

// Forgets earlier calls; the n-th call gets answers[n], calls beyond them succeed silently.
void Script(std::vector<Answer> answers);
std::vector<Call> Calls();

} // namespace recording
