#pragma once

#include <string>

namespace unlha {

// "*" any run of characters, "?" one character; "*.*" matches every name, with or without a
// dot, as on MS-DOS. Case matters.
bool WildcardMatch(const std::string& pattern, const std::string& name);

bool HasWildcard(const std::string& text);

// A member path matches a pattern with a folder part as a whole, and one without by its last
// component as well.
bool MemberMatches(const std::string& pattern, const std::string& memberPath);

} // namespace unlha
