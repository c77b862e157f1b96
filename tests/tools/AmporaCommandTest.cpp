#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>

#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "tests/support/CommandRun.h"
#include "tests/support/TempPreferences.h"

namespace {

CommandRun ampora(const std::string& arguments) { return runCommand(AMPORA_BINARY, arguments); }

bool isPNG(const std::string& path, const TempPreferences& prefs) {
    return prefs.readFile(path).rfind("\x89PNG", 0) == 0;
}

}  // namespace

TEST(AmporaCommand, InstalledThemesRenderAndCheck) {
    TempPreferences prefs;
    ASSERT_EQ(ampora("install-themes").status, 0);
    EXPECT_NE(ampora("install-themes").output.find("unchanged"), std::string::npos);
    const std::string out = prefs.root() + "/icon.png";
    EXPECT_EQ(ampora("render --level 42 --charging --panel light -o '" + out + "'").status, 0);
    EXPECT_TRUE(isPNG(out, prefs));
    EXPECT_EQ(ampora("render --level 7 --lpm --theme 'Ampora LBI' --scale 3 -o '" + out + "'").status, 0);
    const CommandRun themes = ampora("themes");
    EXPECT_NE(themes.output.find("Ampora Connect               five parameters"), std::string::npos) << themes.output;
    EXPECT_NE(themes.output.find("Ampora LBI                   seven parameters"), std::string::npos);
    EXPECT_EQ(ampora("check 'Ampora Connect'").status, 0);
    EXPECT_EQ(ampora("sheet -o '" + prefs.root() + "/sheet.png'").status, 0);
}

TEST(AmporaCommand, UsageErrorsExitTwoAndSayWhy) {
    TempPreferences prefs;
    EXPECT_EQ(ampora("").status, 2);
    EXPECT_EQ(ampora("frobnicate").status, 2);
    EXPECT_EQ(ampora("render -o x.png").status, 2);
    EXPECT_EQ(ampora("render --level 101 -o x.png").status, 2);
    const CommandRun missing = ampora("render --level 5 --theme Nope -o x.png");
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.output.find(prefs.root() + "/Ampora/Nope.js"), std::string::npos) << missing.output;
    EXPECT_EQ(ampora("eval").status, 2);
    for (const char* command : {"render", "sheet", "check", "themes", "install-themes", "eval"})
        EXPECT_EQ(ampora(std::string(command) + " --help").status, 0) << command;
}

TEST(AmporaCommand, FailedWorkExitsOneWithTheReason) {
    TempPreferences prefs;
    const std::string broken = prefs.root() + "/broken.js";
    prefs.writeFile(broken, "(c,g,l,m,e){ var x = ; return 'padding to reach the minimum length of a theme script file, and then some more....'; }");
    const CommandRun run = ampora("render --level 5 --script '" + broken + "' -o '" + prefs.root() + "/x.png'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("SyntaxError"), std::string::npos) << run.output;

    const std::string slow = prefs.root() + "/slow.js";
    prefs.writeFile(slow, "(c,g,l,m,e){ for(;;){} /* padding to reach the minimum length of a theme script file, and then some more...... */ }");
    const CommandRun loop = ampora("render --level 5 --script '" + slow + "' -o '" + prefs.root() + "/x.png'");
    EXPECT_EQ(loop.status, 1);
    EXPECT_NE(loop.output.find("ms and was stopped"), std::string::npos) << loop.output;

    const CommandRun nothingInstalled = ampora("render --level 5 -o '" + prefs.root() + "/x.png'");
    EXPECT_EQ(nothingInstalled.status, 1);
    EXPECT_NE(nothingInstalled.output.find("install-themes"), std::string::npos);

    EXPECT_EQ(ampora("eval \"'x' + 1\"").output, "x1\n");
}

TEST(AmporaCommand, SetWritesTypedValuesAndKeepsTheRest) {
    TempPreferences prefs;
    const std::string notifyFolder = prefs.root() + "/notify";
    ::setenv("AMPORA_NOTIFY_DIR", notifyFolder.c_str(), 1);
    prefs.writeSettings({{"lowLevel", 15}});
    EXPECT_EQ(ampora("set enabled yes").status, 0);
    EXPECT_EQ(ampora("set customLevel 42").status, 0);
    EXPECT_EQ(ampora("set sharedColorAlpha 0.25").status, 0);
    EXPECT_EQ(ampora("set lightColor '#ff0000'").status, 0);
    EXPECT_EQ(ampora("set theme 12 --type string --force").status, 0);
    EXPECT_EQ(ampora("set cpe 1 --type bool").status, 0);
    EXPECT_EQ(ampora("set cpe maybe --type bool").status, 2);
    EXPECT_EQ(ampora("set onlykey").status, 2);
    const auto settings = foundation::readDictionaryFromFile(foundation::settingsFilePath());
    ASSERT_TRUE(settings);
    EXPECT_EQ(*settings, (foundation::PlistDictionary{{"lowLevel", 15}, {"enabled", true}, {"customLevel", 42},
                                                      {"sharedColorAlpha", 0.25}, {"lightColor", "#ff0000"},
                                                      {"theme", "12"}, {"cpe", true}}));
    EXPECT_EQ(ampora("notify").status, 0);
    EXPECT_TRUE(std::filesystem::exists(notifyFolder + "/com.kelvary.ampora.settingsChanged"));
    ::unsetenv("AMPORA_NOTIFY_DIR");
}

TEST(AmporaCommand, CheckTellsAThemeAuthorWhatIsWrong) {
    TempPreferences prefs;
    const std::string tall = prefs.root() + "/tall.js";
    // The leading list has a `$` name, so a call in the body decides; the canvas is twice the height.
    prefs.writeFile(tall, "($h,g,l,m,e){var f=document.createElement('canvas');f.width=10;f.height=2*$h;"
                          "Math.max(a,b,c,d,e);return f.toDataURL('image/png')}");
    const CommandRun run = ampora("check '" + tall + "'");
    EXPECT_NE(run.output.find("(a,b,c,d,e)"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("not the script's leading one"), std::string::npos) << run.output;
    EXPECT_EQ(run.status, 1) << "a in the body is undefined: every render fails";

    const std::string fine = prefs.root() + "/fine.js";
    prefs.writeFile(fine, "(c,g,l,m,e){var f=document.createElement('canvas');f.width=10;f.height=c+5;"
                          "f.getContext('2d').fillRect(0,0,1,1);return f.toDataURL('image/png')}");
    const CommandRun taller = ampora("check '" + fine + "'");
    EXPECT_EQ(taller.status, 0) << taller.output;
    EXPECT_NE(taller.output.find("taller than the 40 px it was given"), std::string::npos) << taller.output;

    const std::string six = prefs.root() + "/six.js";
    prefs.writeFile(six, "(a,b,c,d,e,f){return 'padding the script past one hundred characters so the length rule holds ....'}");
    const CommandRun unusable = ampora("check '" + six + "'");
    EXPECT_EQ(unusable.status, 1);
    EXPECT_NE(unusable.output.find("unusable: themes take 5 or 7 names"), std::string::npos) << unusable.output;
}

TEST(AmporaCommand, RenderFollowsTheAppearanceAndSettings) {
    TempPreferences prefs;
    prefs.writeTheme("Ampora Connect", "(c,g,l,m,e){var f=document.createElement('canvas');f.width=4;f.height=c;"
                                       "var a=f.getContext('2d');a.fillStyle='rgb('+e.join()+')';a.fillRect(0,0,4,c);"
                                       "return f.toDataURL('image/png')}");
    prefs.writeSettings({{"darkColor", "#123456"}, {"flipY", true}});
    const std::string out = prefs.root() + "/icon.png";
    auto firstPixel = [&](const std::string& options) -> std::string {
        if (ampora("render --level 50 " + options + " -o '" + out + "'").status != 0) return "failed";
        const std::string png = prefs.readFile(out);
        return png.substr(0, 4) == "\x89PNG" ? png : "not a png";
    };
    const std::string dark = firstPixel("--panel light"), light = firstPixel("--panel dark");
    EXPECT_NE(dark, light) << "dark text (a light panel) uses darkColor, light text white";
    EXPECT_EQ(firstPixel("--foreground '#000000'"), dark);
    EXPECT_EQ(firstPixel(""), light) << "a dark panel unless told";
    EXPECT_EQ(firstPixel("--appearance dark"), dark) << "the old spelling still works";
    const CommandRun old = ampora("render --level 50 --appearance light -o '" + out + "'");
    EXPECT_NE(old.output.find("--appearance light is --panel dark"), std::string::npos) << old.output;
    EXPECT_EQ(ampora("render --level 50 --panel sideways -o x.png").status, 2);
    EXPECT_EQ(ampora("render --level 50 --panel dark --foreground '#000000' -o x.png").status, 2);
    EXPECT_EQ(ampora("render --level 50 --foreground red -o x.png").status, 2);
}
