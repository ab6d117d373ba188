// The header module: level-2 headers we write read back whole; levels 0 and 1 of other
// writers read; damaged headers refused.
#include "ArchiveSupport.h"
#include "crc16.h"
#include "member_header.h"
#include "name_encoding.h"

#include <gtest/gtest.h>

using namespace unlha;
using namespace unlha_test;

namespace {

// Offsets and values of a level-2 extended header of the given type, searched in the chain.
std::optional<Bytes> ExtensionBody(const Bytes& header, std::uint8_t type) {
    std::size_t pos = 24;
    std::size_t next = header[pos] | (header[pos + 1] << 8);
    pos += 2;
    while (next != 0 && pos + next <= header.size()) {
        if (header[pos] == type) {
            return Bytes(header.begin() + pos + 1, header.begin() + pos + next - 2);
        }
        const std::size_t following = header[pos + next - 2] | (header[pos + next - 1] << 8);
        pos += next;
        next = following;
    }
    return std::nullopt;
}

MemberHeader SampleHeader(const std::string& path) {
    MemberHeader h;
    h.method = "-lh5-";
    h.path = path;
    h.compressedSize = 1234;
    h.originalSize = 5678;
    h.mtime = 1234567890;
    h.crc = 0xBEEF;
    h.unixMode = 0100644;
    return h;
}

ParsedHeader ParseWithData(const Bytes& header, std::uint64_t dataSize) {
    Bytes image = header;
    image.resize(header.size() + dataSize);
    return ParseHeader(image.data(), image.size());
}

} // namespace

struct NameCase {
    const char* path;
    bool shiftJisStored; // stored in Shift-JIS with the 932 code page
};

class Level2Names : public ::testing::TestWithParam<NameCase> {};

TEST_P(Level2Names, WrittenHeaderReadsBackWithTheSameFields) {
    const MemberHeader h = SampleHeader(GetParam().path);
    const Bytes header = BuildLevel2Header(h);
    const ParsedHeader parsed = ParseWithData(header, h.compressedSize);
    ASSERT_EQ(parsed.status, ParseStatus::Ok) << parsed.problem;
    EXPECT_EQ(parsed.headerSize, header.size());
    EXPECT_EQ(parsed.header.path, h.path);
    EXPECT_EQ(parsed.header.method, "-lh5-");
    EXPECT_EQ(parsed.header.compressedSize, 1234u);
    EXPECT_EQ(parsed.header.originalSize, 5678u);
    EXPECT_EQ(parsed.header.mtime, 1234567890);
    EXPECT_EQ(parsed.header.crc, 0xBEEF);
    EXPECT_EQ(parsed.header.level, 2);
    ASSERT_TRUE(parsed.header.unixMode.has_value());
    EXPECT_EQ(*parsed.header.unixMode, 0100644);
    EXPECT_EQ(ExtensionBody(header, 0x46).has_value(), GetParam().shiftJisStored);
    ASSERT_TRUE(ExtensionBody(header, 0x00).has_value());
    ASSERT_TRUE(ExtensionBody(header, 0x40).has_value());
    ASSERT_EQ(ExtensionBody(header, 0x41).value_or(Bytes{}).size(), 24u);
    EXPECT_FALSE(ExtensionBody(header, 0x42).has_value());
    EXPECT_NE(header.size() & 0xFF, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Names, Level2Names,
    ::testing::Values(NameCase{"plain.txt", false}, NameCase{"dir/sub/file.c", false},
                      NameCase{"日本語/ファイル.txt", true}, NameCase{"表示.txt", true},
                      NameCase{"ﾊﾝｶｸ.txt", true},
                      NameCase{"emoji-\xF0\x9F\x98\x80.txt", false}, // no Shift-JIS form
                      NameCase{"wave\xE3\x80\x9C.txt", false}));     // would read back changed

TEST(Level2Header, StoresFoldersInTheDirectoryExtensionWithFFSeparators) {
    const Bytes header = BuildLevel2Header(SampleHeader("a/bc/d.txt"));
    const Bytes expected{'a', 0xFF, 'b', 'c', 0xFF};
    EXPECT_EQ(ExtensionBody(header, 0x02), expected);
    EXPECT_EQ(ExtensionBody(header, 0x01), (Bytes{'d', '.', 't', 'x', 't'}));
}

TEST(Level2Header, StoresShiftJisNameBytesAndCodePage932) {
    const Bytes header = BuildLevel2Header(SampleHeader("表示.txt"));
    // 表 is 0x95 0x5C in Shift-JIS: its trail byte is "\", which must not split the name.
    const Bytes expected{0x95, 0x5C, 0x8E, 0xA6, '.', 't', 'x', 't'};
    EXPECT_EQ(ExtensionBody(header, 0x01), expected);
    EXPECT_EQ(ExtensionBody(header, 0x46), (Bytes{0xA4, 0x03, 0, 0}));
}

TEST(Level2Header, SizesOfFourGiBAndMoreGoIntoThe64BitExtension) {
    MemberHeader h = SampleHeader("big.bin");
    h.originalSize = (5ULL << 30) + 7;
    h.compressedSize = 100;
    const Bytes header = BuildLevel2Header(h);
    ASSERT_TRUE(ExtensionBody(header, 0x42).has_value());
    const ParsedHeader parsed = ParseWithData(header, 100);
    ASSERT_EQ(parsed.status, ParseStatus::Ok) << parsed.problem;
    EXPECT_EQ(parsed.header.originalSize, (5ULL << 30) + 7);
    EXPECT_EQ(parsed.header.compressedSize, 100u);
}

TEST(Level2Header, PadsWhenTheSizeLowByteWouldBeZero) {
    // Find a name length that makes the unpadded size a multiple of 256.
    bool seen = false;
    for (int length = 1; length < 300 && !seen; ++length) {
        const Bytes header = BuildLevel2Header(SampleHeader(std::string(length, 'n')));
        EXPECT_NE(header.size() & 0xFF, 0u) << length;
        if ((header.size() & 0xFF) == 1 && header.back() == 0) {
            seen = true;
            const ParsedHeader parsed = ParseWithData(header, 1234);
            ASSERT_EQ(parsed.status, ParseStatus::Ok);
            EXPECT_EQ(parsed.header.path, std::string(length, 'n'));
        }
    }
    EXPECT_TRUE(seen);
}

TEST(Level2Header, FolderMemberHasNoFileNameAndATrailingSlash) {
    MemberHeader h = SampleHeader("top/inner/");
    h.method = "-lhd-";
    h.compressedSize = h.originalSize = 0;
    const Bytes header = BuildLevel2Header(h);
    EXPECT_EQ(ExtensionBody(header, 0x01), Bytes{});
    const ParsedHeader parsed = ParseWithData(header, 0);
    ASSERT_EQ(parsed.status, ParseStatus::Ok);
    EXPECT_EQ(parsed.header.path, "top/inner/");
}

TEST(Level2Header, ChangedByteFailsTheHeaderCrc) {
    Bytes header = BuildLevel2Header(SampleHeader("name.txt"));
    header[header.size() - 5] ^= 0x01;
    EXPECT_EQ(ParseWithData(header, 1234).status, ParseStatus::BadHeaderCrc);
}

TEST(Level2Header, DataPastTheEndIsTruncation) {
    const Bytes header = BuildLevel2Header(SampleHeader("name.txt"));
    EXPECT_EQ(ParseWithData(header, 1233).status, ParseStatus::Truncated);
}

TEST(Level0Header, ReadsNameSizesAndDosTime) {
    const Bytes data{'a', 'b', 'c'};
    // 2001-02-03 04:05:06 local.
    const std::uint32_t dos = ((21u << 9 | 2u << 5 | 3u) << 16) | (4u << 11 | 5u << 5 | 3u);
    const Bytes member = Level0Member("DIR\\FILE.TXT", data, dos);
    const ParsedHeader parsed = ParseHeader(member.data(), member.size());
    ASSERT_EQ(parsed.status, ParseStatus::Ok) << parsed.problem;
    EXPECT_EQ(parsed.header.level, 0);
    EXPECT_EQ(parsed.header.path, "DIR/FILE.TXT");
    EXPECT_EQ(parsed.header.originalSize, 3u);
    EXPECT_EQ(parsed.header.crc, Crc16(data.data(), data.size()));
    struct tm local {};
    const time_t t = static_cast<time_t>(parsed.header.mtime);
    localtime_r(&t, &local);
    EXPECT_EQ(local.tm_year, 101);
    EXPECT_EQ(local.tm_mday, 3);
    EXPECT_EQ(local.tm_min, 5);
}

TEST(Level0Header, ShiftJisNameWithBackslashTrailByteStaysOneName) {
    // 表示 in Shift-JIS; MS-DOS writers put no code page, so the name is recognised as such.
    const Bytes member = Level0Member("\x95\x5C\x8E\xA6.TXT", {'x'}, 0x21000000);
    const ParsedHeader parsed = ParseHeader(member.data(), member.size());
    ASSERT_EQ(parsed.status, ParseStatus::Ok);
    EXPECT_EQ(parsed.header.path, "表示.TXT");
}

TEST(Level0Header, WrongChecksumIsRefused) {
    Bytes member = Level0Member("A.TXT", {'x'}, 0x21000000);
    member[1] ^= 0xFF;
    EXPECT_EQ(ParseHeader(member.data(), member.size()).status, ParseStatus::BadHeaderCrc);
}

TEST(HeaderParser, EndMarkAndGarbage) {
    const Bytes end{0};
    EXPECT_EQ(ParseHeader(end.data(), end.size()).status, ParseStatus::End);
    const std::string text = "This is certainly not an LZH archive at all.";
    EXPECT_EQ(ParseHeader(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()).status,
              ParseStatus::Broken);
}

TEST(HeaderParser, EndlessExtensionChainInLevel1IsRefused) {
    // A level-1 header whose extension sizes point on and on through the file.
    Bytes member = Level0Member("A.TXT", {}, 0x21000000);
    Bytes h(member.begin() + 2, member.end());
    h[18] = 1; // level 1
    h.push_back('M');
    h.push_back(3); // next extension: 3 bytes, type and next size only
    h.push_back(0);
    unsigned sum = 0;
    for (auto b : h) {
        sum += b;
    }
    Bytes image{static_cast<std::uint8_t>(h.size()), static_cast<std::uint8_t>(sum)};
    image.insert(image.end(), h.begin(), h.end());
    for (int i = 0; i < 10000; ++i) {
        image.insert(image.end(), {0x3F, 3, 0}); // each says another follows
    }
    const ParsedHeader parsed = ParseHeader(image.data(), image.size());
    EXPECT_NE(parsed.status, ParseStatus::Ok);
}

TEST(NameEncoding, StoredNamesBecomeUtf8ByHint) {
    EXPECT_EQ(StoredNameToUtf8("\x83\x74\x83\x40\x83\x43\x83\x8B", NameHint::ShiftJis), "ファイル");
    EXPECT_EQ(StoredNameToUtf8("ファイル", NameHint::Unknown), "ファイル");
    EXPECT_EQ(StoredNameToUtf8("\x83\x74\x83\x40", NameHint::Unknown), "ファ");
    EXPECT_EQ(StoredNameToUtf8("bad\xFF\xFE", NameHint::Unknown), "bad__");
}

// A stored (-lh0-) member with a level-3 header as LHa for UNIX defines it: word size 4,
// header size and extension sizes in 32 bits. Extensions are given as type and body.
Bytes Level3Member(const std::vector<std::pair<std::uint8_t, std::string>>& extensions,
                   std::uint8_t osId, const Bytes& data) {
    Bytes h(28, 0);
    h[0] = 4;
    const std::string method = "-lh0-";
    std::copy(method.begin(), method.end(), h.begin() + 2);
    h[7] = static_cast<std::uint8_t>(data.size());  // compressed size
    h[11] = static_cast<std::uint8_t>(data.size()); // original size
    h[15] = 0x10;                                   // mtime 16
    h[19] = 0x20;
    h[20] = 3;
    const std::uint16_t crc = Crc16(data.data(), data.size());
    h[21] = static_cast<std::uint8_t>(crc);
    h[22] = static_cast<std::uint8_t>(crc >> 8);
    h[23] = osId;
    // Each extension's size stands before it: in the base header for the first, at the end
    // of the one before for the others.
    for (const auto& [type, body] : extensions) {
        const auto size = static_cast<std::uint32_t>(1 + body.size() + 4);
        h.insert(h.end(), {static_cast<std::uint8_t>(size), 0, 0, 0});
        h.push_back(type);
        h.insert(h.end(), body.begin(), body.end());
    }
    h.insert(h.end(), {0, 0, 0, 0});             // no further extension
    h[24] = static_cast<std::uint8_t>(h.size()); // total header size
    h.insert(h.end(), data.begin(), data.end());
    return h;
}

TEST(Level3Header, ReadsFourByteSizesAndExtensions) {
    const Bytes data{'a', 'b', 'c'};
    const Bytes h = Level3Member({{0x01, "three.txt"}}, 'U', data);
    const ParsedHeader parsed = ParseHeader(h.data(), h.size());
    ASSERT_EQ(parsed.status, ParseStatus::Ok) << parsed.problem;
    EXPECT_EQ(parsed.header.level, 3);
    EXPECT_EQ(parsed.header.path, "three.txt");
    EXPECT_EQ(parsed.header.mtime, 16);
    EXPECT_EQ(parsed.headerSize, h.size() - 3);
}

// A folder whose last Shift-JIS character ends in the byte 0x5C, stored without the closing
// 0xFF: the byte is part of the character, not a separator.
TEST(Level3Header, FolderEndingInATrailByte5CStillSeparatesTheName) {
    const Bytes data{'x'};
    const struct {
        std::string directory;
        const char* path;
    } cases[] = {
        {"\x95\x5C", "表/x.txt"},        // 表, no closing 0xFF
        {"\x95\x5C\xFF", "表/x.txt"},    // with it
        {"dir\\", "dir/x.txt"},          // an MS-DOS writer's own separator
        {"a\xFF\x83\x5C", "a/ソ/x.txt"}, // ソ
    };
    for (const auto& c : cases) {
        const Bytes h = Level3Member({{0x01, "x.txt"}, {0x02, c.directory}}, 'M', data);
        const ParsedHeader parsed = ParseHeader(h.data(), h.size());
        ASSERT_EQ(parsed.status, ParseStatus::Ok) << parsed.problem;
        EXPECT_EQ(parsed.header.path, c.path);
    }
}
