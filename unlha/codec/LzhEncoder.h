#pragma once

// Our encoder of the -lh5- to -lh7- methods.

#include "codec.h"

namespace unlha::lzh {

std::int64_t EncodeStatic(int dictBits, const Source& source, const Sink& sink);
std::int64_t EncodeStatic(int dictBits, const std::uint8_t* src, std::size_t size,
                          const Sink& sink);

} // namespace unlha::lzh
