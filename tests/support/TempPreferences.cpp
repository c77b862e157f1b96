#include "tests/support/TempPreferences.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"

namespace fs = std::filesystem;

TempPreferences::TempPreferences() {
    std::string pattern = (fs::temp_directory_path() / "ampora-test-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    fs::create_directories(root_ + "/Ampora/Profiles");
    if (const char* old = std::getenv("AMPORA_PREFERENCES")) hadPrevious_ = true, previous_ = old;
    ::setenv("AMPORA_PREFERENCES", root_.c_str(), 1);
}

TempPreferences::~TempPreferences() {
    std::error_code error;
    fs::remove_all(root_, error);
    if (hadPrevious_) ::setenv("AMPORA_PREFERENCES", previous_.c_str(), 1);
    else ::unsetenv("AMPORA_PREFERENCES");
}

void TempPreferences::writeSettings(const foundation::PlistDictionary& settings) const {
    foundation::writeDictionaryToFile(settings, foundation::settingsFilePath());
}

void TempPreferences::writeTheme(const std::string& name, const std::string& script) const {
    writeFile(foundation::themeFolderPath() + name + ".js", script);
}

void TempPreferences::writeFile(const std::string& path, const std::string& contents) const {
    std::ofstream(path, std::ios::binary) << contents;
}

std::string TempPreferences::readFile(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string themeScript(const std::string& parameterList) {
    const std::string body = "{var c=document.createElement(\"canvas\");return c.toDataURL(\"image/png\");";
    const std::size_t used = parameterList.size() + body.size() + 1;
    return parameterList + body + std::string(used < 120 ? 120 - used : 0, ' ') + "}";
}
