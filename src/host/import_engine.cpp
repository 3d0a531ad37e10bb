// The engine side of an import: the pass structure, value conversion at push time, the
// file layer that EraseImpLayer drops.
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "host/import_build_state.h"
#include "import/contracts/vrk.h"

namespace vrk {

CImport::CImport(CVrkObject* project, CImportInfo* info)
    : m_pProject(project), m_state(std::make_unique<BuildState>()) {
    if (info)
        m_info = *info;
    // An import starts in the units current in the process; the file may change them.
    m_DistUnit = zut::CLinear::unit();
    m_AngleUnit = zut::CAngular::unit();
    m_PresUnit = zut::CPressure::unit();
    m_TempUnit = zut::CTemperature::unit();
}

CImport::~CImport() = default;

CImport::BuildState& CImport::state() {
    return *m_state;
}

int CImport::OpenLog() {
    return m_pProject->ImportLog().Open(1);
}

int CImport::WriteToLog(const char* text, int level) {
    return m_pProject->ImportLog().Write(text ? text : "", 0, level);
}

int CImport::CloseLog() {
    m_pProject->ImportLog().Close();
    return 1;
}

int CImport::Open(const std::string& path) {
    return 0;
}
void CImport::Close() {}

int CImport::LoadFile(const std::string& path) {
    m_record = 0;
    m_file = path;
    auto known = m_encodings.find(path);
    if (known == m_encodings.end())
        known = m_encodings.emplace(path, text::DecideEncoding(path)).first;
    m_encoding = known->second;
    if (!Open(path))
        throw FileError{path, m_open_error};
    while (ReadEvents()) {
    }
    Close();
    return 1;
}

int CImport::InitImport() {
    m_pass = 0;
    *m_state = BuildState{};
    // The options of the last import are the ones a later processing run follows.
    ProcessingSettings& ps = m_pProject->processing;
    ps.flags = m_info.flags;
    std::copy(std::begin(m_info.separators), std::end(m_info.separators), ps.separators);
    ps.code_system = m_info.GetCodeSystem(m_pProject);
    ps.relief = m_info.GetDTM();
    return 1;
}

int CImport::PrepareOneFile(const std::string& path) {
    m_pass = 1;
    auto& reserve = *state().reserve;
    reserve.file = &reserve.targets[path];
    reserve.file->clear();
    int r = LoadFile(path);
    m_pass = 0;
    return r;
}

int CImport::LoadOneFile(const std::string& path) {
    m_pass = 2;
    m_layer = {true, m_pProject->data().points.size(), m_pProject->data().stations.size(), {}};
    // The counts of the first pass outlive the state of the file before.
    auto reserve = state().reserve;
    *m_state = BuildState{};
    m_state->reserve = reserve;
    auto counted = reserve->targets.find(path);
    reserve->file = counted == reserve->targets.end() ? nullptr : &counted->second;
    reserve->stations_made = 0;
    int r = LoadFile(path);
    m_layer = {};
    reserve->file = nullptr;
    m_pass = 0;
    return r;
}

void CImport::CloseImport() {
    m_pass = 0;
    m_layer = {};
    *state().reserve = {};
}

CVrkPoint& CImport::Changing(CVrkPoint& p) {
    const size_t i = static_cast<size_t>(&p - m_pProject->data().points.data());
    if (m_layer.open && i < m_layer.points)
        m_layer.changed.try_emplace(i, p);
    return p;
}

void CImport::EraseImpLayer() {
    if (!m_layer.open)
        return;
    CVrkObject::Data& data = m_pProject->data();
    data.stations.erase(data.stations.begin() + static_cast<long>(m_layer.stations),
                        data.stations.end());
    data.points.erase(data.points.begin() + static_cast<long>(m_layer.points), data.points.end());
    for (auto& [i, p] : m_layer.changed) data.points[i] = std::move(p);
    m_layer.changed.clear();
    m_pProject->RebuildIndex();
    auto reserve = state().reserve;
    *m_state = BuildState{};
    m_state->reserve = reserve;
}

void CImport::ClearEventList() {
    ++m_record;
}

int CImport::GetAttr(unsigned short id) const {
    return m_pProject->GetAttr(id);
}
void CImport::SetAttr(unsigned short id, int value) {
    m_pProject->SetAttr(id, value);
}

int CImport::GetAngular(const char* text, zut::CAngular* value) {
    if (!text || !value)
        return 0;
    m_LocUnits.SetAngleUnit(m_AngleUnit);
    int rc = value->read(text, nullptr, nullptr);
    m_LocUnits.RestoreUnits();
    return rc == 0;
}

int CImport::GetPressure(const char* text, double* value) {
    if (!text || !value)
        return 0;
    zut::CPressure p;
    m_LocUnits.SetPressUnit(m_PresUnit);
    int rc = p.read(text, nullptr, nullptr, -1);
    m_LocUnits.RestoreUnits();
    if (rc)
        return 0;
    *value = p;
    return 1;
}

int CImport::GetTemperature(const char* text, double* value) {
    if (!text || !value)
        return 0;
    zut::CTemperature t;
    m_LocUnits.SetTempUnit(m_TempUnit);
    int rc = t.read(text, nullptr, nullptr, -1);
    m_LocUnits.RestoreUnits();
    if (rc)
        return 0;
    *value = t;
    return 1;
}

int CImport::GetVapor(const char* text, double* value) {
    if (!text || !value)
        return 0;
    return zut::d_val(text, *value, nullptr, 0, 1000) == 0;
}

int CImport::GetDate(const char* text, int64_t* time) {
    if (!text || !time)
        return 0;
    std::tm tm{};
    int y = 0, m = 0, d = 0, hh = 12, mm = 0, ss = 0;
    if (std::sscanf(text, "%d-%d-%dT%d:%d:%d", &y, &m, &d, &hh, &mm, &ss) >= 3) {
    } else if (std::sscanf(text, "%d.%d.%d %d:%d:%d", &d, &m, &y, &hh, &mm, &ss) >= 3) {
    } else {
        return 0;
    }
    if (m < 1 || m > 12 || d < 1 || d > 31 || y < 1900 || y > 2100)
        return 0;
    tm.tm_year = y - 1900;
    tm.tm_mon = m - 1;
    tm.tm_mday = d;
    tm.tm_hour = hh;
    tm.tm_min = mm;
    tm.tm_sec = ss;
    tm.tm_isdst = -1;
    std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1))
        return 0;
    *time = t;
    return 1;
}

int CImport::Push(EventID id, std::string_view value) {
    // The value readers take a C string; the buffer is kept from push to push.
    m_text.assign(value);
    const std::string& text = m_text;
    PushValue pv;
    bool ok = IsKnownEvent(id);
    if (ok) {
        pv.kind = EventKind(id);
        if (pv.kind == EventValueKind::Empty) {
            ok = true;
        } else if (text.empty() || ((pv.kind != EventValueKind::Text || IsNameEvent(id)) &&
                                    zut::sz_empty(text.c_str()))) {
            // A blank number is not given, whatever a reader's value reader would make of it;
            // a blank name is no name.
            ok = false;
        } else {
            switch (pv.kind) {
                case EventValueKind::Linear: {
                    zut::CLinear v;
                    ok = GetLinear(text.c_str(), &v) != 0;
                    if (ok)
                        pv.number = static_cast<double>(v);
                    break;
                }
                case EventValueKind::Angular: {
                    zut::CAngular v;
                    ok = GetAngular(text.c_str(), &v) != 0;
                    if (ok)
                        pv.number = static_cast<double>(v);
                    break;
                }
                case EventValueKind::Pressure:
                case EventValueKind::Temperature:
                case EventValueKind::Ppm: {
                    double d = 0;
                    if (pv.kind == EventValueKind::Pressure)
                        ok = GetPressure(text.c_str(), &d) != 0;
                    else if (pv.kind == EventValueKind::Temperature)
                        ok = GetTemperature(text.c_str(), &d) != 0;
                    else
                        ok = zut::d_val(text.c_str(), d, nullptr, -1e6, 1e6) == 0;
                    if (ok)
                        pv.number = d;
                    break;
                }
                case EventValueKind::Date: {
                    int64_t t = 0;
                    ok = GetDate(text.c_str(), &t) != 0;
                    if (ok)
                        pv.time = t;
                    break;
                }
                default:
                    ok = true;
            }
        }
    }
    if (event_sink && (event_pass == 0 || event_pass == m_pass)) {
        m_push.file = m_file;
        m_push.pass = m_pass;
        m_push.record = m_record;
        m_push.line = CurrentLine();
        m_push.id = id;
        m_push.value = text;
        m_push.accepted = ok;
        m_push.encoding = m_encoding;
        event_sink(m_push);
    }
    if (ok && m_pass == 1)
        state().Count(id);
    // A refused name still ends the object before it: what follows belongs to no name.
    if (m_pass == 2 && !events_only && (ok || IsNameEvent(id)))
        Build(id, text, pv);
    return ok ? 1 : 0;
}

}  // namespace vrk
