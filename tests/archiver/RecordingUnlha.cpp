#include "RecordingUnlha.h"

#include "unlha32.h"

#include <cstring>
#include <utility>

namespace recording {

namespace {

struct Log {
    std::vector<Answer> answers;
    std::vector<Call> calls;
};

Log& log() {
    static Log instance;
    return instance;
}

} // namespace

void Script(std::vector<Answer> answers) {
    log().answers = std::move(answers);
    log().calls.clear();
}

std::vector<Call> Calls() {
    return log().calls;
}

} // namespace recording

extern "C" int32_t Unlha(UNLHA_HWND window, const char* command, char* output, uint32_t size) {
    auto& log = recording::log();
    const std::size_t index = log.calls.size();
    log.calls.push_back({window, command, size});
    // Touching the whole buffer lets the sanitizer build catch a buffer shorter than size.
    std::memset(output, 0, size);
    if (index >= log.answers.size())
        return 0;
    const recording::Answer& answer = log.answers[index];
    std::strncpy(output, answer.report.c_str(), size - 1);
    return answer.result;
}
