#pragma once

// liblhasa's standalone decoders for the methods we do not decode ourselves.

#include "codec.h"

namespace unlha::lzh {

bool LhasaKnows(const std::string& method);

DecodeResult DecodeWithLhasa(const std::string& method, const Source& source, std::uint64_t srcSize,
                             std::uint64_t originalSize, const Sink& sink);

} // namespace unlha::lzh
