#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "platform/foundation/AtomicWrite.h"
#include "platform/foundation/PlistFile.h"
#include "tests/support/TempPreferences.h"

using namespace foundation;
namespace fs = std::filesystem;

namespace {

PlistDictionary sampleSettings() {
    return {{"enabled", true},         {"theme", "Ampora Connect"}, {"lowLevel", 20},
            {"sharedColorAlpha", 0.3}, {"customLevel", -7},          {"name", "Grüße ☀"},
            {"blob", PlistData{0, 1, 2, 255}},
            {"nested", PlistDictionary{{"list", PlistArray{1, "two", false}}}}};
}

}  // namespace

TEST(PlistFile, ValuesSurviveWriteAndRead) {
    TempPreferences prefs;
    const std::string path = prefs.root() + "/round.plist";
    ASSERT_TRUE(writeDictionaryToFile(sampleSettings(), path));
    auto read = readDictionaryFromFile(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, sampleSettings());
    // Kinds are kept: an integer stays an integer, a real a real.
    EXPECT_TRUE(read->at("lowLevel").asInteger());
    EXPECT_TRUE(read->at("sharedColorAlpha").asReal());
    EXPECT_TRUE(read->at("enabled").asBoolean());
}

TEST(PlistFile, BinaryFileReadsLikeItsXMLTwin) {
    TempPreferences prefs;
    const std::string xml = prefs.root() + "/twin.xml.plist";
    const std::string binary = prefs.root() + "/twin.bin.plist";
    const std::string command = "python3 -c \"import plistlib;d={'enabled':True,'theme':'Ampora LBI','lowLevel':15,"
                                "'sharedColorAlpha':0.25,'customLevel':-3,'lightColor':'#ff00ff'};"
                                "plistlib.dump(d,open('" + xml + "','wb'),fmt=plistlib.FMT_XML);"
                                "plistlib.dump(d,open('" + binary + "','wb'),fmt=plistlib.FMT_BINARY)\"";
    if (std::system(command.c_str()) != 0) GTEST_SKIP() << "python3 with plistlib is needed to make the fixture";
    auto fromXML = readDictionaryFromFile(xml);
    auto fromBinary = readDictionaryFromFile(binary);
    ASSERT_TRUE(fromXML);
    ASSERT_TRUE(fromBinary);
    EXPECT_EQ(*fromXML, *fromBinary);
    EXPECT_EQ(*fromBinary->at("customLevel").asInteger(), -3);
    EXPECT_EQ(*fromBinary->at("theme").asString(), "Ampora LBI");
}

TEST(PlistFile, BrokenFilesReadAsNothing) {
    TempPreferences prefs;
    const std::string path = prefs.root() + "/broken.plist";
    EXPECT_FALSE(readDictionaryFromFile(path)) << "missing file";

    prefs.writeFile(path, "");
    EXPECT_FALSE(readDictionaryFromFile(path)) << "empty file";

    const std::string xml = plistToXML(PlistValue(sampleSettings()));
    prefs.writeFile(path, xml.substr(0, xml.size() / 2));
    EXPECT_FALSE(readDictionaryFromFile(path)) << "truncated XML";

    prefs.writeFile(path, plistToXML(PlistValue(PlistArray{1, 2, 3})));
    EXPECT_FALSE(readDictionaryFromFile(path)) << "array root";

    prefs.writeFile(path, "bplist00\x01\x02\x03");
    EXPECT_FALSE(readDictionaryFromFile(path)) << "truncated binary";

    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        std::string bytes(1 + random() % 400, '\0');
        for (auto& b : bytes) b = static_cast<char>(random());
        if (round % 2) bytes.replace(0, 8, "bplist00");
        prefs.writeFile(path, bytes);
        EXPECT_FALSE(readDictionaryFromFile(path)) << "random bytes, round " << round;
    }
}

TEST(AtomicWrite, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    TempPreferences prefs;
    const std::string path = prefs.root() + "/settings.plist";
    ASSERT_TRUE(writeDictionaryToFile({{"enabled", true}}, path));

    EXPECT_FALSE(writeFileAtomically(prefs.root() + "/missing-folder/settings.plist", "x"));

    // A folder standing where the file should go makes the final rename fail.
    fs::create_directory(prefs.root() + "/taken");
    fs::create_directory(prefs.root() + "/taken/inner");
    EXPECT_FALSE(writeFileAtomically(prefs.root() + "/taken", "new"));

    EXPECT_EQ(*readDictionaryFromFile(path), (PlistDictionary{{"enabled", true}}));
    int entries = 0;
    for ([[maybe_unused]] auto& entry : fs::directory_iterator(prefs.root())) ++entries;
    EXPECT_EQ(entries, 3);  // Ampora/, settings.plist, taken/: no temporary left behind
}

TEST(AtomicWrite, ReplacesContentsWhole) {
    TempPreferences prefs;
    const std::string path = prefs.root() + "/file.txt";
    ASSERT_TRUE(writeFileAtomically(path, std::string(100000, 'a')));
    ASSERT_TRUE(writeFileAtomically(path, "short"));
    EXPECT_EQ(prefs.readFile(path), "short");
}
