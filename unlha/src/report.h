#pragma once

// What one command tells its caller: lines of text for the output buffer and the result.

#include <cstdint>
#include <string>

namespace unlha {

class Report {
public:
    void Line(const std::string& text) { text_ += text + "\n"; }
    // Records an error; the first one decides the result.
    int32_t Fail(int32_t code, const std::string& message) {
        Line(message);
        if (result_ == 0) {
            result_ = code;
        }
        return result_;
    }
    int32_t Result() const { return result_; }
    const std::string& Text() const { return text_; }

    // Copies the text into a caller's buffer, cut to fit and always terminated.
    void CopyTo(char* buffer, std::uint32_t size) const;

private:
    std::string text_;
    int32_t result_ = 0;
};

} // namespace unlha
