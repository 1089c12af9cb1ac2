#include "energy/ui/DeviceRecords.h"

#include "registers/core/DeviceRecordFill.h"
#include "registers/ui/PageContext.h"
#include "server/core/Keywords.h"
#include "server/ui/DeviceList.h"
#include "toolkit/ui/Cp1254Text.h"

namespace izleme {

DeviceRecords::DeviceRecords(const PageContext& context, DeviceList* list, QObject* parent)
    : QObject(parent), table_(context.table), state_(context.state), status_(context.status), list_(list) {
    setObjectName(QStringLiteral("DeviceRecords"));
    context.replies.subscribe(
        kw::cihazenerji,
        [this](const Reply& r) {
            cihazenerji({r.fields[0], r.fields[1], r.fields[2]});
        },
        this);
}

void DeviceRecords::cihazenerji(const std::array<std::string_view, 3>& fields) {
    const auto& [serial, group, record] = fields;
    status_.setStatusLine(fromCp1254(serial) + QStringLiteral(" Enerji bilgileri alınıyor. "));
    fillDeviceRecord(table_, record, state_.decimalSeparator);
    if (list_) list_->markRecordArrived(group, serial);
}

}  // namespace izleme
