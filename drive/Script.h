// The Qt side of izleme-drive scripts: ${VAR} from the process environment,
// and the texts of a step (UTF-8 in the script) as widget texts.
#pragma once

#include <QString>

#include "drive/core/Script.h"

namespace izleme {

// Lookup of ${VAR} in the process environment.
VariableLookup environmentLookup();

// Argument `index` of the step as a QString.
QString argText(const ScriptStep& step, int index);

// The step as written, without its comment.
QString sourceText(const ScriptStep& step);

}  // namespace izleme
