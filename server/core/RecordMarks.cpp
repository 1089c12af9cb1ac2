#include "server/core/RecordMarks.h"

#include "server/core/DeviceEntry.h"

namespace izleme::device {

bool recordNamesGroup(std::string_view groupCaptionText, std::string_view groupName) {
    return groupCaptionText == groupCaption(groupName);
}

bool recordMarksEntry(std::string_view entryCaptionText, std::string_view serial) {
    return !serial.empty() && entryCaptionText.find(serial) != std::string_view::npos;
}

}  // namespace izleme::device
