#include "LhasaJudge.h"

#include <algorithm>
#include <cstring>
#include <lha_decoder.h>

namespace unlha::test {

namespace {

struct Source {
    const Bytes* data;
    std::size_t pos;
};

std::size_t Read(void* buf, std::size_t len, void* user) {
    auto* s = static_cast<Source*>(user);
    const std::size_t n = std::min(len, s->data->size() - s->pos);
    if (n > 0) {
        std::memcpy(buf, s->data->data() + s->pos, n);
    }
    s->pos += n;
    return n;
}

} // namespace

std::optional<Bytes> LhasaDecode(const std::string& method, const Bytes& stream,
                                 std::size_t originalSize) {
    std::string name = method;
    LHADecoderType* type = lha_decoder_for_name(name.data());
    if (type == nullptr) {
        return std::nullopt;
    }
    Source source{&stream, 0};
    LHADecoder* decoder = lha_decoder_new(type, Read, &source, originalSize);
    Bytes out(originalSize);
    std::size_t done = 0;
    while (done < originalSize) {
        const std::size_t n = lha_decoder_read(decoder, out.data() + done, originalSize - done);
        if (n == 0) {
            break;
        }
        done += n;
    }
    lha_decoder_free(decoder);
    if (done != originalSize) {
        return std::nullopt;
    }
    return out;
}

} // namespace unlha::test
