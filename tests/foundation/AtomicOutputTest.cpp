#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>

#include "platform/foundation/AtomicWrite.h"
#include "tests/support/TempPreferences.h"

using namespace foundation;
namespace fs = std::filesystem;

namespace {

void age(const std::string& path, int seconds) {
    const struct timespec times[2] = {{time(nullptr) - seconds, 0}, {time(nullptr) - seconds, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

}  // namespace

TEST(AtomicWrite, StaleTemporariesOfOurNamingAreRemoved) {
    TempPreferences prefs;
    const std::string path = prefs.root() + "/settings.plist";
    const std::string stale = path + ".tmp.Ab12Cd", fresh = path + ".tmp.Zz98Yy", other = path + ".tmp.notours",
                      foreign = prefs.root() + "/other.plist.tmp.Ab12Cd";
    for (const auto& file : {stale, fresh, other, foreign}) prefs.writeFile(file, "x");
    for (const auto& file : {stale, other, foreign}) age(file, 120);
    removeStaleTemporaries(path);
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(fresh)) << "a writer may still be busy with it";
    EXPECT_TRUE(fs::exists(other)) << "not a name we make";
    EXPECT_TRUE(fs::exists(foreign)) << "another file's";
}

TEST(OutputFile, RegularFilesAreReplacedAndEverythingElseWrittenInPlace) {
    TempPreferences prefs;
    std::string problem;
    const std::string file = prefs.root() + "/out.png";
    ASSERT_TRUE(writeOutputFile(file, "one", problem)) << problem;
    ASSERT_TRUE(writeOutputFile(file, "two", problem)) << problem;
    EXPECT_EQ(prefs.readFile(file), "two");

    EXPECT_FALSE(writeOutputFile(prefs.root() + "/no-folder/out.png", "x", problem));
    EXPECT_NE(problem.find("no-folder"), std::string::npos) << problem;
    EXPECT_FALSE(writeOutputFile(prefs.root(), "x", problem));
    EXPECT_NE(problem.find("is a folder"), std::string::npos);

    const std::string fifo = prefs.root() + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(writeOutputFile(fifo, "x", problem)) << "nobody reads: refused at once, not blocked";
    EXPECT_NE(problem.find("FIFO"), std::string::npos);
    EXPECT_TRUE(fs::is_fifo(fifo));

    const std::string null = prefs.root() + "/null", full = prefs.root() + "/full";
    if (::mknod(null.c_str(), S_IFCHR | 0600, makedev(1, 3)) != 0 || ::mknod(full.c_str(), S_IFCHR | 0600, makedev(1, 7)) != 0)
        GTEST_SKIP() << "making device nodes needs CAP_MKNOD";
    EXPECT_TRUE(writeOutputFile(null, "x", problem)) << problem;
    EXPECT_TRUE(fs::is_character_file(null)) << "the device stays a device";
    EXPECT_FALSE(writeOutputFile(full, std::string(100000, 'x'), problem)) << "a full device is a failure";
    EXPECT_NE(problem.find("No space"), std::string::npos) << problem;
    EXPECT_TRUE(fs::is_character_file(full));
}
