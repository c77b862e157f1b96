// ampora get and its defaults, ampora set against what the pages offer, settings text XML cannot hold, and
// preview -o into devices and FIFOs.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "tests/support/CommandRun.h"
#include "tests/support/TempPreferences.h"
#include "tests/tools/CommandTestSupport.h"

namespace fs = std::filesystem;
using foundation::PlistDictionary;
using foundation::PlistValue;

namespace {

class SetCommand : public CommandTest {};

// A binary property list {theme: "caf\xE9"} whose string is one byte per
// character, as older writers left Latin-1 text: not UTF-8.
std::string binaryWithLatin1Theme() {
    std::string bytes = "bplist00";
    bytes += std::string("\xD1\x01\x02", 3);                    // 8: dictionary of one pair
    bytes += std::string("\x55theme", 6);                       // 11: "theme"
    bytes += std::string("\x54" "caf\xE9", 5);                  // 17: "caf\xE9"
    bytes += std::string("\x08\x0B\x11", 3);                    // 22: offsets
    bytes += std::string(6, '\0') + '\x01' + '\x01';            // offset and reference sizes
    bytes += std::string(7, '\0') + '\x03';                     // three objects
    bytes += std::string(8, '\0');                              // the top object is the first
    bytes += std::string(7, '\0') + '\x16';                     // the offsets start at 22
    return bytes;
}

}  // namespace

TEST_F(SetCommand, RefusesWhatThePagesDoNotOfferUnlessForced) {
    prefs.writeTheme("Ampora Connect", kTheme);
    prefs.writeTheme("Mine", kTheme);
    prefs.writeSettings({{"lowLevel", 15}});

    const CommandRun missing = ampora("set theme Nonexistent");
    EXPECT_EQ(missing.status, 2) << missing.output;
    EXPECT_TRUE(has(missing, "\"Ampora Connect\", \"Mine\"")) << "names the installed themes: " << missing.output;
    EXPECT_EQ(ampora("set secondTheme Nonexistent").status, 2);
    const CommandRun high = ampora("set lowLevel 200");
    EXPECT_EQ(high.status, 2) << high.output;
    EXPECT_TRUE(has(high, "from 5 to 95")) << high.output;
    EXPECT_EQ(ampora("set lowLevel 4").status, 2);
    EXPECT_EQ(ampora("set customLevel 101").status, 2);
    EXPECT_EQ(ampora("set sharedColorAlpha 1.5").status, 2);
    EXPECT_EQ(settings(), (PlistDictionary{{"lowLevel", 15}})) << "nothing refused was written";

    EXPECT_EQ(ampora("set theme Mine").status, 0);
    EXPECT_EQ(ampora("set lowLevel 95").status, 0) << "the ends of the range are offered";
    EXPECT_EQ(ampora("set customLevel 0").status, 0);
    EXPECT_EQ(ampora("set --force secondTheme Nonexistent").status, 0);
    EXPECT_EQ(ampora("set --force secondThemeLimit 200").status, 0);
    EXPECT_EQ(settings(), (PlistDictionary{{"lowLevel", 95}, {"theme", "Mine"}, {"customLevel", 0},
                                           {"secondTheme", "Nonexistent"}, {"secondThemeLimit", 200}}));
}

TEST_F(SetCommand, GetShowsStoredValuesAndMarksThePagesDefaults) {
    const CommandRun absent = ampora("get lowLevel");
    EXPECT_EQ(absent.status, 0) << absent.output;
    EXPECT_EQ(absent.output, "20 (default)\n") << "no file yet: the value the options page shows";

    prefs.writeSettings({{"lowLevel", 30}, {"sharedColorAlpha", 0.25}, {"enabled", true}, {"zzLeftover", "x"}});
    EXPECT_EQ(ampora("get lowLevel").output, "30\n");
    EXPECT_EQ(ampora("get zzLeftover").output, "x\n") << "a key no page reads is still shown when stored";

    const CommandRun all = ampora("get");
    EXPECT_EQ(all.status, 0);
    EXPECT_TRUE(has(all, "lowLevel = 30\n")) << all.output;
    EXPECT_TRUE(has(all, "sharedColorAlpha = 0.25\n")) << "reals as they are typed back";
    EXPECT_TRUE(has(all, "enabled = true\n"));
    EXPECT_TRUE(has(all, "theme = Ampora Connect (default)\n"));
    EXPECT_EQ(all.output.rfind("zzLeftover = x\n"), all.output.size() - std::string("zzLeftover = x\n").size())
        << "unknown keys come last";

    const CommandRun unknown = ampora("get lowLevl");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(has(unknown, "lowLevel")) << "names the nearest key: " << unknown.output;
    EXPECT_EQ(ampora("get lowLevel theme").status, 2);

    // A folder where the file belongs stands for any file that cannot be read, even by root.
    std::filesystem::remove(foundation::settingsFilePath());
    std::filesystem::create_directory(foundation::settingsFilePath());
    const CommandRun unreadable = ampora("get lowLevel");
    EXPECT_EQ(unreadable.status, 1) << "a default would hide that the settings are lost";
    EXPECT_TRUE(has(unreadable, "cannot be read: it is a folder")) << unreadable.output;
}

TEST_F(SetCommand, ColorsTakeTheShortFormsAndNothingElse) {
    EXPECT_EQ(ampora("set lightColor '#fff'").status, 0);
    EXPECT_EQ(ampora("set baseDarkColor '#0008'").status, 0);
    EXPECT_EQ(ampora("set lowColor FF0000").status, 0);
    for (const char* bad : {"'#'", "zzzzzz", "'#zzzzzz'", "'12#3456'", "'#12345'", "'%s%n'", "' #fff'"})
        EXPECT_EQ(ampora(std::string("set darkColor ") + bad).status, 2) << bad;
    EXPECT_EQ(settings(), (PlistDictionary{{"lightColor", "#ffffff"}, {"baseDarkColor", "#00000088"},
                                           {"lowColor", "FF0000"}}));
}

TEST_F(SetCommand, TextThatIsNotUTF8NeverBecomesIllFormedXML) {
    const std::string path = foundation::settingsFilePath();
    prefs.writeFile(path, binaryWithLatin1Theme());
    ASSERT_TRUE(foundation::readDictionaryFromFile(path)) << "the crafted file reads";

    const CommandRun set = ampora("set --force lowLevel 30");
    EXPECT_EQ(set.status, 1) << "neither form keeps these bytes as they are";
    EXPECT_TRUE(has(set, "not UTF-8")) << set.output;
    EXPECT_EQ(prefs.readFile(path), binaryWithLatin1Theme()) << "refused, the file as it was";

    // A control character is UTF-8 that XML 1.0 cannot hold: the binary form keeps it.
    prefs.writeSettings({{"theme", "bell\x07"}});
    EXPECT_EQ(ampora("set --force lowLevel 30").status, 0);
    EXPECT_EQ(prefs.readFile(path).rfind("bplist", 0), 0u);
    EXPECT_EQ(settings(), (PlistDictionary{{"theme", "bell\x07"}, {"lowLevel", 30}}));
}

TEST_F(SetCommand, PreviewWritesDevicesAndFIFOsInPlace) {
    prefs.writeTheme("Ampora Connect", kTheme);
    const std::string fifo = prefs.root() + "/pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] {
        const int fd = ::open(fifo.c_str(), O_RDONLY);
        char buffer[4096];
        for (ssize_t n; fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0;) received.append(buffer, size_t(n));
        if (fd >= 0) ::close(fd);
    });
    // Give the reader time to open its end: without one the FIFO is refused, not waited on.
    for (int i = 0; i < 200 && received.empty(); ++i) {
        const CommandRun run = ampora("preview -o '" + fifo + "'");
        if (run.status == 0) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!fs::is_fifo(fifo)) {
        // Today's fault: the FIFO was replaced by a file, and the reader waits for ever.
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    }
    EXPECT_TRUE(fs::is_fifo(fifo)) << "the FIFO is still a FIFO";
    reader.detach();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(received.rfind("\x89PNG", 0), 0u) << "the PNG went down the FIFO";

    const std::string node = prefs.root() + "/full";
    if (::mknod(node.c_str(), S_IFCHR | 0600, makedev(1, 7)) != 0) GTEST_SKIP() << "making device nodes needs CAP_MKNOD";
    const CommandRun full = ampora("preview -o '" + node + "'");
    EXPECT_EQ(full.status, 1) << "a full device is no success: " << full.output;
    EXPECT_TRUE(fs::is_character_file(node)) << "the device is still a device";
}
