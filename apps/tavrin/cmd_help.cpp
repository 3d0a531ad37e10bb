// tavrin help TOPIC and tavrin --version.
#include <cctype>
#include <iostream>

#include "cli.h"
#include "help_topics.h"
#include "resources/strings.h"
#include "version_info.h"

namespace cli {

namespace {

constexpr unsigned kNoTopic = 9840;
constexpr unsigned kVersionLine = 9841;

// Drops the emphasis marks as scdoc reads them: "*" always toggles bold, "_" opens underline
// after a character that is no letter or digit and closes it anywhere; "\\" escapes.
std::string PlainLine(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    bool underline = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\\' && i + 1 < line.size()) {
            out += line[++i];
            continue;
        }
        if (c == '*')
            continue;
        if (c == '_' &&
            (underline || i == 0 || !std::isalnum(static_cast<unsigned char>(line[i - 1])))) {
            underline = !underline;
            continue;
        }
        out += c;
    }
    return out;
}

}  // namespace

std::string PlainHelpText(std::string_view scdoc) {
    std::string out;
    bool first = true;
    while (!scdoc.empty()) {
        size_t end = scdoc.find('\n');
        std::string_view line = scdoc.substr(0, end);
        scdoc = end == std::string_view::npos ? std::string_view() : scdoc.substr(end + 1);
        if (first) {  // "tavrin-import(1)": the page header
            first = false;
            continue;
        }
        if (line.starts_with(";") || line.starts_with("```"))
            continue;
        if (line.ends_with("++"))
            line.remove_suffix(2);
        if (line.starts_with("## "))
            out += "  " + PlainLine(line.substr(3));
        else if (line.starts_with("# "))
            out += PlainLine(line.substr(2));
        else if (line.empty() && out.empty())
            continue;
        else if (!line.empty()) {
            size_t tabs = 0;
            while (tabs < line.size() && line[tabs] == '\t') ++tabs;
            out += std::string(4 * (tabs + 1), ' ') + PlainLine(line.substr(tabs));
        }
        out += '\n';
    }
    while (out.size() > 1 && out.ends_with("\n\n")) out.pop_back();
    return out;
}

std::string VersionText() {
    return res::Format(res::LoadString(kVersionLine), {kVersion, kCommit, kBuildType});
}

int CmdHelp(const std::string& topic) {
    const std::string wanted = topic.empty() ? "tavrin" : topic;
    std::string names;
    for (const HelpTopic& t : HelpTopics()) {
        if (wanted == t.name || "tavrin-" + std::string(t.name) == wanted) {
            std::cout << PlainHelpText(t.text);
            return kOk;
        }
        names += std::string(names.empty() ? "" : ", ") + t.name;
    }
    PrintError(res::Format(res::LoadString(kNoTopic), {topic, names}));
    return kBadArguments;
}

}  // namespace cli
