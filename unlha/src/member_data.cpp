#include "member_data.h"

#include "crc16.h"
#include "unlha32.h"

namespace unlha {
namespace {

// A block of an LZH stream carries at most 65535 codes of at most 256 bytes each after a
// header of a few bytes, so no real member expands by more than about 2^22.
constexpr int kMaxExpansionBits = 22;

bool IsCopyMethod(const std::string& method) {
    return method == "-lh0-" || method == "-lz4-" || method == "-lhd-";
}

} // namespace

MemberOutcome DecodeMember(const ArchiveReader& archive, const Member& member, const Sink& sink) {
    const MemberHeader& h = member.header;
    if (!CanDecode(h.method)) {
        return MemberOutcome::UnknownMethod;
    }
    if (IsCopyMethod(h.method) ? h.originalSize != h.compressedSize
                               : h.originalSize > ((h.compressedSize + 1) << kMaxExpansionBits)) {
        return MemberOutcome::ImpossibleSize;
    }
    std::uint16_t crc = 0;
    std::uint64_t delivered = 0;
    bool stopped = false;
    const Sink checking = [&](const std::uint8_t* data, std::size_t size) {
        crc = Crc16Update(crc, data, size);
        delivered += size;
        if (!sink(data, size)) {
            stopped = true;
            return false;
        }
        return true;
    };
    const DecodeResult result = Decode(h.method, archive.Bytes(member.dataOffset, h.compressedSize),
                                       h.compressedSize, h.originalSize, checking);
    if (stopped || result == DecodeResult::SinkStopped) {
        return MemberOutcome::SinkStopped;
    }
    if (result == DecodeResult::SourceFailed) {
        return MemberOutcome::ReadFailed;
    }
    if (result == DecodeResult::UnknownMethod) {
        return MemberOutcome::UnknownMethod;
    }
    if (result != DecodeResult::Ok || delivered != h.originalSize) {
        return MemberOutcome::Corrupt;
    }
    return crc == h.crc ? MemberOutcome::Ok : MemberOutcome::CrcMismatch;
}

const char* OutcomeText(MemberOutcome outcome) {
    switch (outcome) {
    case MemberOutcome::Ok:
        return "OK";
    case MemberOutcome::UnknownMethod:
        return "unknown compression method";
    case MemberOutcome::ImpossibleSize:
        return "sizes in the header are impossible";
    case MemberOutcome::Corrupt:
        return "compressed data is damaged";
    case MemberOutcome::CrcMismatch:
        return "CRC error";
    case MemberOutcome::SinkStopped:
        return "write failed";
    case MemberOutcome::ReadFailed:
        return "the archive cannot be read";
    }
    return "";
}

int OutcomeCode(MemberOutcome outcome) {
    switch (outcome) {
    case MemberOutcome::Ok:
        return 0;
    case MemberOutcome::UnknownMethod:
        return UNLHA_ERROR_UNKNOWN_TYPE;
    case MemberOutcome::ImpossibleSize:
        return UNLHA_ERROR_HEADER_BROKEN;
    case MemberOutcome::Corrupt:
        return UNLHA_ERROR_HUFFMAN_CODE;
    case MemberOutcome::CrcMismatch:
        return UNLHA_ERROR_FILE_CRC;
    case MemberOutcome::SinkStopped:
        return UNLHA_ERROR_CANNOT_WRITE;
    case MemberOutcome::ReadFailed:
        return UNLHA_ERROR_ARC_FILE_OPEN;
    }
    return UNLHA_ERROR_CANNOT_WRITE;
}

} // namespace unlha
