#include "wildcard.h"

#include <cstddef>

namespace unlha {

bool HasWildcard(const std::string& text) {
    return text.find_first_of("*?") != std::string::npos;
}

bool WildcardMatch(const std::string& pattern, const std::string& name) {
    if (pattern == "*.*") {
        return true;
    }
    // Iterative matching with one backtrack point: linear in practice, never exponential.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::string::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

bool MemberMatches(const std::string& pattern, const std::string& memberPath) {
    std::string path = memberPath;
    if (!path.empty() && path.back() == '/') {
        path.pop_back();
    }
    if (WildcardMatch(pattern, path)) {
        return true;
    }
    if (pattern.find('/') != std::string::npos) {
        return false;
    }
    const std::size_t slash = path.rfind('/');
    return slash != std::string::npos && WildcardMatch(pattern, path.substr(slash + 1));
}

} // namespace unlha
