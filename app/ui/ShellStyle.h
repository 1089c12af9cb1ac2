// The look of the main window: an operator's console, near-black panels with
// coloured status texts.
#pragma once

#include <QString>

namespace izleme {

QString shellStyleSheet();

}  // namespace izleme
