#include "LhasaDecoder.h"

#include <algorithm>
#include <cstring>
#include <lha_decoder.h>
#include <memory>
#include <vector>

namespace unlha::lzh {

namespace {

struct Source {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;
};

std::size_t ReadSource(void* buf, std::size_t len, void* user) {
    auto* s = static_cast<Source*>(user);
    const std::size_t n = std::min(len, s->size - s->pos);
    std::memcpy(buf, s->data + s->pos, n);
    s->pos += n;
    return n;
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

DecodeResult DecodeWithLhasa(const std::string& method, const std::uint8_t* src,
                             std::size_t srcSize, std::uint64_t originalSize, const Sink& sink) {
    LHADecoderType* type = TypeFor(method);
    if (type == nullptr) {
        return DecodeResult::UnknownMethod;
    }
    Source source{src, srcSize, 0};
    std::unique_ptr<LHADecoder, FreeDecoder> decoder(
        lha_decoder_new(type, ReadSource, &source, static_cast<std::size_t>(originalSize)));
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
            return DecodeResult::Corrupt;
        }
        produced += got;
        if (!sink(buf.data(), got)) {
            return DecodeResult::SinkStopped;
        }
    }
    return DecodeResult::Ok;
}

} // namespace unlha::lzh
