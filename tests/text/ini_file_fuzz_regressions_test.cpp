// Inputs the INI fuzzer found, cut down to what causes the fault.
#include <gtest/gtest.h>

#include <string>

#include "text/ini_file.h"

namespace qxed {
namespace {

// A last line that ends in a lone CR reads as if the CR were a line break. Anything a write appends after it
// must complete that line break, not leave the CR inside the line, where it would join the value.
TEST(IniFileFuzzRegressions, AppendingAfterALastLineEndingInCrKeepsItsValue) {
    const std::string bytes = "[s]\r\nk=1\r";
    struct Write {
        const char* Section;
        const char* Key;
    };
    for (const Write write : {Write{"s", "new"}, Write{"t", "x"}}) {
        SCOPED_TRACE(std::string(write.Section) + "/" + write.Key);
        IniFile file = IniFile::FromBytes(bytes);
        ASSERT_EQ(file.Find("s", "k"), "1");
        ASSERT_TRUE(file.WriteText(write.Section, write.Key, "v"));
        EXPECT_EQ(file.Find("s", "k"), "1");
        EXPECT_EQ(file.Find(write.Section, write.Key), "v");
        EXPECT_EQ(file.Bytes().substr(0, bytes.size() - 1), "[s]\r\nk=1");
    }
}

}  // namespace
}  // namespace qxed
