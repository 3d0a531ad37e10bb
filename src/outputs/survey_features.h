// The project as the outputs see it: points, stations, observation rays and lines with plain
// coordinates and their attributes as name/value texts, built once for every writer.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "import/contracts/vrk.h"

namespace outputs {

// Survey axes: north is X, east is Y. Writers for GIS swap them to x east, y north.
struct Position {
    double north = 0, east = 0;
    std::optional<double> height;
};

enum class PointKind { Control, Survey, Station };

struct Attribute {
    std::string name, value;
};

struct PointFeature {
    std::string name, code;
    PointKind kind = PointKind::Survey;
    std::optional<Position> position;  // none when the project holds no plan coordinates
    bool computed = false;             // coordinates computed from observations, not given
    std::vector<Attribute> attributes;
};

struct StationFeature {
    const vrk::CStation* station = nullptr;
    std::optional<Position> position;
    std::string point_name;  // the project point of the station, empty when there is none
};

struct RayFeature {
    const vrk::CStation* station = nullptr;
    const vrk::CObservation* observation = nullptr;
    std::optional<Position> from, to;  // both known, or the ray has no geometry
};

struct LineFeature {
    std::string name, code;
    std::vector<std::string> point_names;
    std::vector<Position> vertices;  // the vertices with coordinates, in order
    std::vector<Attribute> attributes;
};

struct SurveyFeatures {
    std::string title;
    std::string protocol;  // the import protocol, one entry a line (filled in by the caller)
    std::vector<PointFeature> points;
    std::vector<StationFeature> stations;
    std::vector<RayFeature> rays;
    std::vector<LineFeature> lines;

    size_t CountPoints(PointKind kind) const;
    // The point of that name, or null.
    const PointFeature* FindPoint(const std::string& name) const;

    std::unordered_map<std::string, size_t> index;  // point name -> position in `points`
};

// Gathers what the outputs write. With `selected_only`, only points marked selected, the
// stations standing on them, the rays between them and the lines through them alone.
SurveyFeatures CollectFeatures(const vrk::CVrkObject& project, bool selected_only);

// The vertical angle of an observation as a zenith angle (radians), whatever the instrument gave.
std::optional<double> ZenithAngle(const vrk::CObservation& o);

}  // namespace outputs
