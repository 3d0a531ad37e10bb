// Every message id that the reference description beside the samples quotes with a text must be in
// the table. Control and dialog ids quoted with their captions belong to the dialog templates.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "resources/strings.h"

namespace fs = std::filesystem;

namespace {

fs::path DescriptionPath() {
    return fs::path(TAVRIN_SHARED_SAMPLES).parent_path() / "spec.md";
}

// The nearest word before `pos` that names what the id is: a control or a text.
bool NamesAControl(const std::string& line, size_t pos) {
    static const std::set<std::string> kControls = {
        "check",  "checks", "edit", "edits", "dialog",   "button",  "buttons",
        "static", "radio",  "list", "group", "template", "control", "controls"};
    static const std::set<std::string> kTexts = {"tip",      "tips",    "message", "messages",
                                                 "string",   "strings", "title",   "caption",
                                                 "question", "text",    "filter",  "entry"};
    static const std::regex kWord("[A-Za-z]+");
    const std::string before = line.substr(0, pos);
    bool control = false;
    for (auto it = std::sregex_iterator(before.begin(), before.end(), kWord);
         it != std::sregex_iterator(); ++it) {
        std::string word = it->str();
        for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (kControls.count(word))
            control = true;
        else if (kTexts.count(word))
            control = false;
    }
    return control;
}

// id -> first line that quotes it
std::map<unsigned, int> QuotedIds(std::istream& in) {
    // An id followed by its text: 9019 "...", 9002, "...", 9032 (Russian "..."), | 9053 | "...".
    static const std::regex kIdThenText(
        R"(\b(7601|9[0-2][0-9][0-9])\b\)? ?[,;:|]? ?\(?(?:(?:Russian|English)(?: text)? )?")");
    // A text followed by its id: "Format:" (9118), "..." (string 9026).
    static const std::regex kTextThenId(
        R"re("[^"]*" \((?:string |message )?(7601|9[0-2][0-9][0-9])\b)re");
    std::map<unsigned, int> ids;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        for (auto it = std::sregex_iterator(line.begin(), line.end(), kTextThenId);
             it != std::sregex_iterator(); ++it)
            ids.emplace(std::stoul((*it)[1].str()), number);
        for (auto it = std::sregex_iterator(line.begin(), line.end(), kIdThenText);
             it != std::sregex_iterator(); ++it) {
            if (NamesAControl(line, static_cast<size_t>(it->position(1))))
                continue;
            ids.emplace(std::stoul((*it)[1].str()), number);
        }
    }
    return ids;
}

TEST(DocumentedIds, TheScannerTellsMessagesFromControls) {
    std::istringstream text(
        "show string 9002, \"%s\\n Failed to open\", with the port name\n"
        "write message 9019 \"String does not contain ELTA R4 data\" (level 2)\n"
        "the label to \"Format:\" (9118), and \"File  %s\" (string 9026) too\n"
        "| 0 | \"ELTAR4\" | 9053 | \"ELTA R4\" (\"Elta R4\") |\n"
        "show message 9032 (Russian \"Имя файла не задано.\") and stay\n"
        "common page, check 9082 (\"&Направлять\"), tip 9095 \"All names are unique\"\n"
        "buttons 1020 (\"Настройки\", options), 9162 (\"Просмотр\", view)\n"
        "on dialog 9204 \"Формат кода и точки\": columns\n"
        "the caption id 9038 without a text, 9999 \"out of range\"\n");
    const auto ids = QuotedIds(text);
    std::set<unsigned> found;
    for (const auto& [id, line] : ids) found.insert(id);
    EXPECT_EQ(found, (std::set<unsigned>{9002, 9019, 9026, 9032, 9053, 9095, 9118}));
}

TEST(DocumentedIds, EveryQuotedMessageIsInTheTable) {
    const fs::path path = DescriptionPath();
    std::ifstream in(path);
    if (!in)
        GTEST_SKIP() << path << " is not available";

    const auto ids = QuotedIds(in);
    // A scanner that finds next to nothing is broken, not a sign of a complete table.
    EXPECT_GT(ids.size(), 60u);
    for (const auto& [id, line] : ids)
        EXPECT_TRUE(res::HasString(id)) << "id " << id << " quoted on line " << line;
}

}  // namespace
