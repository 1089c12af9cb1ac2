#include "server/ui/DeviceList.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>
#include <limits>

#include "app/core/SharedState.h"
#include "registers/core/RegisterTable.h"
#include "server/ui/Cp1254Text.h"
#include "server/core/DeviceEntry.h"
#include "server/core/Keywords.h"
#include "server/core/Wire.h"
#include "server/ui/Connection.h"
#include "server/ui/RequestSender.h"
#include "server/ui/ShellPort.h"
#include "toolkit/ui/GroupBar.h"
#include "toolkit/ui/LedDisplay.h"

namespace izleme {
namespace {

const QColor kCaptionSilver(0xC0, 0xC0, 0xC0);
const QColor kBodyCream(0xFF, 0xFB, 0xF0);
const QColor kEntryBlack(0x00, 0x00, 0x00);
const QColor kEntryRed(0xFF, 0x00, 0x00);

constexpr int kMeterPage = 6;
constexpr int kRelayPage = 2;

// The caption of an entry as code page 1254 bytes; captions are built from
// received bytes, so every character has its byte (anything else becomes "?").
std::string captionBytes(const GroupBarEntry* entry) { return toCp1254Lossy(entry->caption()); }

// Empties a display of the meter page found by name; displays of a page not
// built yet are skipped.
void clearNamed(QWidget* root, const char* name, const QString& text) {
    if (root == nullptr) return;
    QWidget* w = root->findChild<QWidget*>(QString::fromLatin1(name));
    if (w == nullptr) return;
    if (auto* led = qobject_cast<LedDisplay*>(w))
        led->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(text);
    else if (auto* line = qobject_cast<QLineEdit*>(w))
        line->setText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
        plain->setPlainText(text);
    else if (auto* rich = qobject_cast<QTextEdit*>(w))
        rich->setPlainText(text);
    else
        w->setProperty("text", text);
}

}  // namespace

DeviceList::DeviceList(DeviceListPorts ports, QObject* parent) : QObject(parent), p_(std::move(ports)) {
    if (p_.connection != nullptr) connect(p_.connection, &Connection::loginSent, this, &DeviceList::onLoginSent);
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
    p_.Panel7->show();
    p_.Panel8->hide();
    for (int page = 0; page <= 5; ++page) p_.setTabVisible(page, false);
    p_.setTabVisible(kMeterPage, true);
    p_.selectPage(kMeterPage);
    p_.shell->setRequestLine(QString());
    p_.shell->setStatusLine(QString());

    p_.Edit111->setText(fromCp1254(device::trimLeadingBlanks(serialText)));
    p_.shell->state().activeKind = device::kindZdn100;
    entry->setFontColor(kEntryRed);

    const auto serial = toCp1254(p_.Edit111->text());
    p_.shell->sender().send(serial ? wire::buildMessage(kw::sycreaktfener, {*serial, "", ""}) : std::nullopt);
    resetMeterPage();
}

void DeviceList::selectOther(GroupBarEntry* entry, int kind, const std::string& serialText) {
    paintAllBlack();
    entry->setFontColor(kEntryRed);
    p_.table->resetRow(1);

    SharedState& state = p_.shell->state();
    if (kind != state.activeKind) {
        if (kind == device::kindKlm200)
            showKlm200Layout();
        else if (kind == device::kindKrt100)
            showKrt100Layout();
    }
    state.activeKind = kind;

    p_.Edit111->setText(fromCp1254(device::trimBlanks(serialText)));
    if (p_.Sno != nullptr) p_.Sno->setText(fromCp1254(serialText));
    const auto value = device::serialValue(serialText);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::int32_t>::max()) {
        // Not a serial number: the selection ends here and nothing is requested.
        qWarning("'%s' is not a valid integer value", cp1254::toUtf8(serialText).c_str());
        return;
    }
    state.activeSerial = static_cast<std::int32_t>(*value);

    state.pendingKind = "anideger";
    p_.table->setCursor(0);
    const auto serial = toCp1254(p_.Edit111->text());
    p_.shell->sender().send(serial ? wire::buildMessage(kw::enertum, {*serial}) : std::nullopt);
    p_.shell->setRequestLine(QStringLiteral("Lütfen bekleyin..."));
    p_.shell->setStatusLine(QString());
}

void DeviceList::showKrt100Layout() {
    p_.Panel7->show();
    p_.Panel8->hide();
    for (const int page : {0, 1, 3, 4, 5}) p_.setTabVisible(page, true);
    for (const int page : {2, 6}) p_.setTabVisible(page, false);
    p_.selectPage(0);
}

void DeviceList::showKlm200Layout() {
    p_.Panel7->hide();
    p_.Panel8->show();
    p_.setTabVisible(kRelayPage, true);
    for (const int page : {0, 1, 3, 4, 5, 6}) p_.setTabVisible(page, false);
    p_.selectPage(kRelayPage);
}

void DeviceList::resetMeterPage() {
    QWidget* root = p_.mainWindow;
    clearNamed(root, "Memo3", QString());
    for (const char* name : {"Rzsycakttop", "Rzsycindtop", "Rzsyckaptop", "RzsycT1", "RzsycT2", "RzsycT3"})
        clearNamed(root, name, QStringLiteral("00000000"));
    for (const char* name : {"RzLEDak1", "RzLEDak2", "RzLEDkap1", "RzLEDkap2", "RzLEDin1", "RzLEDin2", "RzLEDsycinoran",
                             "RzLEDsyckaporan", "lblsycindurum", "lblsyckapdurum"})
        clearNamed(root, name, QString());
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
