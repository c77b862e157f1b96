#pragma once
// libplist's parsers recurse once per level of nesting, so a hostile file
// nested deeply enough overflows the stack inside the library. These look at
// the bytes first, without recursion.

#include <string>

namespace foundation {

// True when the property-list bytes (XML or binary) nest containers more than
// `limit` levels deep, or, for the binary form, when its object table is too
// malformed to tell.
bool plistNestedTooDeep(const std::string& bytes, int limit);

}  // namespace foundation
