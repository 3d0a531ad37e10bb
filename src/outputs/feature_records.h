// The features of a project as layers of records: a geometry and named field values, the form
// every GIS writer takes them in.
#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "outputs/survey_features.h"

namespace outputs {

using FieldValue = std::variant<std::monostate, std::string, double, long long>;

enum class GeometryKind { Point, LineString };

struct Record {
    std::vector<Position> vertices;  // empty when the feature has no coordinates
    std::vector<std::pair<std::string, FieldValue>> fields;

    const FieldValue* Find(std::string_view name) const;
};

struct RecordLayer {
    std::string name;  // control_points, survey_points, stations, observations, lines
    GeometryKind geometry = GeometryKind::Point;
    std::vector<Record> records;

    // The field names of all records, in the order they first occur.
    std::vector<std::string> FieldNames() const;
};

// The five layers, always in this order and always present (maybe empty): control points,
// survey points, stations, observation rays, lines.
std::vector<RecordLayer> BuildLayers(const SurveyFeatures& features);

}  // namespace outputs
