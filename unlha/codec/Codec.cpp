#include "codec.h"

#include "LhasaDecoder.h"
#include "LzhDecoder.h"
#include "LzhEncoder.h"

#include <algorithm>
#include <cstring>
#include <vector>

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

DecodeResult Copy(const Source& source, std::uint64_t srcSize, std::uint64_t originalSize,
                  const Sink& sink) {
    if (srcSize < originalSize) {
        return DecodeResult::Corrupt;
    }
    std::vector<std::uint8_t> chunk(std::min<std::uint64_t>(originalSize, 1u << 20));
    for (std::uint64_t done = 0; done < originalSize;) {
        const auto want =
            static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), originalSize - done));
        const std::int64_t n = source(chunk.data(), want);
        if (n <= 0) {
            return DecodeResult::SourceFailed;
        }
        if (!sink(chunk.data(), static_cast<std::size_t>(n))) {
            return DecodeResult::SinkStopped;
        }
        done += static_cast<std::uint64_t>(n);
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

Source MemorySource(const std::uint8_t* data, std::size_t size) {
    return [data, size, at = std::size_t{0}](std::uint8_t* out, std::size_t room) mutable {
        const std::size_t n = std::min(room, size - at);
        if (n != 0) {
            std::memcpy(out, data + at, n);
        }
        at += n;
        return static_cast<std::int64_t>(n);
    };
}

DecodeResult Decode(const std::string& method, const Source& source, std::uint64_t srcSize,
                    std::uint64_t originalSize, const Sink& sink) {
    if (IsCopy(method)) {
        return Copy(source, srcSize, originalSize, sink);
    }
    if (const int dictBits = DecodableDictionaryBits(method); dictBits != 0) {
        return lzh::DecodeStatic(dictBits, source, srcSize, originalSize, sink);
    }
    return lzh::DecodeWithLhasa(method, source, srcSize, originalSize, sink);
}

DecodeResult Decode(const std::string& method, const std::uint8_t* src, std::size_t srcSize,
                    std::uint64_t originalSize, const Sink& sink) {
    return Decode(method, MemorySource(src, srcSize), srcSize, originalSize, sink);
}

bool CanDecode(const std::string& method) {
    return IsCopy(method) || DecodableDictionaryBits(method) != 0 || lzh::LhasaKnows(method);
}

} // namespace unlha
