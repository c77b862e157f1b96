// Files that anyone may put under the preferences root: every reader gets a
// quick "missing" or "unreadable", never a crash, a hang or a huge allocation.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/foundation/PlistFile.h"
#include "platform/foundation/SafeRead.h"
#include "platform/foundation/Text.h"
#include "tests/support/TempPreferences.h"

using namespace foundation;
namespace fs = std::filesystem;

namespace {

std::string nested(int depth) {
    std::string open, close;
    for (int i = 0; i < depth; ++i) open += "<array>", close += "</array>";
    return "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>deep</key>" + open + close + "</dict></plist>";
}

}  // namespace

TEST(HostileFiles, OnlyRegularFilesWithinTheCapAreRead) {
    TempPreferences prefs;
    const std::string folder = prefs.root() + "/a-folder", fifo = prefs.root() + "/a-fifo",
                      zero = prefs.root() + "/zero-link", sparse = prefs.root() + "/sparse";
    fs::create_directory(folder);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", zero);
    ASSERT_EQ(::truncate((prefs.writeFile(sparse, ""), sparse).c_str(), off_t(2) << 30), 0);

    for (const auto& path : {folder, fifo, zero, sparse}) {
        const FileRead read = readRegularFile(path, ReadLimit::settings);
        EXPECT_EQ(read.status, FileRead::Status::Unreadable) << path;
        EXPECT_TRUE(read.bytes.empty()) << path;
        EXPECT_FALSE(read.problem.empty()) << path;
        EXPECT_EQ(readDictionary(path).status, FileRead::Status::Unreadable) << path;
        EXPECT_FALSE(readUTF8File(path)) << path;
    }
    EXPECT_NE(readRegularFile(fifo, 10).problem.find("FIFO"), std::string::npos);
    EXPECT_NE(readRegularFile(sparse, ReadLimit::theme).problem.find("1024 KiB"), std::string::npos);
    EXPECT_EQ(readRegularFile(prefs.root() + "/nothing", 10).status, FileRead::Status::Missing);

    prefs.writeFile(sparse, std::string(ReadLimit::battery, '7'));
    EXPECT_TRUE(readRegularFile(sparse, ReadLimit::battery).ok()) << "exactly at the cap";
    prefs.writeFile(sparse, std::string(ReadLimit::battery + 1, '7'));
    EXPECT_FALSE(readRegularFile(sparse, ReadLimit::battery).ok());
}

TEST(HostileFiles, DeeplyNestedPropertyListsReadAsUnreadable) {
    TempPreferences prefs;
    const std::string path = prefs.root() + "/deep.plist";
    prefs.writeFile(path, nested(100));
    EXPECT_TRUE(readDictionaryFromFile(path)) << "ordinary nesting still reads";
    for (int depth : {kMaxPlistDepth + 1, 100000, 270000}) {
        prefs.writeFile(path, nested(depth));
        const DictionaryRead read = readDictionary(path);
        EXPECT_EQ(read.status, FileRead::Status::Unreadable) << depth;
        EXPECT_NE(read.problem.find("levels deep"), std::string::npos);
    }
    // Closing tags hidden in comments do not hide the nesting.
    std::string sneaky = nested(300);
    for (size_t at = sneaky.find("<array>"); at != std::string::npos; at = sneaky.find("<array>", at + 30))
        sneaky.insert(at, "<!-- </a> -->");
    prefs.writeFile(path, sneaky);
    EXPECT_FALSE(readDictionaryFromFile(path));
}
