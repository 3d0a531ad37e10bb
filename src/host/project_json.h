// The project file: one writer and one reader function per kind of object. To add a field, add it
// to both functions of its kind; to add a kind, add a pair and call it from its parent's pair.
// Raise kFormatVersion when a file of the new shape would be misread by an older version.
#pragma once

#include <cmath>

#include "host/json_reader.h"
#include "host/json_writer.h"
#include "import/contracts/vrk.h"

namespace vrk::project_json {

// Written as "format_version"; files without it are read as version 1.
constexpr int64_t kFormatVersion = 1;

// Angles are written in degrees and held in radians: read with this scale, written exactly back.
constexpr double kRadPerDeg = M_PI / 180.0;
constexpr double kRadPerSecond = kRadPerDeg / 3600.0;

// String-table ids that name the kinds of object in messages.
enum Kind : unsigned {
    kKindProject = 9714,
    kKindControlPoint = 9715,
    kKindSurveyPoint = 9716,
    kKindStation = 9717,
    kKindObservation = 9718,
    kKindDirection = 9719,
    kKindImportedFile = 9618,
    kKindCodeItem = 9742,
    kKindLine = 9743,
    kKindCodeSystem = 9744,
    kKindProcessing = 9745,
};

// A date (seconds, local time) as ISO 8601 text, as the project file writes it.
std::string IsoDate(int64_t seconds);

void WritePoint(JsonWriter& w, const CVrkPoint& p);
void ReadPoint(JsonReader& r, CVrkPoint& p, unsigned kind);
void WriteObservation(JsonWriter& w, const CObservation& o);
void ReadObservation(JsonReader& r, CObservation& o);
void WriteDirection(JsonWriter& w, const CDirection& d);
void ReadDirection(JsonReader& r, CDirection& d);
void WriteStation(JsonWriter& w, const CStation& s);
// All of them, runs of them on two threads when the machine has two.
void WriteStations(JsonWriter& w, const std::vector<CStation>& stations);
void ReadStation(JsonReader& r, CStation& s);
void WriteImportedFile(JsonWriter& w, const CVrkObject::ImportedFile& f);
void ReadImportedFile(JsonReader& r, CVrkObject::ImportedFile& f);
void WriteLine(JsonWriter& w, const CLine& l);
void ReadLine(JsonReader& r, CLine& l);
void WriteCodeSystem(JsonWriter& w, const CCodeSystemSlot& slot);
void ReadCodeSystem(JsonReader& r, CCodeSystemSlot& slot);
void WriteProcessing(JsonWriter& w, const ProcessingSettings& ps);
void ReadProcessing(JsonReader& r, ProcessingSettings& ps);

}  // namespace vrk::project_json
