// The two places where a Nikon RDF record needs the lines after it: a resection block (its
// station comes after its observations) and the first observations after a station (to learn
// whether the backsight was observed). Both read ahead without counting lines and come back.
#include "readers/nrdf/nrdf_reader.h"
#include "readers/text_helpers.h"

using readers::CutWord;
using readers::SeparatorRun;

namespace {

// Field `n` (from 1) of a comma-separated line; empty when the line is shorter.
std::string Field(std::string_view line, int n) {
    std::string_view word;
    for (int i = 0; i < n; ++i) word = CutWord(line, ',', SeparatorRun::Single);
    return std::string(word);
}

// The target of a face record: the text between its first and second comma.
std::string FaceTarget(std::string_view line) {
    const size_t first = line.find(',');
    if (first == std::string_view::npos)
        return {};
    const size_t second = line.find(',', first + 1);
    if (second == std::string_view::npos)
        return {};
    return readers::Trim(line.substr(first + 1, second - first - 1));
}

}  // namespace

// The next line that is not empty, without its line feed; false at the end of the file.
// `blanks_are_empty`: a line of blanks counts as empty, and leading blanks are dropped.
bool CImpNRDF::ReadAheadLine(std::string& line, bool blanks_are_empty) {
    while (m_File.ReadLine(line)) {
        const size_t lf = line.find('\n');
        if (lf != std::string::npos)
            line.resize(lf);
        if (blanks_are_empty) {
            const size_t lead = line.find_first_not_of(" \t");
            line.erase(0, lead == std::string::npos ? line.size() : lead);
        }
        if (!line.empty())
            return true;
    }
    return false;
}

void CImpNRDF::ScanResection(long long from) {
    m_Scan = {};
    m_Scan.from = from;
    m_Scan.height = m_Scan.seventh = m_Scan.angle = "0.0";
    std::string line;
    for (;;) {
        const long long at = m_File.Tell();
        if (!ReadAheadLine(line, true)) {
            m_Scan.to = at;
            break;
        }
        if (line.starts_with("RE")) {
            m_Scan.resection = Field(line, 2);
            m_Scan.last_re = at;
        } else if (line.starts_with("ST")) {
            m_Scan.station = Field(line, 2);
            m_Scan.backsight = Field(line, 4);
            m_Scan.height = Field(line, 6);
            m_Scan.seventh = Field(line, 7);
            m_Scan.angle = Field(line, 8);
            m_Scan.to = at;
            break;
        }
    }
}

// The marker line of a resection becomes the station record of the resected point, so that its
// observations that follow belong to it.
std::string CImpNRDF::ResectionRecord() {
    const long long start = m_File.Tell();
    if (start < 0)
        return {};
    // A start inside the last scan meets the same "ST" line, and of its "RE" lines only those
    // at or after the start.
    if (!(m_Scan.from >= 0 && start >= m_Scan.from && start <= m_Scan.to)) {
        ScanResection(start);
        m_File.Seek(start);
    }
    if (m_Scan.last_re < start || m_Scan.resection.empty())
        return {};
    std::string record = "ST," + m_Scan.resection;
    if (m_Scan.resection == m_Scan.station) {
        record += ",,";
        record += m_Scan.backsight;
        record += ",,";
        record += m_Scan.height;
        record += ',';
        record += m_Scan.seventh;
        record += ',';
        record += m_Scan.angle;
    }
    return record;
}

// A station with a backsight angle observes its backsight, unless the face records that follow
// observe it themselves.
void CImpNRDF::BacksightLookAhead(const std::string& angle) {
    const long long back = m_File.Tell();
    if (back >= 0) {
        bool push = false;
        std::string line;
        if (ReadAheadLine(line, false)) {
            if (!line.starts_with("F1")) {
                push = true;
            } else {
                const std::string name = FaceTarget(line);
                if (!name.empty() && name != m_PendingBacksight && ReadAheadLine(line, false)) {
                    const std::string second = FaceTarget(line);
                    push = !line.starts_with("F2") ||
                           (!second.empty() && second != m_PendingBacksight);
                }
            }
        }
        if (push) {
            PushPlain(evTarget, m_PendingBacksight);
            PushPlain(evHorAngle, angle);
        }
        m_File.Seek(back);
    }
    m_PendingBacksight.clear();
    m_bPendingBacksight = 0;
    m_BacksightAngle = angle;
}
