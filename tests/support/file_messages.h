#pragma once
#include "text/ini_file.h"
#include "text/language.h"

namespace qxed::testing {

// The file messages as a person reads them with the built-in texts.
inline constexpr char kFormatWrong[] = "该文件格式不正确！";
inline constexpr char kCanNotSave[] = "无法保存该文件！";

// A language file that only names the application, so that the file messages' captions read
// "<file> - QXED".
inline Language NamedLanguage() {
    return Language(IniFile::FromBytes("[Name]\r\nAppName=QXED\r\n"));
}

}  // namespace qxed::testing
