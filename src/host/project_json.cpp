// The project as a JSON document: lengths in metres, angles in decimal degrees, dates ISO 8601.
#include "host/project_json.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <future>
#include <system_error>
#include <thread>

#include "platform/atomic_write.h"
#include "resources/strings.h"

namespace vrk {
namespace project_json {

std::string IsoDate(int64_t t) {
    std::time_t tt = static_cast<std::time_t>(t);
    std::tm tm{};
    localtime_r(&tt, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S", &tm);
    return buf;
}

namespace {

std::optional<int64_t> ParseIso(const std::string& s) {
    std::tm tm{};
    if (sscanf(s.c_str(), "%d-%d-%dT%d:%d:%d", &tm.tm_year, &tm.tm_mon, &tm.tm_mday, &tm.tm_hour,
               &tm.tm_min, &tm.tm_sec) < 3)
        return std::nullopt;
    tm.tm_year -= 1900;
    tm.tm_mon -= 1;
    tm.tm_isdst = -1;
    std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1))
        return std::nullopt;
    return static_cast<int64_t>(t);
}

std::optional<double> Opt(const zut::CValue& v) {
    return v.valid() ? std::optional<double>(static_cast<double>(v)) : std::nullopt;
}

constexpr const char* kOrigins[] = {"given", "recorded", "computed"};
constexpr const char* kReliefs[] = {"relief", "situation", "non_relief"};

// The index of `text` in `names`, or -1.
template <size_t N>
int IndexOf(const std::string& text, const char* const (&names)[N]) {
    for (size_t i = 0; i < N; ++i)
        if (text == names[i])
            return static_cast<int>(i);
    return -1;
}

void WriteCodeItem(JsonWriter& w, const CCodeItem& c) {
    w.BeginObject(JsonLayout::Inline);
    w.Field("code", c.code);
    w.Field("line", c.line);
    w.Field("name", c.name);
    w.Key("attributes");
    w.BeginArray(JsonLayout::Inline);
    for (const auto& a : c.attributes) {
        w.BeginObject(JsonLayout::Inline);
        w.Key("name");
        w.String(a.name);
        w.Key("value");
        w.String(a.value);
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
}

void ReadCodeItem(JsonReader& r, CCodeItem& c) {
    r.Object(kKindCodeItem, [&](std::string_view key) {
        if (key == "code")
            r.Text(c.code);
        else if (key == "line")
            r.Text(c.line);
        else if (key == "name")
            r.Text(c.name);
        else if (key == "attributes")
            r.Objects([&] {
                CCodeAttribute& a = c.attributes.emplace_back();
                r.Object(kKindCodeItem, [&](std::string_view k) {
                    if (k == "name")
                        r.Text(a.name);
                    else if (k == "value")
                        r.Text(a.value);
                });
            });
    });
}

}  // namespace

void WritePoint(JsonWriter& w, const CVrkPoint& p) {
    w.BeginObject(JsonLayout::Inline);
    w.Key("name");
    w.String(p.name);
    w.Field("x", Opt(p.x));
    w.Field("y", Opt(p.y));
    w.Field("h", Opt(p.h));
    w.Field("code", p.code);
    w.Field("plan_class", p.plan_class);
    w.Field("height_class", p.height_class);
    w.Field("selected", p.selected);
    w.Field("origin", kOrigins[static_cast<int>(p.origin)]);
    w.Field("relief", p.relief == Relief::Unset ? "" : kReliefs[static_cast<int>(p.relief)]);
    w.Key("code_items");
    w.BeginArray(JsonLayout::Inline);
    for (const auto& c : p.code_items) WriteCodeItem(w, c);
    w.EndArray();
    w.EndObject();
}

void ReadPoint(JsonReader& r, CVrkPoint& p, unsigned kind) {
    p.control = kind == kKindControlPoint;
    r.Object(kind, [&](std::string_view key) {
        if (key == "name")
            r.Text(p.name);
        else if (key == "x")
            r.Number(p.x);
        else if (key == "y")
            r.Number(p.y);
        else if (key == "h")
            r.Number(p.h);
        else if (key == "code")
            r.Text(p.code);
        else if (key == "plan_class")
            r.Text(p.plan_class);
        else if (key == "height_class")
            r.Text(p.height_class);
        else if (key == "selected")
            r.Bool(p.selected);
        else if (key == "origin" || key == "relief") {
            std::string text;
            r.Text(text);
            if (key == "origin" && IndexOf(text, kOrigins) >= 0)
                p.origin = static_cast<PointOrigin>(IndexOf(text, kOrigins));
            else if (key == "relief" && IndexOf(text, kReliefs) >= 0)
                p.relief = static_cast<Relief>(IndexOf(text, kReliefs));
        } else if (key == "code_items")
            r.Objects([&] { ReadCodeItem(r, p.code_items.emplace_back()); });
    });
}

void WriteObservation(JsonWriter& w, const CObservation& o) {
    w.BeginObject(JsonLayout::Inline);
    w.Key("target");
    w.String(o.target);
    w.Field("target_height", o.target_height);
    w.Field("face", o.face);
    w.Field("hz", o.hz, kRadPerDeg);
    w.Field("v", o.v, kRadPerDeg);
    w.Field("v_kind", o.v_kind);
    w.Field("sd", o.sd);
    w.Field("hd", o.hd);
    w.Field("dh", o.dh);
    w.Field("dh_aux", o.dh_aux);
    w.Field("code", o.code);
    w.Field("orientation", o.orientation);
    w.Field("temperature", o.temperature);
    w.Field("pressure", o.pressure);
    w.Field("ppm", o.ppm);
    w.Field("recorded_x", o.recorded_x);
    w.Field("recorded_y", o.recorded_y);
    w.Field("recorded_h", o.recorded_h);
    w.Field("point", o.point);
    w.Field("residual_x", o.residual_x);
    w.Field("residual_y", o.residual_y);
    w.Field("residual_h", o.residual_h);
    w.EndObject();
}

void ReadObservation(JsonReader& r, CObservation& o) {
    r.Object(kKindObservation, [&](std::string_view key) {
        if (key == "target")
            r.Text(o.target);
        else if (key == "target_height")
            r.Number(o.target_height);
        else if (key == "face")
            r.Text(o.face);
        else if (key == "hz")
            r.Number(o.hz, kRadPerDeg);
        else if (key == "v")
            r.Number(o.v, kRadPerDeg);
        else if (key == "v_kind")
            r.Text(o.v_kind);
        else if (key == "sd")
            r.Number(o.sd);
        else if (key == "hd")
            r.Number(o.hd);
        else if (key == "dh")
            r.Number(o.dh);
        else if (key == "dh_aux")
            r.Number(o.dh_aux);
        else if (key == "code")
            r.Text(o.code);
        else if (key == "orientation")
            r.Bool(o.orientation);
        else if (key == "temperature")
            r.Number(o.temperature);
        else if (key == "pressure")
            r.Number(o.pressure);
        else if (key == "ppm")
            r.Number(o.ppm);
        else if (key == "recorded_x")
            r.Number(o.recorded_x);
        else if (key == "recorded_y")
            r.Number(o.recorded_y);
        else if (key == "recorded_h")
            r.Number(o.recorded_h);
        else if (key == "point")
            r.Text(o.point);
        else if (key == "residual_x")
            r.Number(o.residual_x);
        else if (key == "residual_y")
            r.Number(o.residual_y);
        else if (key == "residual_h")
            r.Number(o.residual_h);
    });
}

void WriteDirection(JsonWriter& w, const CDirection& d) {
    w.BeginObject(JsonLayout::Inline);
    w.Key("name");
    w.String(d.name);
    w.Field("angle", d.angle, kRadPerDeg);
    w.EndObject();
}

void ReadDirection(JsonReader& r, CDirection& d) {
    r.Object(kKindDirection, [&](std::string_view key) {
        if (key == "name")
            r.Text(d.name);
        else if (key == "angle")
            r.Number(d.angle, kRadPerDeg);
    });
}

void WriteStation(JsonWriter& w, const CStation& s) {
    w.BeginObject(JsonLayout::Inline);
    w.Key("name");
    w.String(s.name);
    w.Field("x", s.x);
    w.Field("y", s.y);
    w.Field("h", s.h);
    w.Field("instrument_height", s.instrument_height);
    w.Field("code", s.code);
    w.Field("date", s.date ? IsoDate(*s.date) : std::string());
    w.Field("backsight", s.backsight);
    w.Field("backsight_azimuth", s.backsight_azimuth, kRadPerDeg);
    w.Key("directions");
    w.BeginArray(s.directions.empty() ? JsonLayout::Inline : JsonLayout::Lines);
    for (const auto& d : s.directions) WriteDirection(w, d);
    w.EndArray();
    w.Field("computed", s.computed);
    w.Field("orientation", s.orientation, kRadPerDeg);
    w.Field("orientation_spread", s.orientation_spread, kRadPerDeg);
    w.Field("orientation_source", s.orientation_source);
    w.Field("collimation_error", s.collimation_error, kRadPerDeg);
    w.Field("index_error", s.index_error, kRadPerDeg);
    w.Key("observations");
    w.BeginArray();
    for (const auto& o : s.observations) WriteObservation(w, o);
    w.EndArray();
    w.EndObject();
}

// The stations are most of a project's text: runs of them are written by two threads in turn,
// each run's text handed on in order, so the file is the same as one thread would write.
void WriteStations(JsonWriter& w, const std::vector<CStation>& stations) {
    constexpr size_t kRunObservations = 2048;
    std::vector<size_t> bounds{0};
    size_t count = 0;
    for (size_t i = 0; i < stations.size(); ++i) {
        count += stations[i].observations.size() + 1;
        if (count >= kRunObservations || i + 1 == stations.size()) {
            bounds.push_back(i + 1);
            count = 0;
        }
    }
    auto write_run = [&](JsonWriter& to, size_t run) {
        for (size_t i = bounds[run]; i < bounds[run + 1]; ++i) WriteStation(to, stations[i]);
    };
    const size_t runs = bounds.size() - 1;
    const bool parallel = runs > 1 && std::thread::hardware_concurrency() > 1;
    for (size_t run = 0; run < runs; run += parallel ? 2 : 1) {
        std::string text;
        JsonWriter next = w.Continuation(text);
        const bool pair = parallel && run + 1 < runs;
        std::future<void> other;
        if (pair) {
            try {
                other = std::async(std::launch::async, [&] { write_run(next, run + 1); });
            } catch (const std::system_error&) {
                // No thread to be had: this one writes both runs.
            }
        }
        write_run(w, run);
        if (other.valid()) {
            other.get();
            w.Append(text);
        } else if (pair) {
            write_run(w, run + 1);
        }
    }
}

void ReadStation(JsonReader& r, CStation& s) {
    r.Object(kKindStation, [&](std::string_view key) {
        if (key == "name") {
            r.Text(s.name);
        } else if (key == "x") {
            r.Number(s.x);
        } else if (key == "y") {
            r.Number(s.y);
        } else if (key == "h") {
            r.Number(s.h);
        } else if (key == "instrument_height") {
            r.Number(s.instrument_height);
        } else if (key == "code") {
            r.Text(s.code);
        } else if (key == "date") {
            std::string d;
            r.Text(d);
            s.date = d.empty() ? std::nullopt : ParseIso(d);
        } else if (key == "backsight") {
            r.Text(s.backsight);
        } else if (key == "backsight_azimuth") {
            r.Number(s.backsight_azimuth, kRadPerDeg);
        } else if (key == "directions") {
            r.Objects([&] { ReadDirection(r, s.directions.emplace_back()); });
        } else if (key == "observations") {
            r.Objects([&] { ReadObservation(r, s.observations.emplace_back()); });
        } else if (key == "computed") {
            r.Bool(s.computed);
        } else if (key == "orientation") {
            r.Number(s.orientation, kRadPerDeg);
        } else if (key == "orientation_spread") {
            r.Number(s.orientation_spread, kRadPerDeg);
        } else if (key == "orientation_source") {
            r.Text(s.orientation_source);
        } else if (key == "collimation_error") {
            r.Number(s.collimation_error, kRadPerDeg);
        } else if (key == "index_error") {
            r.Number(s.index_error, kRadPerDeg);
        }
    });
}

void WriteLine(JsonWriter& w, const CLine& l) {
    w.BeginObject(JsonLayout::Inline);
    w.Field("code", l.code);
    w.Field("id", l.id);
    w.Key("points");
    w.BeginArray(JsonLayout::Inline);
    for (const auto& p : l.points) w.String(p);
    w.EndArray();
    w.EndObject();
}

void ReadLine(JsonReader& r, CLine& l) {
    r.Object(kKindLine, [&](std::string_view key) {
        if (key == "code")
            r.Text(l.code);
        else if (key == "id")
            r.Text(l.id);
        else if (key == "points")
            r.Array([&] { r.Text(l.points.emplace_back()); });
    });
}

void WriteCodeSystem(JsonWriter& w, const CCodeSystemSlot& slot) {
    w.BeginObject();
    w.Key("name");
    w.String(slot.name);
    w.Key("codes");
    w.BeginArray();
    for (const auto& c : slot.codes) {
        w.BeginObject(JsonLayout::Inline);
        w.Key("code");
        w.String(c.code);
        w.Key("name");
        w.String(c.name);
        w.Field("kind", c.kind == CCodeEntry::Kind::Line ? "line" : "point");
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
}

// A slot is a name (older files) or an object with the name and the codes.
void ReadCodeSystem(JsonReader& r, CCodeSystemSlot& slot) {
    if (r.Peek() == JsonReader::Type::String) {
        r.Text(slot.name);
        slot.in_use = !slot.name.empty();
        return;
    }
    if (r.Peek() != JsonReader::Type::Object) {
        r.Skip();
        return;
    }
    slot.in_use = true;
    r.Object(kKindCodeSystem, [&](std::string_view key) {
        if (key == "name")
            r.Text(slot.name);
        else if (key == "codes")
            r.Objects([&] {
                CCodeEntry& e = slot.codes.emplace_back();
                r.Object(kKindCodeSystem, [&](std::string_view k) {
                    if (k == "code") {
                        r.Text(e.code);
                    } else if (k == "name") {
                        r.Text(e.name);
                    } else if (k == "kind") {
                        std::string kind;
                        r.Text(kind);
                        e.kind = kind == "line" ? CCodeEntry::Kind::Line : CCodeEntry::Kind::Point;
                    }
                });
            });
    });
}

void WriteProcessing(JsonWriter& w, const ProcessingSettings& ps) {
    w.BeginObject();
    w.Field("flags", static_cast<int64_t>(ps.flags));
    w.Field("separators", std::string_view(ps.separators, 4));
    w.Field("code_system", static_cast<int64_t>(ps.code_system));
    w.Field("relief", static_cast<int64_t>(ps.relief));
    w.Field("tolerance", std::optional<double>(ps.tolerance));
    w.Field("face_tolerance", std::optional<double>(ps.face_tolerance), kRadPerSecond);
    w.Field("curvature", ps.curvature);
    w.Field("refraction", std::optional<double>(ps.refraction));
    w.EndObject();
}

// Values out of range keep the defaults.
void ReadProcessing(JsonReader& r, ProcessingSettings& ps) {
    r.Object(kKindProcessing, [&](std::string_view key) {
        std::optional<int64_t> n;
        std::optional<double> d;
        if (key == "flags") {
            r.Int(n);
            if (n && *n >= 0 && *n <= 0xFFFF)
                ps.flags = static_cast<uint16_t>(*n);
        } else if (key == "separators") {
            std::string text;
            r.Text(text);
            if (text.size() == 4)
                std::copy(text.begin(), text.end(), ps.separators);
        } else if (key == "code_system") {
            r.Int(n);
            if (n && *n >= -1 && *n < CClassificator::kSlots)
                ps.code_system = static_cast<short>(*n);
        } else if (key == "relief") {
            r.Int(n);
            if (n && *n >= 0 && *n <= 2)
                ps.relief = static_cast<short>(*n);
        } else if (key == "tolerance") {
            r.Number(d);
            if (d && *d > 0)
                ps.tolerance = *d;
        } else if (key == "face_tolerance") {
            r.Number(d, kRadPerSecond);
            if (d && *d > 0)
                ps.face_tolerance = *d;
        } else if (key == "curvature") {
            r.Bool(ps.curvature);
        } else if (key == "refraction") {
            r.Number(d);
            if (d && *d > -1 && *d < 1)
                ps.refraction = *d;
        }
    });
}

void WriteImportedFile(JsonWriter& w, const CVrkObject::ImportedFile& f) {
    w.BeginObject(JsonLayout::Inline);
    w.Field("path", f.path);
    w.Field("size", static_cast<int64_t>(f.size));
    w.Field("hash", f.hash);
    w.EndObject();
}

void ReadImportedFile(JsonReader& r, CVrkObject::ImportedFile& f) {
    r.Object(kKindImportedFile, [&](std::string_view key) {
        if (key == "path") {
            r.Text(f.path);
        } else if (key == "size") {
            std::optional<int64_t> size;
            r.Int(size);
            f.size = size && *size > 0 ? static_cast<uint64_t>(*size) : 0;
        } else if (key == "hash") {
            r.Text(f.hash);
        }
    });
}

}  // namespace project_json

using namespace project_json;

void CVrkObject::WriteJson(JsonWriter& w) const {
    w.BeginObject();
    w.Field("format_version", kFormatVersion);
    w.Key("title");
    w.String(title);
    for (bool control : {true, false}) {
        w.Key(control ? "control_points" : "survey_points");
        w.BeginArray();
        for (const auto& p : m_data.points)
            if (p.control == control)
                WritePoint(w, p);
        w.EndArray();
    }
    w.Key("stations");
    w.BeginArray();
    WriteStations(w, m_data.stations);
    w.EndArray();
    w.Key("attributes");
    w.BeginObject(JsonLayout::Inline);
    for (const auto& [id, v] : m_attrs) w.Field(std::to_string(id), v);
    w.EndObject();
    if (m_classificator) {
        w.Key("code_systems");
        w.BeginArray();
        for (const auto& slot : m_classificator->slots)
            slot.in_use ? WriteCodeSystem(w, slot) : w.Null();
        w.EndArray();
    }
    if (!imported_files.empty()) {
        w.Key("imported_files");
        w.BeginArray();
        for (const auto& f : imported_files) WriteImportedFile(w, f);
        w.EndArray();
    }
    w.Key("lines");
    w.BeginArray();
    for (const auto& l : m_data.lines) WriteLine(w, l);
    w.EndArray();
    w.Key("processing");
    WriteProcessing(w, processing);
    w.EndObject();
}

std::string CVrkObject::ToJson() const {
    std::string out;
    JsonWriter w(out);
    WriteJson(w);
    w.Finish();
    return out;
}

bool CVrkObject::FromJson(std::string_view text, std::string& error) {
    JsonReader r(text);
    if (const auto top = r.Peek(); top != JsonReader::Type::Object) {
        r.Skip();
        r.End();
        error = r.syntax_ok() ? res::Format(res::LoadString(kJsonNotProject),
                                            {res::LoadString(JsonReader::TypeName(top))})
                              : r.Error();
        return false;
    }
    Data data;
    std::string new_title;
    std::map<int, int> attrs;
    std::optional<CClassificator> classificator;
    std::vector<ImportedFile> files;
    ProcessingSettings settings;
    std::optional<int64_t> version;
    r.Object(kKindProject, [&](std::string_view key) {
        if (key == "format_version") {
            r.Int(version);
        } else if (key == "title") {
            r.Text(new_title);
        } else if (key == "control_points" || key == "survey_points") {
            const unsigned kind = key == "control_points" ? kKindControlPoint : kKindSurveyPoint;
            r.Objects([&] { ReadPoint(r, data.points.emplace_back(), kind); });
        } else if (key == "stations") {
            r.Objects([&] { ReadStation(r, data.stations.emplace_back()); });
        } else if (key == "attributes") {
            r.Object(0, [&](std::string_view id) {
                std::optional<int64_t> v;
                int n = 0;
                if (std::sscanf(std::string(id).c_str(), "%d", &n) != 1)
                    return;  // not an attribute of ours
                r.Int(v);
                if (v)
                    attrs[n] = static_cast<int>(*v);
            });
        } else if (key == "imported_files") {
            r.Objects([&] { ReadImportedFile(r, files.emplace_back()); });
        } else if (key == "code_systems") {
            auto& c = classificator.emplace();
            size_t i = 0;
            r.Array([&] {
                CCodeSystemSlot slot;
                ReadCodeSystem(r, slot);
                if (i < c.slots.size() && slot.in_use)
                    c.slots[i] = std::move(slot);
                ++i;
            });
        } else if (key == "lines") {
            r.Objects([&] { ReadLine(r, data.lines.emplace_back()); });
        } else if (key == "processing") {
            ReadProcessing(r, settings);
        }
    });
    r.End();
    if (version && *version > kFormatVersion) {
        error = res::Format(res::LoadString(kJsonNewerFormat),
                            {std::to_string(*version), std::to_string(kFormatVersion)});
        return false;
    }
    if (!r.ok()) {
        error = r.Error();
        return false;
    }
    m_data = std::move(data);
    title = std::move(new_title);
    m_attrs = std::move(attrs);
    m_classificator = std::move(classificator);
    imported_files = std::move(files);
    processing = settings;
    RebuildIndex();
    return true;
}

bool CVrkObject::SaveJson(const std::string& path, std::string& error) const {
    platform::AtomicFile file(path);
    if (!file.Open(error))
        return false;
    JsonWriter w([&file](std::string_view block) { return file.Write(block); });
    WriteJson(w);
    w.Finish();
    return file.Commit(error);
}

bool CVrkObject::LoadJson(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    std::string text;
    if (in) {
        in.seekg(0, std::ios::end);
        const auto size = in.tellg();
        in.seekg(0);
        if (size > 0) {
            text.resize(static_cast<size_t>(size));
            in.read(text.data(), size);
            text.resize(static_cast<size_t>(in.gcount()));
        }
    }
    if (!in && !in.eof()) {
        error = path + ": " + res::Format(res::LoadString(kJsonCannotOpen), {std::strerror(errno)});
        return false;
    }
    if (!FromJson(text, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

}  // namespace vrk
