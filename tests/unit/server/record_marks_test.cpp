// Which entries a "cihazenerji" record marks in the device list.
#include "server/core/DeviceEntry.h"
#include "server/core/RecordMarks.h"

#include <gtest/gtest.h>

#include <string>

namespace izleme::device {
namespace {

TEST(RecordMarks, EntriesWhoseCaptionHoldsTheSerial) {
    struct Case {
        const char* serial;
        const char* name;
        const char* entrySerial;
        bool marked;
    };
    const Case cases[] = {
        {"12", "Pano", "12", true},
        {"12", "Pano", "123", true},   // the serial is searched anywhere in the caption
        {"12", "Pano", "312", true},
        {"12", "Pano", "1", false},
        {"12", "Pano", "21", false},
        {"", "Pano", "12", false},     // an empty serial marks nothing
        {"12001", "Pano", "12001", true},
        {"12001", "Pano", "1200", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.serial) + " / " + c.entrySerial);
        EXPECT_EQ(recordMarksEntry(entryCaption(c.name, c.entrySerial), c.serial), c.marked);
    }
}

TEST(RecordMarks, GroupNamedAsTheListCaptionsIt) {
    struct Case {
        const char* groupName;    // as the device list got it
        const char* recordGroup;  // as the record names it
        bool named;
    };
    const Case cases[] = {
        {"Merkez", "Merkez", true},
        {"Merkez", "merkez", true},
        {"MERKEZ", "merkez", true},
        {"Merkez", "Fabrika", false},
        {"Merkez", "Merkez ", false},
        {"Merkez", "", false},
        // Only a to z are upper-cased: a Turkish letter must match as it is.
        {"B\xF6lge 1", "b\xF6lge 1", true},
        {"B\xF6lge 1", "B\xD6LGE 1", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.groupName) + " / " + c.recordGroup);
        EXPECT_EQ(recordNamesGroup(groupCaption(c.groupName), c.recordGroup), c.named);
    }
}

}  // namespace
}  // namespace izleme::device
