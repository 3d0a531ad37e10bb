# Writes the version source (run at build time by TavrinVersion.cmake).
set(COMMIT "unknown")
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE_DIR} describe --always --dirty --abbrev=12
                  OUTPUT_VARIABLE described RESULT_VARIABLE failed ERROR_QUIET
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT failed AND described)
    set(COMMIT ${described})
  endif()
endif()
if(NOT BUILD_TYPE)
  set(BUILD_TYPE "unspecified")
endif()
file(CONFIGURE OUTPUT ${OUTPUT} CONTENT [=[
#include "version_info.h"
namespace cli {
const char* const kVersion = "@VERSION@";
const char* const kCommit = "@COMMIT@";
const char* const kBuildType = "@BUILD_TYPE@";
}  // namespace cli
]=] @ONLY)
