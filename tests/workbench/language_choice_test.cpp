#include "workbench/language_choice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "support/temp_folder.h"

namespace qxed {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

namespace fs = std::filesystem;

const std::string kEnglish = "[Font]\nVersion=En\nFontCharset=0\n[Name]\nLanguageName=English\n";
// "中文" in GBK.
const std::string kChinese = "[Font]\nVersion=sCh\n[Name]\nLanguageName=\xD6\xD0\xCE\xC4\n";

void WriteLanguage(const TempFolder& folder, const std::string& id, const std::string& bytes) {
    fs::create_directories(folder.Path() / "languages" / id);
    WriteBytes(folder.File("languages/" + id + "/Language.Ini"), bytes);
}

// Sets an environment variable for the test's lifetime.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(LanguageChoice, TheShippedLanguagesAreListedByIdWithTheirOwnNames) {
    TempFolder program;
    EXPECT_TRUE(ShippedLanguages(program.Path().string()).empty());

    WriteLanguage(program, "zh_CN", kChinese);
    WriteLanguage(program, "en", kEnglish);
    WriteLanguage(program, "ru", "[Font]\nVersion=Ru\n");  // names no language
    fs::create_directories(program.Path() / "languages" / "empty");
    WriteBytes(program.File("languages/README"), "not a language\n");

    const std::string languages = program.File("languages");
    EXPECT_EQ(ShippedLanguages(program.Path().string()),
              (std::vector<ShippedLanguage>{
                  {"en", "English", languages + "/en/Language.Ini"},
                  {"ru", "ru", languages + "/ru/Language.Ini"},
                  {"zh_CN", "中文", languages + "/zh_CN/Language.Ini"},
              }));
}

// The test program runs from the build's program folder, where the build puts the shipped files.
TEST(LanguageChoice, TheBuildPutsTheShippedLanguagesBesideThePrograms) {
    std::vector<std::pair<std::string, std::string>> found;
    for (const ShippedLanguage& language : ShippedLanguages(ProgramFolder()))
        found.emplace_back(language.Id, language.Name);
    EXPECT_EQ(found, (std::vector<std::pair<std::string, std::string>>{{"en", "English"},
                                                                       {"zh_CN", "中文（简体）"}}));
}

TEST(LanguageChoice, TheChoiceBecomesTheLanguageTheProgramReadsNext) {
    TempFolder program;
    WriteLanguage(program, "en", kEnglish);
    WriteLanguage(program, "zh_CN", kChinese);
    const std::vector<ShippedLanguage> shipped = ShippedLanguages(program.Path().string());
    ASSERT_EQ(shipped.size(), 2u);

    // What the user's folder holds before the choice.
    enum class Before { Nothing, AnEarlierChoice, ALinkToAShippedFile };
    for (const Before before : {Before::Nothing, Before::AnEarlierChoice, Before::ALinkToAShippedFile}) {
        SCOPED_TRACE(static_cast<int>(before));
        TempFolder config;
        const ScopedEnv env("XDG_CONFIG_HOME", config.Path().string());
        const std::string user = UserSettingsFolder();
        if (before != Before::Nothing) fs::create_directories(user);
        if (before == Before::AnEarlierChoice) WriteBytes(user + "/Language.Ini", kEnglish);
        if (before == Before::ALinkToAShippedFile)
            fs::create_symlink(shipped[0].Path, user + "/Language.Ini");

        ASSERT_TRUE(ChooseLanguage(shipped[1]));
        EXPECT_EQ(ReadBytes(user + "/Language.Ini"), kChinese);
        EXPECT_FALSE(fs::is_symlink(user + "/Language.Ini"));
        EXPECT_EQ(LanguageFolder(program.Path().string()), user);
        // The shipped files stay as they were, also the one a link led to.
        EXPECT_EQ(ReadBytes(shipped[0].Path), kEnglish);
        EXPECT_EQ(ReadBytes(shipped[1].Path), kChinese);
    }
}

TEST(LanguageChoice, AChoiceThatCannotBeMadeFailsAndKeepsTheEarlierOne) {
    TempFolder program;
    WriteLanguage(program, "en", kEnglish);
    const ShippedLanguage english = ShippedLanguages(program.Path().string()).at(0);

    TempFolder config;
    const std::string earlier = config.File("Language.Ini");
    WriteBytes(earlier, kChinese);
    const ShippedLanguage gone{"fr", "fr", program.File("languages/fr/Language.Ini")};
    EXPECT_FALSE(ChooseLanguage(gone, config.Path().string()));
    EXPECT_EQ(ReadBytes(earlier), kChinese);

    // The user's folder is a file; its Language.Ini is a folder.
    WriteBytes(config.File("file"), "x");
    EXPECT_FALSE(ChooseLanguage(english, config.File("file")));
    EXPECT_EQ(ReadBytes(config.File("file")), "x");
    fs::create_directories(config.Path() / "other" / "Language.Ini");
    EXPECT_FALSE(ChooseLanguage(english, config.File("other")));
    EXPECT_TRUE(fs::is_directory(config.Path() / "other" / "Language.Ini"));
    EXPECT_EQ(std::distance(fs::directory_iterator(config.Path() / "other"), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace qxed
