#pragma once
// Text as the platform's strings see it: UTF-8 on disk, UTF-16 code units in memory.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace foundation {

bool isValidUTF8(std::string_view text);
// Length in UTF-16 code units (a character outside the BMP counts twice). Assumes valid UTF-8.
std::size_t utf16Length(std::string_view text);
// Decodes valid UTF-8 into code points; nullopt for invalid input.
std::optional<std::u32string> decodeUTF8(std::string_view text);
// Whole file as text; nullopt when it is missing, unreadable (see SafeRead.h),
// larger than `limit` or not valid UTF-8. `problem`, when given, says which.
std::optional<std::string> readUTF8File(const std::string& path, std::size_t limit = 1u << 20,
                                        std::string* problem = nullptr);

// The platform's numeric string comparison: runs of digits compare by value
// ("9.2.1" < "9.3" < "10.0"), everything else character by character.
int compareNumeric(std::string_view a, std::string_view b);

}  // namespace foundation
