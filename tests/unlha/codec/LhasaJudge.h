#pragma once

// liblhasa's decoder used directly, as a judge independent of our codec.

#include "TestInputs.h"

#include <optional>

namespace unlha::test {

// The decoded bytes, or nothing when liblhasa gives fewer than originalSize.
std::optional<Bytes> LhasaDecode(const std::string& method, const Bytes& stream,
                                 std::size_t originalSize);

} // namespace unlha::test
