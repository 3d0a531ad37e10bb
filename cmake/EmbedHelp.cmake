# Writes the help topics source: each man page source as a raw string, named by its command
# ("tavrin-import.1.scd" is topic "import", "tavrin.1.scd" is topic "tavrin").
set(body "")
foreach(src ${SOURCES})
  get_filename_component(name ${src} NAME)
  string(REGEX REPLACE "\\.[0-9]\\.scd$" "" topic ${name})
  string(REGEX REPLACE "^tavrin-" "" topic ${topic})
  file(READ ${src} text)
  string(APPEND body "    {\"${topic}\", R\"scd(${text})scd\"},\n")
endforeach()
file(CONFIGURE OUTPUT ${OUTPUT} CONTENT [=[
#include "help_topics.h"
namespace cli {
const std::vector<HelpTopic>& HelpTopics() {
    static const std::vector<HelpTopic> topics = {
@body@    };
    return topics;
}
}  // namespace cli
]=] @ONLY)
