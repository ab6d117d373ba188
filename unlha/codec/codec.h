#pragma once

// The LZH member codecs: our encoder and decoder for -lh4- to -lh7-, and liblhasa's decoders
// for the older methods. The encoder reads its input from a source and both hand their output
// to a sink in chunks, so neither holds a whole member in memory.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace unlha {

// Receives decoded or encoded bytes in order; returns false to stop (for example a full disk).
using Sink = std::function<bool(const std::uint8_t* data, std::size_t size)>;

// Fills data with up to size next bytes of the input; returns how many, 0 at its end, or -1
// when reading failed.
using Source = std::function<std::int64_t(std::uint8_t* data, std::size_t size)>;

// A source of the size bytes at data.
Source MemorySource(const std::uint8_t* data, std::size_t size);

// Dictionary bits of a method we encode: -lh5- 13, -lh6- 15, -lh7- 16. 0 for any other name.
int EncodableDictionaryBits(const std::string& method);

// Compresses what source gives with the -lh5-, -lh6- or -lh7- method of dictBits (13, 15, 16)
// into sink. Returns the number of compressed bytes, or -1 when the source failed or the sink
// stopped (or for any other dictBits, without calling either).
std::int64_t Encode(int dictBits, const Source& source, const Sink& sink);
// The same for size bytes at src.
std::int64_t Encode(int dictBits, const std::uint8_t* src, std::size_t size, const Sink& sink);

enum class DecodeResult { Ok, UnknownMethod, Corrupt, SinkStopped, SourceFailed };

// Decodes a member of method (the five-character text, such as "-lh5-") from the srcSize
// compressed bytes that source gives, delivering exactly originalSize bytes to sink unless it
// fails. "-lh0-", "-lz4-" and "-lhd-" are copies. Reads no more than srcSize bytes; corrupt
// input gives Corrupt, never a crash, and a source that fails or ends early SourceFailed.
DecodeResult Decode(const std::string& method, const Source& source, std::uint64_t srcSize,
                    std::uint64_t originalSize, const Sink& sink);
// The same for compressed bytes in memory.
DecodeResult Decode(const std::string& method, const std::uint8_t* src, std::size_t srcSize,
                    std::uint64_t originalSize, const Sink& sink);

// True for every method Decode knows.
bool CanDecode(const std::string& method);

} // namespace unlha
