// The scenario file of merkez-sim (JSON, UTF-8) to and from the core's
// structs. The schema is described in sim/README.md.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <optional>

#include "sim/core/Scenario.h"

namespace izleme::sim {

// Nothing, with `error` set, when the text is not a valid scenario.
std::optional<Scenario> scenarioFromJson(const QByteArray& json, QString& error);
QJsonObject scenarioToJson(const Scenario& scenario);

}  // namespace izleme::sim
