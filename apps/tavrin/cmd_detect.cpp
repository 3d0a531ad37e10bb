// tavrin detect, and the choice of a reader for each file of an import without -f.
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli.h"
#include "import/import_dialog.h"
#include "readers/format_detect.h"
#include "resources/strings.h"
#include "ui/prompter.h"

namespace cli {

namespace {

enum : unsigned {
    kMsgSettings = 9870,
    kMsgDetected = 9886,
    kMsgRunnerUp = 9887,
    kMsgNotRecognised = 9888,
    kMsgWhichOne = 9889,
    kMsgSkipped = 9897,
    kMsgSkippedTie = 9898,
};

std::string SettingsText(const detect::Verdict& v) {
    std::string text;
    for (const auto& [name, value] : v.settings) {
        if (!text.empty())
            text += ' ';
        text += name + '=' + value;
    }
    return text;
}

}  // namespace

FormatNames::FormatNames() : m_dlg(std::make_unique<CImpDEVDlg>(nullptr, nullptr, 0, "", 0)) {
    m_dlg->CreatePluginMap();
    std::vector<detect::ExtraDetector> extras;
    for (const auto& [index, entry] : m_dlg->PluginMap())
        if (entry.plugin && entry.detect)
            extras.push_back({index, entry.detect});
    detect::SetExtraDetectors(std::move(extras));
}

FormatNames::~FormatNames() {
    detect::SetExtraDetectors({});
}

std::string FormatNames::Key(int format) const {
    if (format == detect::kCdxFormat)
        return "CDX";
    if (format >= 0 && format < kBuiltInFormats)
        return BuiltInFormats()[static_cast<size_t>(format)].section;
    auto it = m_dlg->PluginMap().find(format);
    return it == m_dlg->PluginMap().end() ? std::string() : it->second.section;
}

std::string FormatNames::Caption(int format) const {
    return format == detect::kCdxFormat ? std::string("CDX") : FormatCaption(*m_dlg, format);
}

std::string FormatNames::Index(int format) const {
    return format == detect::kCdxFormat ? std::string("-") : std::to_string(format);
}

int CmdDetect(const std::vector<std::string>& files, bool json) {
    FormatNames names;
    bool all = true;
    for (const std::string& file : files) {
        const detect::Result r = detect::DetectFile(file);
        const bool known = r.refusal == detect::Refusal::None;
        all = all && known;
        const std::string nearest = r.ranked.empty() ? "" : names.Key(r.ranked.front().format);
        if (json) {
            const auto verdict = [&](const detect::Verdict& v) {
                nlohmann::ordered_json settings = nlohmann::ordered_json::object();
                for (const auto& [name, value] : v.settings) settings[name] = value;
                return nlohmann::ordered_json{{"format", v.format},
                                              {"key", names.Key(v.format)},
                                              {"caption", names.Caption(v.format)},
                                              {"confidence", v.score},
                                              {"evidence", detect::EvidenceText(v)},
                                              {"settings", settings}};
            };
            nlohmann::ordered_json j{{"file", file}, {"recognised", known}};
            j["best"] = r.ranked.empty() ? nlohmann::ordered_json() : verdict(r.ranked.front());
            j["runner_up"] = r.CloseRunnerUp() ? verdict(r.ranked[1]) : nlohmann::ordered_json();
            j["ambiguous"] = r.Ambiguous();
            if (!known)
                j["reason"] = detect::RefusalText(r, nearest);
            std::cout << j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
            continue;
        }
        if (!known) {
            std::cout << res::Format(res::LoadString(kMsgNotRecognised),
                                     {file, detect::RefusalText(r, nearest)})
                      << "\n";
            continue;
        }
        const detect::Verdict& best = r.ranked.front();
        std::cout << res::Format(res::LoadString(kMsgDetected),
                                 {file, names.Key(best.format), names.Caption(best.format),
                                  names.Index(best.format), detect::ScoreText(best.score),
                                  detect::EvidenceText(best)})
                  << "\n";
        if (!best.settings.empty())
            std::cout << res::Format(res::LoadString(kMsgSettings), {SettingsText(best)}) << "\n";
        if (r.CloseRunnerUp()) {
            const detect::Verdict& next = r.ranked[1];
            std::cout << res::Format(res::LoadString(kMsgRunnerUp),
                                     {names.Key(next.format), names.Caption(next.format),
                                      detect::ScoreText(next.score), detect::EvidenceText(next)})
                      << "\n";
        }
    }
    return all ? kOk : kNotDone;
}

std::vector<DetectedGroup> PlanDetectedImport(const FormatNames& names,
                                              const std::vector<std::string>& files,
                                              bool& skipped) {
    std::vector<DetectedGroup> groups;
    for (const std::string& file : files) {
        const detect::Result r = detect::DetectFile(file);
        if (r.refusal != detect::Refusal::None) {
            const std::string nearest = r.ranked.empty() ? "" : names.Key(r.ranked.front().format);
            PrintError(
                res::Format(res::LoadString(kMsgSkipped), {file, detect::RefusalText(r, nearest)}));
            skipped = true;
            continue;
        }
        const detect::Verdict* chosen = &r.ranked.front();
        if (r.Ambiguous()) {
            const detect::Verdict& a = r.ranked[0];
            const detect::Verdict& b = r.ranked[1];
            const std::string question = res::Format(
                res::LoadString(kMsgWhichOne),
                {file, names.Key(a.format), names.Key(b.format), detect::ScoreText(a.score),
                 detect::ScoreText(b.score), names.Key(a.format)});
            if (ui::ShowMessage(question, ui::MB_YESNO | ui::MB_ICONQUESTION) != ui::IDYES) {
                PrintError(res::Format(res::LoadString(kMsgSkippedTie),
                                       {file, names.Key(a.format), names.Key(b.format)}));
                skipped = true;
                continue;
            }
        }
        // Consecutive files of one format and settings are read in one run of their reader.
        if (!groups.empty() && groups.back().format == chosen->format &&
            groups.back().settings == chosen->settings) {
            groups.back().files.push_back(file);
            continue;
        }
        groups.push_back({chosen->format, chosen->settings, {file}});
    }
    return groups;
}

}  // namespace cli
