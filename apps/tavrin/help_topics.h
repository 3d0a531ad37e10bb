// The manual pages compiled into the tool (written in scdoc form, see doc/man).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cli {

struct HelpTopic {
    const char* name;  // "import" for tavrin-import(1), "tavrin" for tavrin(1)
    const char* text;  // the page's scdoc source
};
const std::vector<HelpTopic>& HelpTopics();

// The page as plain terminal text: headings and paragraphs kept, scdoc marks dropped.
std::string PlainHelpText(std::string_view scdoc);

}  // namespace cli
