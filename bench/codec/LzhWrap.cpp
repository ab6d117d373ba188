#include "LzhWrap.h"

namespace bench {

namespace {

std::uint16_t Crc16(const std::vector<std::uint8_t>& data) {
    std::uint16_t table[256];
    for (unsigned i = 0; i < 256; ++i) {
        unsigned c = i;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1) ? (c >> 1) ^ 0xA001 : c >> 1;
        }
        table[i] = static_cast<std::uint16_t>(c);
    }
    std::uint16_t crc = 0;
    for (const std::uint8_t b : data) {
        crc = static_cast<std::uint16_t>(table[(crc ^ b) & 0xff] ^ (crc >> 8));
    }
    return crc;
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}

} // namespace

std::vector<std::uint8_t> WrapMember(const std::string& method, const std::string& name,
                                     const std::vector<std::uint8_t>& original,
                                     const std::vector<std::uint8_t>& packed) {
    std::vector<std::uint8_t> h;
    h.push_back(0); // header size, set below
    h.push_back(0); // header checksum, set below
    h.insert(h.end(), method.begin(), method.end());
    Put32(h, static_cast<std::uint32_t>(packed.size()));
    Put32(h, static_cast<std::uint32_t>(original.size()));
    Put32(h, 0x00210000); // 1980-01-01 00:00 in MS-DOS form
    h.push_back(0x20);    // archive attribute
    h.push_back(0);       // header level 0
    h.push_back(static_cast<std::uint8_t>(name.size()));
    h.insert(h.end(), name.begin(), name.end());
    const std::uint16_t crc = Crc16(original);
    h.push_back(static_cast<std::uint8_t>(crc));
    h.push_back(static_cast<std::uint8_t>(crc >> 8));
    h[0] = static_cast<std::uint8_t>(h.size() - 2);
    unsigned sum = 0;
    for (std::size_t i = 2; i < h.size(); ++i) {
        sum += h[i];
    }
    h[1] = static_cast<std::uint8_t>(sum);
    h.insert(h.end(), packed.begin(), packed.end());
    h.push_back(0); // end of archive
    return h;
}

} // namespace bench
