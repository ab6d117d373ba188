#pragma once

// A one-member level-0 LZH archive around an encoded member, so that bsdtar and lhasa can
// decode the very stream our decoder is timed on.

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

std::vector<std::uint8_t> WrapMember(const std::string& method, const std::string& name,
                                     const std::vector<std::uint8_t>& original,
                                     const std::vector<std::uint8_t>& packed);

} // namespace bench
