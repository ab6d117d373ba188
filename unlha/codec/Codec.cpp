#include "codec.h"

#include "LhasaDecoder.h"
#include "LzhDecoder.h"
#include "LzhEncoder.h"

#include <algorithm>

namespace unlha {

namespace {

// Dictionary bits of the methods our own decoder handles; 0 for others.
int DecodableDictionaryBits(const std::string& method) {
    return method == "-lh4-" ? 12 : EncodableDictionaryBits(method);
}

bool Encodable(int dictBits) {
    return dictBits == 13 || dictBits == 15 || dictBits == 16;
}

bool IsCopy(const std::string& method) {
    return method == "-lh0-" || method == "-lz4-" || method == "-lhd-";
}

DecodeResult Copy(const std::uint8_t* src, std::size_t srcSize, std::uint64_t originalSize,
                  const Sink& sink) {
    if (srcSize < originalSize) {
        return DecodeResult::Corrupt;
    }
    constexpr std::size_t kChunk = 1u << 20;
    for (std::uint64_t done = 0; done < originalSize;) {
        const auto n =
            static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, originalSize - done));
        if (!sink(src + done, n)) {
            return DecodeResult::SinkStopped;
        }
        done += n;
    }
    return DecodeResult::Ok;
}

} // namespace

int EncodableDictionaryBits(const std::string& method) {
    if (method == "-lh5-") {
        return 13;
    }
    if (method == "-lh6-") {
        return 15;
    }
    if (method == "-lh7-") {
        return 16;
    }
    return 0;
}

std::int64_t Encode(int dictBits, const Source& source, const Sink& sink) {
    return Encodable(dictBits) ? lzh::EncodeStatic(dictBits, source, sink) : -1;
}

std::int64_t Encode(int dictBits, const std::uint8_t* src, std::size_t size, const Sink& sink) {
    return Encodable(dictBits) ? lzh::EncodeStatic(dictBits, src, size, sink) : -1;
}

DecodeResult Decode(const std::string& method, const std::uint8_t* src, std::size_t srcSize,
                    std::uint64_t originalSize, const Sink& sink) {
    if (IsCopy(method)) {
        return Copy(src, srcSize, originalSize, sink);
    }
    if (const int dictBits = DecodableDictionaryBits(method); dictBits != 0) {
        return lzh::DecodeStatic(dictBits, src, srcSize, originalSize, sink);
    }
    return lzh::DecodeWithLhasa(method, src, srcSize, originalSize, sink);
}

bool CanDecode(const std::string& method) {
    return IsCopy(method) || DecodableDictionaryBits(method) != 0 || lzh::LhasaKnows(method);
}

} // namespace unlha
