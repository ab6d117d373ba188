#pragma once

#include <cstddef>
#include <cstdint>

namespace zol {

class File;
class JobHost;

inline constexpr std::size_t TransferBufferSize = 3276800;

// What the caller does once a block has been written and window events have run.
enum class AfterBlock { Continue, StopOnCancel };

// Moves n bytes from in to out in blocks of at most a buffer-full: the system copies each
// block between the files where it can, the one static transfer buffer carries it where it
// cannot (another file system, a device). After every block it runs onBlock, lets window events run
// and, with StopOnCancel, stops once CancelFlag is set. For n = 0 window events run once and
// nothing else happens.
void MoveBytes(JobHost& host, File& in, File& out, std::int64_t n, AfterBlock after,
               void (*onBlock)(JobHost&) = nullptr);

} // namespace zol
