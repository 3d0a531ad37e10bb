// The project as a JSON document: lengths in metres, angles in decimal degrees, dates ISO 8601.
#include "host/project_json.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>

#include "platform/atomic_write.h"
#include "resources/strings.h"

namespace vrk {
namespace project_json {
namespace {

std::string IsoDate(int64_t t) {
    std::time_t tt = static_cast<std::time_t>(t);
    std::tm tm{};
    localtime_r(&tt, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S", &tm);
    return buf;
}

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
    w.Key("observations");
    w.BeginArray();
    for (const auto& o : s.observations) WriteObservation(w, o);
    w.EndArray();
    w.EndObject();
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
    for (const auto& s : m_data.stations) WriteStation(w, s);
    w.EndArray();
    w.Key("attributes");
    w.BeginObject(JsonLayout::Inline);
    for (const auto& [id, v] : m_attrs) w.Field(std::to_string(id), v);
    w.EndObject();
    if (m_classificator) {
        w.Key("code_systems");
        w.BeginArray(JsonLayout::Inline);
        for (const auto& slot : m_classificator->slots)
            slot.in_use ? w.String(slot.name) : w.Null();
        w.EndArray();
    }
    if (!imported_files.empty()) {
        w.Key("imported_files");
        w.BeginArray();
        for (const auto& f : imported_files) WriteImportedFile(w, f);
        w.EndArray();
    }
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
                std::string name;
                r.Text(name);
                if (i < c.slots.size() && !name.empty())
                    c.slots[i] = {true, std::move(name)};
                ++i;
            });
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
