#include <gtest/gtest.h>

#include "common/ThemeSignature.h"

using ThemeSignature::findParameterList;
using ThemeSignature::themeTypeForScript;

TEST(ThemeSignature, TypeComesFromTheCommaCount) {
    EXPECT_EQ(themeTypeForScript("(c,g,l,m,e){return 1}"), 1);
    EXPECT_EQ(themeTypeForScript("( a ,b,\tc , d,e\n,f , g ){}"), 2);
    EXPECT_EQ(themeTypeForScript("(a,b,c,d,e,f){}"), 0);
    EXPECT_EQ(themeTypeForScript("(a){}"), 0);
    EXPECT_EQ(themeTypeForScript("no list at all"), 0);
}

TEST(ThemeSignature, LaterListDecidesWhenTheLeadingOneDoesNotMatch) {
    // An empty list does not match; the call in the body does.
    auto list = findParameterList("(){return Math.max(a,b,c,d,e)}");
    ASSERT_TRUE(list);
    EXPECT_EQ(list->text, "(a,b,c,d,e)");
    EXPECT_EQ(list->offset, 18u);
    EXPECT_EQ(themeTypeForScript("(){return Math.max(a,b,c,d,e)}"), 1);
    // `$` breaks the leading list.
    EXPECT_EQ(themeTypeForScript("($h,g,l,m,e){f(a,b)}"), 0);
    EXPECT_EQ(findParameterList("($h,g,l,m,e){f(a,b)}")->text, "(a,b)");
}

TEST(ThemeSignature, NamesFollowTheIcuCharacterClasses) {
    // A-z takes [ \ ] ^ _ and the backquote; case-insensitivity lets digits' class take capitals.
    EXPECT_EQ(themeTypeForScript("(_a,b_,c^,D`,e){}"), 1);
    EXPECT_EQ(themeTypeForScript("(aB9Z,bC,C,D,E){}"), 1);
    // Leading digits are not names; a bracket character after a digit breaks the name.
    EXPECT_FALSE(findParameterList("(1a,b,c,d,e)"));
    EXPECT_FALSE(findParameterList("(a1_,b,c,d,e)"));
    EXPECT_TRUE(findParameterList("(a_1,b,c,d,e)"));
    // Names are single words.
    EXPECT_FALSE(findParameterList("(a b,c,d,e,f)"));
    // Non-ASCII white space counts as \s; the Kelvin sign folds to k.
    EXPECT_EQ(themeTypeForScript("(a,\u00A0b,c,d,\u3000e){}"), 1);
    EXPECT_EQ(themeTypeForScript("(\u212A,b,c,d,e){}"), 1);
    EXPECT_FALSE(findParameterList("(\u00E9,b)"));
}
