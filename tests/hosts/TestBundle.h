#pragma once
// A bundle folder for the settings host's tests: Info.plist naming HostTestPage
// as the first page, en.lproj/Localizable.strings (HELLO -> "Hello there"), and,
// when given, the test pane library as its executable.

#include <string>

// Writes the bundle into `folder` (made if missing); returns `folder`.
std::string writeTestBundle(const std::string& folder, const std::string& paneLibrary = {});
