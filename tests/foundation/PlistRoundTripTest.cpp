// What the system does not itself use must still survive a read and a write.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/foundation/PlistDates.h"
#include "platform/foundation/PlistFile.h"
#include "tests/support/TempPreferences.h"

using namespace foundation;

namespace {

PlistValue dateFrom(const char* text) { return PlistDate{*secondsFromXMLDate(text)}; }

}  // namespace

TEST(PlistRoundTrip, FarDatesInXMLKeepTheirExactText) {
    TempPreferences prefs;
    const std::string path = prefs.root() + "/dates.plist";
    prefs.writeFile(path, "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
                          "<key>far</key><date>9999-12-31T23:59:59Z</date>"
                          "<key>early</key><date>0001-01-01T00:00:00Z</date>"
                          "<key>list</key><array><date>2024-02-29T12:34:56Z</date></array>"
                          "<key>text</key><string>&lt;date&gt;1999-01-01T00:00:00Z&lt;/date&gt;</string>"
                          "</dict></plist>");
    auto read = readDictionaryFromFile(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->at("far"), dateFrom("9999-12-31T23:59:59Z"));
    EXPECT_DOUBLE_EQ(read->at("far").asDate()->secondsSinceReferenceDate, 252423993599.0);
    ASSERT_TRUE(writeDictionaryToFile(*read, path));
    const std::string written = prefs.readFile(path);
    for (const char* text : {"<date>9999-12-31T23:59:59Z</date>", "<date>0001-01-01T00:00:00Z</date>",
                             "<date>2024-02-29T12:34:56Z</date>", "&lt;date&gt;1999-01-01T00:00:00Z&lt;/date&gt;"})
        EXPECT_NE(written.find(text), std::string::npos) << text << " in\n" << written;
    EXPECT_EQ(readDictionaryFromFile(path), read);
}

TEST(PlistRoundTrip, DatesXMLCannotSpellAreKeptExactlyInTheBinaryForm) {
    TempPreferences prefs;
    const std::string path = prefs.root() + "/dates.plist";
    const PlistDictionary values{{"huge", PlistDate{1e300}}, {"fraction", PlistDate{12.25}},
                                 {"negative", PlistDate{-1e12}}, {"plain", PlistDate{0}}, {"enabled", true}};
    ASSERT_TRUE(writeDictionaryToFile(values, path));
    EXPECT_EQ(prefs.readFile(path).rfind("bplist00", 0), 0u);
    EXPECT_EQ(readDictionaryFromFile(path), values);

    ASSERT_TRUE(writeDictionaryToFile({{"plain", PlistDate{0}}}, path));
    EXPECT_NE(prefs.readFile(path).find("<date>2001-01-01T00:00:00Z</date>"), std::string::npos) << "XML when it can";
}

TEST(PlistRoundTrip, ArchiveReferencesSurvive) {
    TempPreferences prefs;
    const std::string path = prefs.root() + "/uid.plist";
    const PlistDictionary values{{"ref", PlistUID{7}}, {"list", PlistArray{PlistUID{1}, "x"}}};
    ASSERT_TRUE(writeDictionaryToFile(values, path));
    EXPECT_EQ(readDictionaryFromFile(path), values);
}

TEST(PlistRoundTrip, DateTextBothWays) {
    EXPECT_EQ(xmlDateText(0), "2001-01-01T00:00:00Z");
    EXPECT_EQ(xmlDateText(-978307200), "1970-01-01T00:00:00Z");
    EXPECT_EQ(xmlDateText(*secondsFromXMLDate("2000-02-29T23:59:59Z")), "2000-02-29T23:59:59Z");
    EXPECT_FALSE(xmlDateText(0.5));
    EXPECT_FALSE(xmlDateText(1e300));
    EXPECT_FALSE(secondsFromXMLDate("2020-13-01T00:00:00Z"));
    EXPECT_FALSE(secondsFromXMLDate("yesterday"));
}
