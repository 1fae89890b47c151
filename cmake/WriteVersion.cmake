# Writes the version header of the programs: the project's version and the git revision of the sources, run
# at every build so that the revision follows new commits. The file is rewritten only when its text changes,
# so an unchanged revision rebuilds nothing.
execute_process(COMMAND git -C "${SOURCE_DIR}" describe --always --dirty --abbrev=12
                OUTPUT_VARIABLE revision OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE status ERROR_QUIET)
if(NOT status EQUAL 0 OR revision STREQUAL "")
  set(revision "unknown")
endif()
set(text "#pragma once
// Generated at build time; do not edit.
#include <string>
#include <string_view>

#define QXED_VERSION \"${VERSION}\"
#define QXED_REVISION \"${revision}\"

// \"qxed-cli 9.4.3 (git 0123456789ab)\": what --version prints.
inline std::string VersionLine(std::string_view program) {
    return std::string(program) + \" \" QXED_VERSION \" (git \" QXED_REVISION \")\\n\";
}
")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
else()
  set(old "")
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUTPUT}" "${text}")
endif()
