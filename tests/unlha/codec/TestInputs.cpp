#include "TestInputs.h"

#include <array>
#include <random>

namespace unlha::test {

Bytes RandomBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes out(size);
    for (auto& b : out) {
        b = static_cast<std::uint8_t>(rng());
    }
    return out;
}

Bytes TextLike(std::size_t size, std::uint32_t seed) {
    static const std::array<const char*, 24> kWords = {
        "the",    "archive", "member", "floppy", "disk",    "header", "of",    "and",
        "static", "int",     "return", "char",   "window",  "copy",   "block", "table",
        "{",      "}",       "(void)", "size_t", "#define", "while",  "==",    "0x1f"};
    std::mt19937 rng(seed);
    Bytes out;
    out.reserve(size + 16);
    while (out.size() < size) {
        const std::string word = kWords[rng() % kWords.size()];
        out.insert(out.end(), word.begin(), word.end());
        const unsigned r = rng() % 16;
        out.push_back(r == 0   ? '\n'
                      : r == 1 ? ','
                      : r == 2 ? static_cast<std::uint8_t>('0' + rng() % 10)
                               : ' ');
    }
    out.resize(size);
    return out;
}

std::vector<NamedInput> SmallInputs() {
    std::vector<NamedInput> inputs;
    inputs.push_back({"Empty", {}});
    inputs.push_back({"OneByte", {0x41}});
    inputs.push_back({"Tiny", {'a', 'b', 'c', 'a', 'b', 'c', 'a', 'b', 'c', 'd'}});
    inputs.push_back({"Random", RandomBytes(200000, 1)});
    inputs.push_back({"Zeros", Bytes(300000, 0)});
    Bytes period(100000);
    for (std::size_t i = 0; i < period.size(); ++i) {
        period[i] = static_cast<std::uint8_t>("xyzzy\n!"[i % 7]);
    }
    inputs.push_back({"ShortPeriod", period});
    inputs.push_back({"TextLike", TextLike(300000, 2)});
    // Random stretches repeated at 4, 8, 32 and 64 KiB distances, so every window is used
    // to its end and matches of the maximum length occur.
    Bytes far = RandomBytes(1000, 3);
    for (const std::size_t gap : {4096u, 8191u, 32767u, 65535u}) {
        const Bytes filler = RandomBytes(gap - 1000, static_cast<std::uint32_t>(gap));
        far.insert(far.end(), filler.begin(), filler.end());
        const Bytes copy(far.end() - static_cast<std::ptrdiff_t>(gap),
                         far.end() - static_cast<std::ptrdiff_t>(gap) + 1000);
        far.insert(far.end(), copy.begin(), copy.end());
    }
    inputs.push_back({"FarMatches", far});
    return inputs;
}

} // namespace unlha::test
