#include "command_line.h"

#include <cctype>

namespace unlha {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsVerb(char c) {
    switch (c) {
    case 'a':
    case 'e':
    case 'x':
    case 'l':
    case 'v':
    case 't':
    case 'd':
        return true;
    default:
        return false;
    }
}

// One switch word such as "-x1m1": letters, each with an optional number.
bool ApplySwitches(const std::string& word, Command& command, std::string& error) {
    std::size_t i = 1;
    if (word.size() == 1) {
        error = "empty switch \"-\"";
        return false;
    }
    while (i < word.size()) {
        const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(word[i])));
        ++i;
        std::string digits;
        while (i < word.size() && std::isdigit(static_cast<unsigned char>(word[i]))) {
            digits += word[i++];
        }
        const bool on = digits.empty() || digits != "0";
        bool known = true;
        switch (letter) {
        case 'd':
            known = digits.empty() || digits == "0" || digits == "1";
            command.recurse = on;
            break;
        case 'x':
            known = digits.empty() || digits == "0" || digits == "1";
            command.keepPaths = on;
            break;
        case 'm':
            known = digits.empty() || digits == "0" || digits == "1";
            command.overwrite = on;
            break;
        case 'o':
            if (digits == "5") {
                command.method = Method::Lh5;
            } else if (digits == "6") {
                command.method = Method::Lh6;
            } else if (digits == "7") {
                command.method = Method::Lh7;
            } else {
                known = false;
            }
            break;
        case 'z':
            known = digits.empty() || digits == "0" || digits == "1";
            if (on) {
                command.method = Method::Store;
            }
            break;
        default:
            known = false;
            break;
        }
        if (!known) {
            error = "unknown switch \"" + word + "\"";
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<std::string> SplitCommandLine(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (IsBlank(c) && !quoted) {
            if (inWord) {
                words.push_back(word);
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(word);
    }
    return words;
}

ParseResult ParseCommand(const std::string& line) {
    ParseResult result;
    const std::vector<std::string> words = SplitCommandLine(line);
    if (words.empty()) {
        result.error = "no command";
        return result;
    }
    Command command;
    const std::string& verb = words[0];
    if (verb.size() != 1 ||
        !IsVerb(static_cast<char>(std::tolower(static_cast<unsigned char>(verb[0]))))) {
        result.error = "unknown command \"" + verb + "\"";
        return result;
    }
    command.verb = static_cast<char>(std::tolower(static_cast<unsigned char>(verb[0])));
    bool switchesEnded = false;
    std::string base;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (!switchesEnded && word == "--") {
            switchesEnded = true;
        } else if (!switchesEnded && word.size() >= 1 && word[0] == '-') {
            if (!ApplySwitches(word, command, result.error)) {
                return result;
            }
        } else if (command.archive.empty()) {
            if (word.empty()) {
                result.error = "no archive name";
                return result;
            }
            // A folder is no archive name: adding ".lzh" would make a hidden ".lzh" in it.
            if (word.back() == '/') {
                result.error = "no archive name: \"" + word + "\" is a folder";
                return result;
            }
            command.archive = word;
        } else if (!word.empty() && word.back() == '/') {
            base = word;
            command.lastBase = word;
        } else if (!word.empty()) {
            command.names.push_back({base, word});
        }
    }
    if (command.archive.empty()) {
        result.error = "no archive name";
        return result;
    }
    result.command = std::move(command);
    return result;
}

std::string ArchiveFileName(const std::string& written) {
    const std::size_t slash = written.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = written.rfind('.');
    if (dot == std::string::npos || dot <= nameStart) {
        return written + ".lzh";
    }
    return written;
}

} // namespace unlha
