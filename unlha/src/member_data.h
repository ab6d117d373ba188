#pragma once

// Decoding one member's data and checking it against its CRC.

#include "archive_reader.h"
#include "codec.h"

namespace unlha {

enum class MemberOutcome {
    Ok,
    UnknownMethod,
    ImpossibleSize,
    Corrupt,
    CrcMismatch,
    SinkStopped,
    ReadFailed
};

// Delivers the member's original bytes to sink. Sizes no encoder could produce from the
// stored bytes are refused before anything is decoded, so a header claiming 2^60 bytes costs
// nothing.
MemberOutcome DecodeMember(const ArchiveReader& archive, const Member& member, const Sink& sink);

// The one-line text of an outcome, and the result code it gives.
const char* OutcomeText(MemberOutcome outcome);
int OutcomeCode(MemberOutcome outcome);

} // namespace unlha
