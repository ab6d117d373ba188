#pragma once

// Our decoder of the -lh4- to -lh7- methods.

#include "codec.h"

namespace unlha::lzh {

DecodeResult DecodeStatic(int dictBits, const Source& source, std::uint64_t srcSize,
                          std::uint64_t originalSize, const Sink& sink);

} // namespace unlha::lzh
