#include "tests/hosts/TestBundle.h"

#include <filesystem>

#include "platform/foundation/PlistFile.h"

namespace fs = std::filesystem;

std::string writeTestBundle(const std::string& folder, const std::string& paneLibrary) {
    fs::create_directories(fs::path(folder) / "en.lproj");
    foundation::PlistDictionary info{{"CFBundleIdentifier", "com.example.hosttest"},
                                     {"NSPrincipalClass", "HostTestPage"}};
    if (!paneLibrary.empty()) {
        info["CFBundleExecutable"] = fs::path(paneLibrary).filename().string();
        fs::copy_file(paneLibrary, fs::path(folder) / fs::path(paneLibrary).filename(),
                      fs::copy_options::overwrite_existing);
    }
    foundation::writeDictionaryToFile(info, (fs::path(folder) / "Info.plist").string());
    foundation::writeDictionaryToFile({{"HELLO", "Hello there"}, {"DETAIL", "Detail page"}},
                                      (fs::path(folder) / "en.lproj" / "Localizable.strings").string());
    return folder;
}
