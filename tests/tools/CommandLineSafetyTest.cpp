// The `ampora` command facing hostile files and careless command lines.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "tests/support/CommandRun.h"
#include "tests/support/TempPreferences.h"
#include "tests/tools/CommandTestSupport.h"

namespace fs = std::filesystem;
using foundation::PlistDictionary;
using foundation::PlistValue;

namespace {

class CommandLine : public CommandTest {};

}  // namespace

TEST_F(CommandLine, HostileSettingsFilesNeitherCrashNorBlockNorGetReplaced) {
    prefs.writeTheme("Ampora Connect", kTheme);
    const std::string path = foundation::settingsFilePath(), out = prefs.root() + "/icon.png";
    auto check = [&](const char* what) {
        const CommandRun set = ampora("set enabled true");
        EXPECT_EQ(set.status, 1) << what << ": " << set.output;
        EXPECT_TRUE(has(set, "left as it is")) << what << ": " << set.output;
        const CommandRun render = ampora("render --level 50 -o '" + out + "'");
        EXPECT_EQ(render.status, 0) << what << ": " << render.output;
        EXPECT_TRUE(has(render, "drawing with the default settings")) << what << ": " << render.output;
    };
    fs::create_directory(path);
    check("a folder");
    fs::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    check("a FIFO");
    fs::remove(path);
    fs::create_symlink("/dev/zero", path);
    check("a link to /dev/zero");
    fs::remove(path);
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "<array>";
    prefs.writeFile(path, "<plist version=\"1.0\"><dict><key>a</key>" + deep + "</dict></plist>");
    check("nested 100 000 deep");

    const std::string typo = "<plist version=\"1.0\"><dict><key>theme</key><string>Mine</strin></dict></plist>";
    prefs.writeFile(path, typo);
    check("a typo");
    EXPECT_EQ(prefs.readFile(path), typo) << "every other setting kept";
}

TEST_F(CommandLine, SetChecksKeysAndValuesAgainstTheCatalogue) {
    prefs.writeSettings({{"theme", "Mine"}});
    const CommandRun unknown = ampora("set levl 5");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(has(unknown, "lowLevel")) << unknown.output;
    const CommandRun maybe = ampora("set enabled maybe");
    EXPECT_EQ(maybe.status, 2);
    EXPECT_TRUE(has(maybe, "enabled takes a boolean")) << maybe.output;
    EXPECT_EQ(ampora("set lightColor '#12345'").status, 2);
    EXPECT_EQ(ampora("set lowLevel 0x20").status, 2) << "decimal only";
    EXPECT_EQ(ampora("set theme ../x").status, 2);
    EXPECT_EQ(settings(), (PlistDictionary{{"theme", "Mine"}})) << "nothing refused was written";

    EXPECT_EQ(ampora("set --force lowLevel -7").status, 0) << "a negative number is a value, not an option";
    EXPECT_EQ(ampora("set --force -- theme -dark-").status, 0);
    EXPECT_EQ(ampora("set --force levl 5").status, 0);
    EXPECT_EQ(ampora("set --force enabled maybe").status, 0);
    EXPECT_EQ(settings(), (PlistDictionary{{"theme", "-dark-"}, {"lowLevel", -7}, {"levl", 5}, {"enabled", "maybe"}}));
    EXPECT_TRUE(has(ampora("set theme -dark-"), "'--'"));
}

TEST_F(CommandLine, SetCreatesAMissingRootPrivately) {
    const std::string root = prefs.root() + "/new/deeper";
    ::setenv("AMPORA_PREFERENCES", root.c_str(), 1);
    const CommandRun run = ampora("set enabled true");
    ::setenv("AMPORA_PREFERENCES", prefs.root().c_str(), 1);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(fs::exists(root + "/com.kelvary.ampora.plist"));
    EXPECT_EQ(fs::status(root).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(fs::status(prefs.root() + "/new").permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST_F(CommandLine, NumbersAreDecimalAndOptionsGivenOnce) {
    prefs.writeTheme("Ampora Connect", kTheme);
    const std::string out = " -o '" + prefs.root() + "/x.png'";
    const CommandRun hex = ampora("render --level 0x20" + out);
    EXPECT_EQ(hex.status, 2);
    EXPECT_TRUE(has(hex, "decimal")) << hex.output;
    const CommandRun twice = ampora("render --level 20 --level=30" + out);
    EXPECT_EQ(twice.status, 2);
    EXPECT_TRUE(has(twice, "--level is given more than once")) << twice.output;
    EXPECT_TRUE(has(ampora("render --level 20 --charging --charging" + out), "--charging is given more than once"));
    EXPECT_EQ(ampora("render --level 20 --foreground '#'" + out).status, 2);
    EXPECT_EQ(ampora("render --level 20" + out).status, 0);
}

TEST_F(CommandLine, OutputGoesWhereItIsToldWithoutReplacingNodes) {
    prefs.writeTheme("Ampora Connect", kTheme);
    // Standard error is kept apart: a warning there is no fault of the image.
    const std::string errors = prefs.root() + "/stderr.txt";
    const CommandRun toStdout = ampora("render --level 50 -o - 2>'" + errors + "'");
    EXPECT_EQ(toStdout.status, 0);
    EXPECT_EQ(toStdout.output.rfind("\x89PNG", 0), 0u)
        << "the PNG on standard output; standard error said: " << prefs.readFile(errors);

    const CommandRun noFolder = ampora("render --level 50 -o '" + prefs.root() + "/missing/x.png'");
    EXPECT_EQ(noFolder.status, 1);
    EXPECT_TRUE(has(noFolder, prefs.root() + "/missing")) << noFolder.output;

    const std::string node = prefs.root() + "/full";
    if (::mknod(node.c_str(), S_IFCHR | 0600, makedev(1, 7)) != 0) GTEST_SKIP() << "making device nodes needs CAP_MKNOD";
    const CommandRun full = ampora("render --level 50 -o '" + node + "'");
    EXPECT_EQ(full.status, 1) << "a full device is no success";
    EXPECT_TRUE(has(full, "No space")) << full.output;
    EXPECT_TRUE(fs::is_character_file(node)) << "the device is still a device";
}

TEST_F(CommandLine, ThemeNamesMayNotLeaveTheThemeFolder) {
    prefs.writeTheme("Ampora Connect", kTheme);
    prefs.writeFile(prefs.root() + "/x.js", kTheme);  // what "../x" would reach
    const CommandRun option = ampora("render --level 50 --theme ../x -o '" + prefs.root() + "/o.png'");
    EXPECT_EQ(option.status, 2);
    EXPECT_TRUE(has(option, "cannot hold '/' or '..'")) << option.output;

    // In the settings the engine treats it as a missing theme and falls back.
    prefs.writeTheme("Ampora Connect", "(a,b){}");
    prefs.writeSettings({{"theme", "../x"}});
    const CommandRun engine = ampora("render --level 50 -o '" + prefs.root() + "/o.png'");
    EXPECT_EQ(engine.status, 1);
    EXPECT_TRUE(has(engine, "'../x' failed: the name leaves the theme folder")) << engine.output;
    EXPECT_TRUE(has(engine, "'Ampora Connect' was tried instead and failed")) << engine.output;
}

TEST_F(CommandLine, FailureMessagesNameWhatWasTried) {
    prefs.writeTheme("Short", "(c,g,l,m,e){}");
    prefs.writeSettings({{"theme", "Short"}});
    const CommandRun shortTheme = ampora("render --level 50 -o '" + prefs.root() + "/o.png'");
    EXPECT_EQ(shortTheme.status, 1);
    EXPECT_TRUE(has(shortTheme, "'Short' failed")) << shortTheme.output;
    EXPECT_FALSE(has(shortTheme, "was tried instead")) << "a short theme does not fall back: " << shortTheme.output;

    const std::string script = prefs.root() + "/mine.js";
    prefs.writeFile(script, "(c,g,l,m,e){ return 'not an image, but padded well past the minimum length that a theme script needs'; }");
    const CommandRun noImage = ampora("render --level 50 --script '" + script + "' -o '" + prefs.root() + "/o.png'");
    EXPECT_EQ(noImage.status, 1);
    EXPECT_TRUE(has(noImage, script)) << noImage.output;
    EXPECT_FALSE(has(noImage, "Ampora Connect")) << noImage.output;

    fs::remove_all(prefs.root() + "/Ampora/Profiles");
    prefs.writeFile(prefs.root() + "/Ampora/Profiles", "a file in the way");
    const CommandRun install = ampora("install-themes");
    EXPECT_EQ(install.status, 1);
    EXPECT_TRUE(has(install, prefs.root() + "/Ampora/Profiles: a file of that name is in the way")) << install.output;
}
