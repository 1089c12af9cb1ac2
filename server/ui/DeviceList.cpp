#include "server/ui/DeviceList.h"

#include <limits>
#include <vector>

#include "server/core/DeviceEntry.h"
#include "server/core/Keywords.h"
#include "server/core/RecordMarks.h"
#include "server/core/SharedState.h"
#include "server/ui/Connection.h"
#include "server/ui/DeviceSelection.h"
#include "server/ui/ReplyRouter.h"
#include "server/ui/RequestSender.h"
#include "server/ui/Requests.h"
#include "server/ui/ShellPort.h"
#include "toolkit/ui/Cp1254Text.h"
#include "toolkit/ui/GroupBar.h"

namespace izleme {
namespace {

const QColor kCaptionSilver(0xC0, 0xC0, 0xC0);
const QColor kBodyCream(0xFF, 0xFB, 0xF0);
const QColor kEntryBlack(0x00, 0x00, 0x00);
const QColor kEntryRed(0xFF, 0x00, 0x00);
const QColor kEntryBlue(0x00, 0x00, 0xFF);

// The caption of an entry as code page 1254 bytes; captions are built from
// received bytes, so every character has its byte (anything else becomes "?").
std::string captionBytes(const GroupBarEntry* entry) { return toCp1254Lossy(entry->caption()); }

}  // namespace

DeviceList::DeviceList(DeviceListPorts ports, QObject* parent) : QObject(parent), p_(std::move(ports)) {
    if (p_.connection != nullptr) connect(p_.connection, &Connection::loginSent, this, &DeviceList::onLoginSent);
    p_.shell->router().subscribe(
        kw::cihazlar, [this](const Reply& r) { cihazlar(r.fields[0], r.fields[1], r.fields[2], r.fields[3]); }, this);
}

void DeviceList::onLoginSent() { listRefilling_ = true; }

void DeviceList::cihazlar(std::string_view group, std::string_view model, std::string_view name,
                          std::string_view serial) {
    p_.shell->setStatusLine(QStringLiteral("Cihaz listesi alınıyor. "));
    GroupBar* bar = p_.shell->deviceList();
    if (bar == nullptr) return;

    const QString caption = fromCp1254(device::groupCaption(group));
    GroupBarGroup* target = bar->findGroup(caption);
    if (target == nullptr) {
        target = bar->addGroup(caption);
        target->setColors(kCaptionSilver, kBodyCream);
        target->setVisible(true);
    }
    const std::string entryCaption = device::entryCaption(name, serial);
    const int kind = device::kindOfModel(model);
    GroupBarEntry* entry = target->insertEntryAtTop(fromCp1254(entryCaption), kind);
    QPointer<DeviceList> self(this);
    entry->setClickAction([self](GroupBarEntry* e) {
        if (self) self->RzGroup1Items0Click(e);
    });

    // The device clicked while logged out comes back with the new list.
    if (listRefilling_ && remembered_ && remembered_->kind == kind &&
        remembered_->serialText == device::serialText(entryCaption)) {
        remembered_.reset();
        listRefilling_ = false;
        RzGroup1Items0Click(entry);
    }
}

void DeviceList::RzGroup1Items0Click(GroupBarEntry* entry) {
    if (entry == nullptr) return;
    p_.selectPage(0);
    const std::string serialText = device::serialText(captionBytes(entry));
    const int kind = entry->iconIndex();

    SharedState& state = p_.shell->state();
    if (!state.loggedIn) {
        // The login empties the list, so this entry goes away: the selection
        // completes on the same device's entry once the server sends it again.
        remembered_ = Remembered{serialText, kind};
        listRefilling_ = false;
        p_.connection->startConnectAndLogin();
        return;
    }
    remembered_.reset();

    if (kind == device::kindZdn100) {
        selectMeter(entry, serialText);
    } else {
        selectOther(entry, kind, serialText);
    }
}

void DeviceList::selectMeter(GroupBarEntry* entry, const std::string& serialText) {
    SharedState& state = p_.shell->state();
    const bool kindChanged = state.activeKind != device::kindZdn100;
    p_.shell->setRequestLine(QString());
    p_.shell->setStatusLine(QString());
    p_.setActiveSerialText(fromCp1254(device::trimLeadingBlanks(serialText)));
    state.activeKind = device::kindZdn100;
    entry->setFontColor(kEntryRed);
    // The meter layout, and the meter page's reset; replies still awaited for
    // another device are no longer wanted.
    Requests& requests = p_.shell->requests();
    requests.deviceChanged(requests.activeSerialText());
    p_.selection->announce(ActiveDevice{device::kindZdn100, fromCp1254(serialText), true, kindChanged});

    // A meter's first request: the energy since its last recorded reading (two empty dates).
    if (const auto serial = toCp1254(requests.activeSerialText())) {
        requests.send(kw::sycreaktfener, {*serial, "", ""});
    } else {
        p_.shell->sender().send(std::nullopt);  // says on the status line that it could not go
    }
}

void DeviceList::selectOther(GroupBarEntry* entry, int kind, const std::string& serialText) {
    paintAllBlack();
    entry->setFontColor(kEntryRed);

    SharedState& state = p_.shell->state();
    const bool kindChanged = kind != state.activeKind;
    state.activeKind = kind;
    p_.setActiveSerialText(fromCp1254(device::trimBlanks(serialText)));
    // Replies still awaited for another device are no longer wanted, even
    // when this selection ends without a request; the pages reset what they
    // show (register row 1 included) and the shell applies the kind's layout
    // when the kind changed.
    Requests& requests = p_.shell->requests();
    requests.deviceChanged(requests.activeSerialText());
    p_.shell->setHeading(QString());
    p_.selection->announce(ActiveDevice{kind, fromCp1254(serialText), false, kindChanged});

    const auto value = device::serialValue(serialText);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::int32_t>::max()) {
        // Not a serial number: the selection ends here and nothing is requested.
        qWarning("'%s' is not a valid integer value", cp1254::toUtf8(serialText).c_str());
        return;
    }
    state.activeSerial = static_cast<std::int32_t>(*value);
    requests.data("anideger");
}

void DeviceList::markRecordArrived(std::string_view groupName, std::string_view serial) {
    GroupBar* bar = p_.shell->deviceList();
    if (bar == nullptr) return;
    for (int g = 0; g < bar->groupCount(); ++g) {
        GroupBarGroup* group = bar->group(g);
        if (!device::recordNamesGroup(toCp1254Lossy(group->caption()), groupName)) continue;
        for (int e = 0; e < group->entryCount(); ++e) {
            GroupBarEntry* entry = group->entry(e);
            if (device::recordMarksEntry(captionBytes(entry), serial)) entry->setFontColor(kEntryBlue);
        }
    }
}

void DeviceList::paintAllBlack() {
    GroupBar* bar = p_.shell->deviceList();
    if (bar == nullptr) return;
    for (int g = 0; g < bar->groupCount(); ++g) {
        GroupBarGroup* group = bar->group(g);
        for (int e = 0; e < group->entryCount(); ++e) {
            // Restyling an entry is costly; most are black already.
            GroupBarEntry* entry = group->entry(e);
            if (entry->fontColor() != kEntryBlack) entry->setFontColor(kEntryBlack);
        }
    }
}

}  // namespace izleme
