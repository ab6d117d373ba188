#include "HuffmanCode.h"

#include <algorithm>
#include <vector>

namespace unlha::lzh {

namespace {

// Moffat and Katajainen's in-place computation of Huffman code lengths: a holds the weights in
// ascending order and receives the code length of each.
void MinimumRedundancy(std::vector<std::uint32_t>& a) {
    const int n = static_cast<int>(a.size());
    a[0] += a[1];
    int root = 0;
    int leaf = 2;
    for (int next = 1; next < n - 1; ++next) {
        if (leaf >= n || a[root] < a[leaf]) {
            a[next] = a[root];
            a[root++] = next;
        } else {
            a[next] = a[leaf++];
        }
        if (leaf >= n || (root < next && a[root] < a[leaf])) {
            a[next] += a[root];
            a[root++] = next;
        } else {
            a[next] += a[leaf++];
        }
    }
    a[n - 2] = 0;
    for (int next = n - 3; next >= 0; --next) {
        a[next] = a[a[next]] + 1;
    }
    int avail = 1;
    int used = 0;
    std::uint32_t depth = 0;
    root = n - 2;
    int next = n - 1;
    while (avail > 0) {
        while (root >= 0 && a[root] == depth) {
            ++used;
            --root;
        }
        while (avail > used) {
            a[next--] = depth;
            --avail;
        }
        avail = 2 * used;
        ++depth;
        used = 0;
    }
}

} // namespace

void BuildCodeLengths(const std::uint32_t* freq, int n, int maxLength, std::uint8_t* lengths) {
    // Frequency above symbol in one key: sorting the keys orders by frequency, then symbol.
    std::vector<std::uint64_t> used;
    used.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        lengths[i] = 0;
        if (freq[i] != 0) {
            used.push_back(std::uint64_t{freq[i]} << 32 | static_cast<std::uint32_t>(i));
        }
    }
    if (used.size() < 2) {
        return;
    }
    std::sort(used.begin(), used.end());
    std::vector<std::uint32_t> a(used.size());
    for (std::size_t i = 0; i < used.size(); ++i) {
        a[i] = static_cast<std::uint32_t>(used[i] >> 32);
    }
    MinimumRedundancy(a);

    // Fold lengths beyond the limit into it, then lengthen the shortest codes that make
    // room until the code is complete again.
    std::vector<int> count(std::max<std::uint32_t>(a[0], maxLength) + 1, 0);
    for (const std::uint32_t len : a) {
        ++count[len];
    }
    for (std::size_t len = maxLength + 1; len < count.size(); ++len) {
        count[maxLength] += count[len];
    }
    std::uint64_t total = 0;
    for (int len = 1; len <= maxLength; ++len) {
        total += static_cast<std::uint64_t>(count[len]) << (maxLength - len);
    }
    while (total > (std::uint64_t{1} << maxLength)) {
        --count[maxLength];
        for (int len = maxLength - 1; len > 0; --len) {
            if (count[len] != 0) {
                --count[len];
                count[len + 1] += 2;
                break;
            }
        }
        --total;
    }
    // Longest codes to the rarest symbols.
    std::size_t next = 0;
    for (int len = maxLength; len >= 1; --len) {
        for (int k = 0; k < count[len]; ++k) {
            lengths[used[next++] & 0xffffffff] = static_cast<std::uint8_t>(len);
        }
    }
}

void AssignCodes(const std::uint8_t* lengths, int n, std::uint16_t* codes) {
    int count[kMaxCodeLength + 1] = {};
    for (int i = 0; i < n; ++i) {
        ++count[lengths[i]];
    }
    std::uint32_t next[kMaxCodeLength + 2] = {};
    std::uint32_t code = 0;
    count[0] = 0;
    for (int len = 1; len <= kMaxCodeLength; ++len) {
        code = (code + count[len - 1]) << 1;
        next[len] = code;
    }
    for (int i = 0; i < n; ++i) {
        codes[i] = lengths[i] != 0 ? static_cast<std::uint16_t>(next[lengths[i]]++) : 0;
    }
}

bool DecodeTable::Build(const std::uint8_t* lengths, int n) {
    int count[kMaxCodeLength + 1] = {};
    for (int i = 0; i < n; ++i) {
        if (lengths[i] > kMaxCodeLength) {
            return false;
        }
        ++count[lengths[i]];
    }
    count[0] = 0;
    std::uint32_t code = 0;
    std::uint32_t index = 0;
    std::uint32_t space = 0;
    for (int len = 1; len <= kMaxCodeLength; ++len) {
        code = (code + count[len - 1]) << 1;
        first_[len] = code;
        offset_[len] = static_cast<std::uint16_t>(index);
        index += count[len];
        limit_[len] = (code + count[len]) << (kMaxCodeLength - len);
        space += static_cast<std::uint32_t>(count[len]) << (kMaxCodeLength - len);
    }
    if (space > (1u << kMaxCodeLength)) {
        return false;
    }
    std::uint16_t fill[kMaxCodeLength + 1];
    std::copy(std::begin(offset_), std::end(offset_), fill);
    for (int i = 0; i < n; ++i) {
        if (lengths[i] != 0) {
            sorted_[fill[lengths[i]]++] = static_cast<std::uint16_t>(i);
        }
    }
    std::fill(std::begin(fast_), std::end(fast_), 0);
    for (int len = 1; len <= kFastBits; ++len) {
        for (int k = 0; k < count[len]; ++k) {
            const std::uint32_t symbol = sorted_[offset_[len] + k];
            const std::uint32_t start = (first_[len] + k) << (kFastBits - len);
            const std::uint32_t entry = kValid | (static_cast<std::uint32_t>(len) << 16) | symbol;
            std::fill(fast_ + start, fast_ + start + (1u << (kFastBits - len)), entry);
        }
    }
    return true;
}

void DecodeTable::BuildSingle(int symbol) {
    std::fill(std::begin(fast_), std::end(fast_), kValid | static_cast<std::uint32_t>(symbol));
}

int DecodeTable::DecodeLong(BitReader& in) const {
    const std::uint32_t bits = in.Peek(kMaxCodeLength);
    for (int len = kFastBits + 1; len <= kMaxCodeLength; ++len) {
        if (bits < limit_[len]) {
            const std::uint32_t code = bits >> (kMaxCodeLength - len);
            in.Skip(len);
            return sorted_[offset_[len] + (code - first_[len])];
        }
    }
    return -1;
}

} // namespace unlha::lzh
