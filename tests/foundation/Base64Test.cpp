#include <gtest/gtest.h>

#include <string>

#include "platform/foundation/Base64.h"

using foundation::base64DecodeStrict;
using foundation::base64Encode;

TEST(Base64, EveryLengthAndByteRoundTrips) {
    std::string bytes;
    for (int i = 0; i < 300; ++i) {
        const std::string text = base64Encode(bytes);
        EXPECT_EQ(text.size(), (bytes.size() + 2) / 3 * 4);
        auto back = base64DecodeStrict(text);
        ASSERT_TRUE(back) << text;
        EXPECT_EQ(*back, bytes);
        bytes += char(i * 37 + 11);
    }
    EXPECT_EQ(base64Encode("Man"), "TWFu");
    EXPECT_EQ(base64Encode("Ma"), "TWE=");
    EXPECT_EQ(base64Encode("M"), "TQ==");
}

TEST(Base64, AnythingButCleanBase64IsRefused) {
    for (const char* bad : {"TWF", "TWFu\n", "TW u", "T===", "TQ=a", "=QWE", "TQ==TWFu", "TWE-", "TWE\xc3"})
        EXPECT_FALSE(base64DecodeStrict(bad)) << bad;
    EXPECT_EQ(base64DecodeStrict(""), std::string());
    EXPECT_EQ(base64DecodeStrict("TWFuTQ=="), std::string("ManM"));
}
