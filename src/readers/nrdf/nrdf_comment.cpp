// Comment records of Nikon RDF files: the units of the job, its atmosphere and its date.
#include <algorithm>
#include <ctime>

#include "readers/nrdf/nrdf_reader.h"
#include "readers/text_helpers.h"

using readers::CutWord;
using readers::SeparatorRun;
using readers::TrimView;

namespace {

bool Has(std::string_view text, std::string_view key) {
    return text.find(key) != std::string_view::npos;
}

// Takes an optional sign (when allowed) and the digits that follow off the front of `text`;
// `text` is left with the unit words after them (one blank skipped), trimmed.
std::string TakeReading(std::string_view& text, bool signed_value) {
    size_t i = 0;
    if (signed_value && i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    std::string reading(text.substr(0, i));
    if (i < text.size() && text[i] == ' ')
        ++i;
    text = TrimView(text.substr(i));
    return reading;
}

// Layout DD-MON-YYYY HH:MM:SS.
bool LooksLikeDate(std::string_view t) {
    return t.size() >= 18 && t[2] == '-' && t[6] == '-' && t[11] == ' ' && t[14] == ':' &&
           t[17] == ':';
}

}  // namespace

void CImpNRDF::DecodeComment() {
    const size_t lead = m_Line.find_first_not_of(" \t");
    const std::string_view comment =
        lead == std::string_view::npos ? std::string_view{} : m_Line.substr(lead);
    std::string_view first = comment;
    if (!SetUnits(CutWord(first, ',', SeparatorRun::Single)))
        return;
    // A comment that gives the atmosphere ends with the date of the job after three words.
    m_Line = comment;
    for (int i = 0; i < 3; ++i) CutWord(m_Line, ' ', SeparatorRun::Single);
    if (LooksLikeDate(m_Line))
        m_Date = m_Line;
}

int CImpNRDF::SetUnits(std::string_view part) {
    const std::string text = readers::Upper(part);
    const std::string_view all(text);
    const size_t colon = all.find(':');
    const std::string_view after_colon =
        colon == std::string_view::npos ? std::string_view{} : all.substr(colon + 1);

    if (Has(all, "DIST UNITS:")) {
        const std::string_view unit = TrimView(after_colon);
        if (Has(unit, "METRES"))
            m_DistUnit = zut::du_metre;
        else if (Has(unit, "FEET"))
            m_DistUnit = zut::du_foot;
    }
    if (Has(all, "ANGLE UNITS:")) {
        if (Has(after_colon, "DEGREES") || Has(after_colon, "DDDMMSS"))
            StateAngleUnit(zut::au_dms);
        else if (Has(after_colon, "GONS"))
            StateAngleUnit(zut::au_gon);
        else if (Has(after_colon, "MIL6000") || Has(after_colon, "MIL6400"))
            StateAngleUnit(zut::au_mil);
    }

    int recognised = 0;
    if (Has(all, "TEMP:") || Has(all, "TEMPERATURE:")) {
        std::string_view rest = after_colon;
        m_Temperature = TakeReading(rest, true);
        if (Has(rest, "CENTIGRADE") || rest.starts_with('C')) {
            m_TempUnit = zut::tu_celsius;
            recognised = 1;
        } else if (Has(rest, "FAHRENHEIT") || rest.starts_with('F')) {
            m_TempUnit = zut::tu_fahrenheit;
            recognised = 1;
        }
    }
    // The pressure follows the temperature in the same comment: it is read after the second colon.
    const size_t second = colon == std::string_view::npos ? colon : all.find(':', colon + 1);
    if ((Has(all, "PRESS:") || Has(all, "PRESSURE:")) && second != std::string_view::npos) {
        std::string_view rest = all.substr(second + 1);
        m_Pressure = TakeReading(rest, false);
        if (Has(rest, "INHG")) {
            m_PresUnit = zut::pu_inhg;
            recognised = 1;
        } else if (Has(rest, "MMHG")) {
            m_PresUnit = zut::pu_mmhg;
            recognised = 1;
        } else if (Has(rest, "HPA")) {
            m_PresUnit = zut::pu_hpa;
            recognised = 1;
        }
    }
    return recognised;
}

int CImpNRDF::GetDate(const char* text, int64_t* time) {
    if (!text || !time)
        return 0;
    static constexpr std::string_view kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                   "JUL", "AUG", "SEP", "OCT", "NOV"};
    const std::string_view t(text);
    auto number = [&](size_t from, long count) {
        return static_cast<int>(
            readers::AtoI(readers::Copy(t, static_cast<long>(from) + 1, count)));
    };
    const int day = number(0, 2);
    const size_t month_at = std::min<size_t>(3, t.size());
    size_t dash = t.find('-', month_at);
    if (dash == std::string_view::npos)
        dash = t.size();
    const std::string name = readers::Upper(t.substr(month_at, dash - month_at));
    int month = 12;  // every other name, December included
    for (size_t i = 0; i < std::size(kMonths); ++i)
        if (name == kMonths[i])
            month = static_cast<int>(i) + 1;
    const size_t year_at = dash + 1;
    std::tm tm{};
    tm.tm_mday = day;
    tm.tm_mon = month - 1;
    tm.tm_year = number(year_at, 4) - 1900;
    tm.tm_hour = number(year_at + 5, 2);
    tm.tm_min = number(year_at + 8, 2);
    tm.tm_sec = number(year_at + 11, 2);
    tm.tm_isdst = -1;
    *time = static_cast<int64_t>(m_Clock.MakeTime(tm));
    return 1;
}
