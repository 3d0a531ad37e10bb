// The dialog tests' private folder, settings, prompter and front end, and small projects built
// in the test.
#pragma once

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "export/export_dev.h"
#include "export/export_formats.h"
#include "support/dialog_env.h"

namespace export_test {

namespace fs = std::filesystem;

// The format indices of the export dialog's type list.
enum Fmt : int { kTrimble3300, kTrimble3600, kLeica8, kLeica16, kGeodimeter, kTTA5, kPentax };

struct Pt {
    std::string name;
    std::optional<double> x, y, h;
};

inline vrk::CVrkPoint ToPoint(const Pt& p) {
    vrk::CVrkPoint v;
    v.name = p.name;
    if (p.x)
        v.x = *p.x;
    if (p.y)
        v.y = *p.y;
    if (p.h)
        v.h = *p.h;
    return v;
}

class ExportTest : public testing_support::DialogEnv {
  protected:
    void SetUp() override {
        DialogEnv::SetUp();
        project.SetAttr(4, 1);  // most tests are not about question 7649
    }
    void TearDown() override {
        zut::CLinear::unit(zut::du_metre);
        zut::CNorth::precision(3);
        DialogEnv::TearDown();
    }

    std::string Out(const std::string& name = "out.txt") const { return (dir() / name).string(); }

    void Add(const Pt& p, bool control = false, bool selected = false) {
        vrk::CVrkPoint v = ToPoint(p);
        v.control = control;
        v.selected = selected;
        project.data().points.push_back(v);
    }
    void Add(const std::vector<Pt>& points) {
        for (const Pt& p : points) Add(p);
    }

    // Runs the writer into out.txt and gives back the bytes (empty when no file was left).
    std::string Export(CExportDev& writer, bool* result = nullptr) {
        const bool ok = writer.DoExport(&project, Out());
        if (result)
            *result = ok;
        return fs::exists(Out()) ? tmp.Read(Out()) : std::string();
    }

    // Runs the writer and expects a refusal whose last message is `message`, with an earlier
    // file left as it was and nothing beside it.
    void ExpectRefused(CExportDev& writer, unsigned message) {
        std::ofstream(Out(), std::ios::binary) << "earlier";
        bool ok = true;
        EXPECT_EQ(Export(writer, &ok), "earlier");
        EXPECT_FALSE(ok);
        ASSERT_FALSE(prompter->shown.empty());
        EXPECT_EQ(prompter->shown.back().text, res::LoadString(message));
        EXPECT_EQ(FolderContents(), std::vector<std::string>{"out.txt"});
    }

    std::vector<std::string> Log() {
        std::vector<std::string> out;
        for (const auto& e : project.ExportLog().Entries()) out.push_back(e.text);
        return out;
    }
    // The log line of message 9122 (name) or 9123 (coordinate) for a point.
    static std::string Logged(unsigned message, const std::string& name) {
        return res::Format(res::LoadString(message), {name});
    }

    // Files in the test folder other than the settings: nothing temporary may stay behind.
    std::vector<std::string> FolderContents() const {
        auto names = tmp.Names();
        std::erase(names, "settings.toml");
        return names;
    }
};

}  // namespace export_test
