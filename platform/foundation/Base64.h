#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace foundation {

std::string base64Encode(std::string_view bytes);
// Strict: any character outside the alphabet (white space and line breaks
// included) or a wrong length or padding gives nullopt.
std::optional<std::string> base64DecodeStrict(std::string_view text);
// The bytes of a data URL as themes return it: the text after the first
// "base64,", decoded strictly; nullopt without the marker.
std::optional<std::string> base64PayloadOf(std::string_view dataURL);

}  // namespace foundation
