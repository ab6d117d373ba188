#include "engine/TransferBuffer.h"

#include "engine/JobHost.h"
#include "platform/File.h"

#include <algorithm>

namespace zol {

namespace {

char* transferBuffer() {
    alignas(4096) static char buffer[TransferBufferSize];
    return buffer;
}

} // namespace

void MoveBytes(JobHost& host, File& in, File& out, std::int64_t n, AfterBlock after,
               void (*onBlock)(JobHost&)) {
    char* buffer = transferBuffer();
    if (n <= 0) {
        host.processEvents();
        return;
    }
    while (n > 0) {
        const auto block = static_cast<std::size_t>(std::min<std::int64_t>(n, TransferBufferSize));
        const std::size_t copied = out.copyFrom(in, block);
        if (copied < block) {
            in.read(buffer, block - copied);
            out.write(buffer, block - copied);
        }
        n -= static_cast<std::int64_t>(block);
        if (onBlock != nullptr) {
            onBlock(host);
        }
        host.processEvents();
        if (after == AfterBlock::StopOnCancel && host.job().CancelFlag == 1) {
            return;
        }
    }
}

} // namespace zol
