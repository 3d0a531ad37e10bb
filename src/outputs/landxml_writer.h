// LandXML 1.2: units, the coordinate system, the points, the setups with their raw
// observations, and the coded lines as plan features.
#pragma once

#include <optional>
#include <string>

#include "outputs/crs.h"
#include "outputs/output_format.h"
#include "outputs/survey_features.h"

namespace outputs {

// The document as text (UTF-8). Angles are written in `unit`, distances in metres.
std::string LandXmlText(const SurveyFeatures& features, const std::optional<CrsInfo>& crs,
                        AngleUnit unit);

// An angle in radians as a LandXML value of `unit` ("decimal dd.mm.ss" is DDD.MMSSss).
std::string AngleText(double radians, AngleUnit unit);

}  // namespace outputs
