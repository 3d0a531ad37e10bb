#include "export/export_dev.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "dialogs/report_type.h"
#include "resources/strings.h"
#include "text/code_page.h"
#include "ui/prompter.h"

namespace fs = std::filesystem;

namespace {

// The export is written beside the target and renamed into place at the end, so an interrupted
// or refused export never leaves half a file, and never destroys a file that was there before.
class PendingFile {
  public:
    explicit PendingFile(fs::path target) : m_target(std::move(target)) {
        static int counter = 0;
        m_temp = m_target;
        m_temp += ".part" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    }
    ~PendingFile() { Discard(); }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    bool Open(std::string& error) {
        std::error_code ec;
        if (m_target.empty() || fs::is_directory(m_target, ec)) {
            error = "Cannot create '" + m_target.string() + "': it is a folder, not a file";
            return false;
        }
        if (!m_file.Open(m_temp, platform::TextFile::Mode::Write)) {
            error = Named(m_file.error());
            return false;
        }
        return true;
    }
    platform::TextFile& file() { return m_file; }
    // The file's last error, naming the target.
    std::string Error() const { return Named(m_file.error()); }

    // Closes the temporary file and puts it in the target's place.
    bool Commit(std::string& error) {
        if (!m_file.Flush()) {
            error = Named(m_file.error());
            return false;
        }
        m_file.Close();
        if (!m_file.error().empty()) {
            error = Named(m_file.error());
            return false;
        }
        std::error_code ec;
        fs::rename(m_temp, m_target, ec);
        if (ec) {
            error = "Cannot write '" + m_target.string() + "': " + ec.message();
            return false;
        }
        m_committed = true;
        return true;
    }

    void Discard() {
        if (m_committed)
            return;
        m_file.Close();
        std::error_code ec;
        fs::remove(m_temp, ec);
        m_committed = true;  // nothing left to remove
    }

  private:
    // The user knows the target, not our temporary name.
    std::string Named(std::string text) const {
        const std::string temp = m_temp.string();
        if (size_t at = text.find(temp); at != std::string::npos)
            text.replace(at, temp.size(), m_target.string());
        return text;
    }

    fs::path m_target, m_temp;
    platform::TextFile m_file;
    bool m_committed = false;
};

bool AnySelected(const vrk::CPointList& list) {
    return std::any_of(list.begin(), list.end(),
                       [](const vrk::CVrkPoint* p) { return p->selected; });
}

// "%+011.*f" with 3 decimals gives "%+011.3f".
std::string WithPrecision(const std::string& format, int decimals) {
    std::string out = format;
    if (size_t star = out.find(".*"); star != std::string::npos)
        out.replace(star, 2, "." + std::to_string(decimals));
    return out;
}

bool HasPlusFlag(const std::string& format) {
    size_t at = format.find('%');
    if (at == std::string::npos)
        return false;
    for (size_t i = at + 1;
         i < format.size() && std::string_view("-+ #0").find(format[i]) != std::string_view::npos;
         ++i)
        if (format[i] == '+')
            return true;
    return false;
}

bool Admits(unsigned char c, NameChars chars) {
    const bool digit = c >= '0' && c <= '9';
    const bool latin = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    const bool cyrillic = c >= 0xC0;  // Windows-1251 letters А..я
    switch (chars) {
        case NameChars::Digits:
            return digit;
        case NameChars::LatinDigits:
            return digit || latin;
        case NameChars::LatinDigitsPlusMinus:
            return digit || latin || c == '+' || c == '-';
        case NameChars::LatinDigitsCyrillic:
            return digit || latin || cyrillic;
        case NameChars::LatinDigitsDashUnderCyrillic:
            return digit || latin || cyrillic || c == '-' || c == '_';
    }
    return false;
}

}  // namespace

bool CExportDev::DoExport(vrk::CVrkObject* project, const std::string& path) {
    m_LastError.clear();
    m_nExported = 0;
    if (project == nullptr) {
        m_LastError = "There is no project to export.";
        return false;
    }
    const vrk::CPointList control = project->GetActiveCPList();
    const vrk::CPointList survey = project->GetActiveTPList();

    bool selected_only = false;
    if (AnySelected(control) || AnySelected(survey)) {
        CReportType ask;
        ask.m_nExportMode = 1;
        ask.m_nChoice = CReportType::kAll;
        if (ask.DoModal() != ui::IDOK)
            return false;
        selected_only = ask.m_nChoice == CReportType::kSelected;
    }
    if (project->GetAttr(4) == 0 &&
        ui::ShowMessage(7649, ui::MB_YESNO | ui::MB_ICONEXCLAMATION) != ui::IDYES)
        return false;

    PendingFile out(path);
    if (!out.Open(m_LastError))
        return false;

    vrk::CVrkLog& log = project->ExportLog();
    log.Open(1);
    m_bWriteFailed = false;
    m_bCoordTooLong = m_bNameInvalid = false;
    const bool accepted = ExportFirst(out.file(), *project);
    if (accepted && !m_bWriteFailed && ExportList(out.file(), *project, control, selected_only))
        ExportList(out.file(), *project, survey, selected_only);
    log.Close();

    if (m_bWriteFailed) {
        m_LastError = out.Error();
        return false;
    }
    if (!accepted || m_nExported == 0) {
        out.Discard();
        return accepted;
    }
    return out.Commit(m_LastError);
}

bool CExportDev::ExportList(platform::TextFile& file, vrk::CVrkObject& project,
                            const vrk::CPointList& list, bool selected_only) {
    for (const vrk::CVrkPoint* point : list) {
        if (selected_only && !point->selected)
            continue;
        // The project holds UTF-8; instruments take the single-byte code page.
        const std::string name = text::FromUtf8(point->GetName());
        if (ExportPoint(file, *point, name))
            ++m_nExported;
        if (m_bWriteFailed)
            return false;
        if (m_bCoordTooLong) {
            WriteToLog(&project, res::Format(res::LoadString(9123), {point->GetName()}), 2);
            m_bCoordTooLong = false;
        }
        if (m_bNameInvalid) {
            WriteToLog(&project, res::Format(res::LoadString(9122), {point->GetName()}), 2);
            m_bNameInvalid = false;
        }
    }
    return true;
}

int CExportDev::WriteToLog(vrk::CVrkObject* project, const std::string& text, int level) {
    if (project == nullptr)
        return 0;
    return project->ExportLog().Write(text, 0, level);
}

bool CExportDev::ExportFirst(platform::TextFile&, vrk::CVrkObject&) {
    return true;
}

bool CExportDev::ExportPoint(platform::TextFile& file, const vrk::CVrkPoint& point,
                             const std::string& name) {
    const std::string record = FormExpStroka(point, name);
    if (m_bCoordTooLong || m_bNameInvalid)
        return false;
    return Put(file, record);
}

std::string CExportDev::FormXStroka(const vrk::CVrkPoint& point) {
    return FormCoord(point.x, m_XFormat, m_nXWidth);
}

std::string CExportDev::FormYStroka(const vrk::CVrkPoint& point) {
    return FormCoord(point.y, m_YFormat, m_nYWidth);
}

std::string CExportDev::FormHStroka(const vrk::CVrkPoint& point) {
    return FormCoord(point.h, m_HFormat, m_nHWidth);
}

std::string CExportDev::FormNameStroka(const std::string&) {
    return {};
}

std::string CExportDev::FormExpStroka(const vrk::CVrkPoint&, const std::string&) {
    return {};
}

std::string CExportDev::FormCoord(const zut::CLinear& value, const std::string& format, int width) {
    if (!value.valid() || !std::isfinite(static_cast<double>(value)))
        return {};
    const int decimals = m_nPrecision >= 0 ? m_nPrecision : zut::CNorth::precision();
    const std::string fmt = WithPrecision(format, decimals);
    std::string text = value.write(fmt.empty() ? nullptr : fmt.c_str());
    // A value that rounds to zero loses its minus sign in the writer; a "+" format must still
    // show a sign, or the field comes out one character short.
    if (HasPlusFlag(fmt) && !text.empty() && text[0] != '+' && text[0] != '-' && text[0] != ' ')
        text.insert(0, 1, '+');
    std::replace(text.begin(), text.end(), ',', '.');
    if (static_cast<long>(text.size()) > width)
        m_bCoordTooLong = true;
    return text;
}

std::string CExportDev::FitName(std::string_view name, NameChars chars, size_t longest,
                                NameAlign align, size_t field, char fill, bool allow_empty) {
    const bool ok = (allow_empty || !name.empty()) && name.size() <= longest &&
                    std::all_of(name.begin(), name.end(), [chars](char c) {
                        return Admits(static_cast<unsigned char>(c), chars);
                    });
    if (!ok) {
        m_bNameInvalid = true;
        return {};
    }
    std::string out(name);
    if (align == NameAlign::None || out.size() >= field)
        return out;
    const std::string pad(field - out.size(), fill);
    return align == NameAlign::Left ? out + pad : pad + out;
}

CExportDev::Coords CExportDev::FormCoordsInMetres(const vrk::CVrkPoint& point) {
    Coords c;
    {
        zut::CLocUnits units;  // puts the unit in force back when it goes
        units.SetDistUnit(zut::du_metre);
        c.x = FormXStroka(point);
        c.y = FormYStroka(point);
        c.h = FormHStroka(point);
    }
    auto blank = [](std::string& text, int width) {
        if (text.empty())
            text.assign(static_cast<size_t>(std::max(width, 0)), ' ');
    };
    blank(c.x, m_nXWidth);
    blank(c.y, m_nYWidth);
    blank(c.h, m_nHWidth);
    return c;
}

bool CExportDev::RefuseForEastingStyle() {
    ui::ShowMessage(9074, ui::MB_OK | ui::MB_ICONEXCLAMATION);
    return false;
}

bool CExportDev::AskMetresOnly() {
    if (zut::CLinear::unit() == zut::du_metre)
        return true;
    return ui::ShowMessage(9084, ui::MB_YESNO | ui::MB_ICONQUESTION) == ui::IDYES;
}

bool CExportDev::Put(platform::TextFile& file, std::string_view text) {
    if (m_bWriteFailed)
        return false;
    if (!file.Write(text))
        m_bWriteFailed = true;
    return !m_bWriteFailed;
}
