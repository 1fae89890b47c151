#include "text/code_page.h"

#include <gtest/gtest.h>

namespace qxed {
namespace {

TEST(CodePage, CharsetsOutsideTheFourKnownOnesReadAsGbk) {
    EXPECT_EQ(CodePageOfCharset(134), CodePage::Gbk);
    EXPECT_EQ(CodePageOfCharset(129), CodePage::Cp949);
    EXPECT_EQ(CodePageOfCharset(204), CodePage::Cp1251);
    EXPECT_EQ(CodePageOfCharset(0), CodePage::Cp1252);
    for (int charset : {1, 2, 128, 136, 161, 255, -1})
        EXPECT_EQ(CodePageOfCharset(charset), CodePage::Gbk) << charset;
}

TEST(CodePage, RoundTripsThroughEachCodePage) {
    struct Case {
        CodePage Page;
        std::string_view Utf8;
        std::string_view Bytes;
    };
    const Case cases[] = {
        {CodePage::Gbk, "宋体 QX200", "\xCB\xCE\xCC\xE5 QX200"},
        {CodePage::Gbk, "●○■□", "\xA1\xF1\xA1\xF0\xA1\xF6\xA1\xF5"},
        {CodePage::Cp949, "한국어", "\xC7\xD1\xB1\xB9\xBE\xEE"},
        {CodePage::Cp1251, "Привет", "\xCF\xF0\xE8\xE2\xE5\xF2"},
        {CodePage::Cp1252, "café €5",
         "caf\xE9 \x80"
         "5"},
        {CodePage::Cp1252, "", ""},
    };
    for (const Case& c : cases) {
        const Conversion encoded = FromUtf8(c.Utf8, c.Page);
        ASSERT_TRUE(encoded.Ok) << IconvName(c.Page) << " " << c.Utf8;
        EXPECT_EQ(encoded.Text, c.Bytes);
        const Conversion decoded = ToUtf8(encoded.Text, c.Page);
        ASSERT_TRUE(decoded.Ok);
        EXPECT_EQ(decoded.Text, c.Utf8);
    }
}

TEST(CodePage, InvalidBytesAreReportedWhereTheyStart) {
    struct Case {
        CodePage Page;
        std::string_view Bytes;
        std::size_t FailedAt;
    };
    const Case cases[] = {
        {CodePage::Gbk,
         "ab\x81\x20"
         "cd",
         2},  // lead byte with an invalid trail byte
        {CodePage::Gbk,
         "\xCB\xCE"
         "abc\xB0",
         5},  // lead byte cut off at the end
        {CodePage::Gbk, "\xFF", 0},
        {CodePage::Cp1252, "ok\x81", 2},  // a position CP1252 leaves undefined
        {CodePage::Cp949, "\xC7\xD1\xC7", 2},
    };
    for (const Case& c : cases) {
        const Conversion result = ToUtf8(c.Bytes, c.Page);
        EXPECT_FALSE(result.Ok) << IconvName(c.Page);
        EXPECT_EQ(result.FailedAt, c.FailedAt) << IconvName(c.Page);
        EXPECT_TRUE(result.Text.empty());
    }
}

TEST(CodePage, UnconvertibleCharactersAreReportedNotReplaced) {
    struct Case {
        CodePage Page;
        std::string_view Utf8;
        std::size_t FailedAt;
    };
    const Case cases[] = {
        {CodePage::Gbk, "ok\xF0\x9F\x98\x80", 2},  // an emoji has no GBK code
        {CodePage::Cp1252, "a\xD0\x96", 1},        // Cyrillic Zhe
        {CodePage::Cp1251, "\xC3\xA9t\xC3\xA9", 0},
        {CodePage::Gbk,
         "a\xFF"
         "b",
         1},                               // not UTF-8 at all
        {CodePage::Gbk, "ab\xE5\xAE", 2},  // UTF-8 sequence cut off
    };
    for (const Case& c : cases) {
        const Conversion result = FromUtf8(c.Utf8, c.Page);
        EXPECT_FALSE(result.Ok) << IconvName(c.Page);
        EXPECT_EQ(result.FailedAt, c.FailedAt) << IconvName(c.Page);
    }
    EXPECT_EQ(GbkFromUtf8("ok\xF0\x9F\x98\x80"), "");
}

}  // namespace
}  // namespace qxed
