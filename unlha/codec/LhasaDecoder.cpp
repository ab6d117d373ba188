#include "LhasaDecoder.h"

#include <algorithm>
#include <lha_decoder.h>
#include <memory>
#include <vector>

namespace unlha::lzh {

namespace {

// The member's compressed bytes for liblhasa, which asks for them through a callback.
struct Input {
    const Source& source;
    std::uint64_t remaining;
    bool failed = false;
};

std::size_t ReadInput(void* buf, std::size_t len, void* user) {
    auto* in = static_cast<Input*>(user);
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(len, in->remaining));
    if (want == 0 || in->failed) {
        return 0;
    }
    const std::int64_t n = in->source(static_cast<std::uint8_t*>(buf), want);
    if (n <= 0) {
        in->failed = true;
        return 0;
    }
    in->remaining -= static_cast<std::uint64_t>(n);
    return static_cast<std::size_t>(n);
}

LHADecoderType* TypeFor(const std::string& method) {
    std::string name = method;
    return lha_decoder_for_name(name.data());
}

struct FreeDecoder {
    void operator()(LHADecoder* d) const { lha_decoder_free(d); }
};

} // namespace

bool LhasaKnows(const std::string& method) {
    return TypeFor(method) != nullptr;
}

DecodeResult DecodeWithLhasa(const std::string& method, const Source& source, std::uint64_t srcSize,
                             std::uint64_t originalSize, const Sink& sink) {
    LHADecoderType* type = TypeFor(method);
    if (type == nullptr) {
        return DecodeResult::UnknownMethod;
    }
    Input input{source, srcSize};
    std::unique_ptr<LHADecoder, FreeDecoder> decoder(
        lha_decoder_new(type, ReadInput, &input, static_cast<std::size_t>(originalSize)));
    if (!decoder) {
        return DecodeResult::Corrupt;
    }
    std::vector<std::uint8_t> buf(1u << 16);
    std::uint64_t produced = 0;
    while (produced < originalSize) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(buf.size(), originalSize - produced));
        const std::size_t got = lha_decoder_read(decoder.get(), buf.data(), want);
        if (got == 0) {
            return input.failed ? DecodeResult::SourceFailed : DecodeResult::Corrupt;
        }
        produced += got;
        if (!sink(buf.data(), got)) {
            return DecodeResult::SinkStopped;
        }
    }
    return input.failed ? DecodeResult::SourceFailed : DecodeResult::Ok;
}

} // namespace unlha::lzh
