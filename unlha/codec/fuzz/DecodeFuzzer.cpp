// Feeds arbitrary bytes to Decode: the first byte picks the method, the next three give the
// claimed original size (below 1 MiB, so a run stays fast), the rest is the member data.

#include "codec.h"

#include <array>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::array<std::string, 12> kMethods = {"-lh0-", "-lh1-", "-lh4-", "-lh5-",
                                                         "-lh6-", "-lh7-", "-lhx-", "-lzs-",
                                                         "-lz5-", "-pm1-", "-pm2-", "-lhd-"};
    if (size < 4) {
        return 0;
    }
    const std::string& method = kMethods[data[0] % kMethods.size()];
    const std::uint64_t original =
        std::uint64_t{data[1]} | std::uint64_t{data[2]} << 8 | std::uint64_t(data[3] & 0x0f) << 16;
    std::uint64_t delivered = 0;
    const auto result = unlha::Decode(method, data + 4, size - 4, original,
                                      [&](const std::uint8_t*, std::size_t n) {
                                          delivered += n;
                                          return true;
                                      });
    if (result == unlha::DecodeResult::Ok && delivered != original) {
        __builtin_trap();
    }
    if (delivered > original) {
        __builtin_trap();
    }
    return 0;
}
