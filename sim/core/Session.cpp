#include "sim/core/Session.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "server/core/DeviceEntry.h"
#include "server/core/Keywords.h"
#include "sim/core/CivilTime.h"
#include "sim/core/DecimalField.h"
#include "sim/core/Replies.h"
#include "toolkit/core/Cp1254.h"

namespace izleme::sim {
namespace {

// Keyword, then the fields, each ended by 0x01 (0x02 ends the login fields).
// A text after the last separator counts as one more field.
void splitRequest(std::string_view request, std::string& keyword, std::vector<std::string>& fields) {
    std::size_t p = request.find_first_of(std::string_view("\x01\x02", 2));
    keyword = std::string(request.substr(0, p));
    if (p == std::string_view::npos) return;
    request.remove_prefix(p + 1);
    while (!request.empty()) {
        p = request.find_first_of(std::string_view("\x01\x02", 2));
        fields.emplace_back(request.substr(0, p));
        if (p == std::string_view::npos) break;
        request.remove_prefix(p + 1);
    }
}

std::string field(const std::vector<std::string>& f, std::size_t i) { return i < f.size() ? f[i] : std::string(); }

std::string trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::string integerText(double x) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(std::llround(x)));
    return buf;
}

// Register values of a settings write: the serial, then the high and the low
// byte of each register, every byte 0..255. Nothing when a byte is missing,
// not a number or out of range: such a write changes no register.
std::optional<std::vector<int>> settingValues(const std::vector<std::string>& f) {
    if (f.size() < 3 || f.size() % 2 == 0) return std::nullopt;
    std::vector<int> v;
    for (std::size_t i = 1; i + 1 < f.size(); i += 2) {
        const auto high = decimalField(f[i], 0, 255);
        const auto low = decimalField(f[i + 1], 0, 255);
        if (!high || !low) return std::nullopt;
        v.push_back(*high * 256 + *low);
    }
    return v;
}

struct Range {
    std::string firstText, lastText;
    EnergyTotals first, last;
};

// Counters at the two dates of a request. An empty or unreadable first date
// means a week ago (or the given default); an empty last date means now.
Range dateRange(const EnergyCounters& c, std::int64_t now, const std::string& d1, const std::string& d2,
                std::optional<std::pair<std::int64_t, EnergyTotals>> defaultFirst) {
    Range r;
    const std::int64_t today = dayOf(now);
    auto countersAt = [&](std::int64_t day) {
        if (day > today) return c.absolute();
        if (auto t = c.atDay(day)) return *t;
        return c.history().empty() ? c.absolute() : c.history().begin()->second;
    };
    const auto p1 = parseDay(d1);
    if (p1) {
        r.firstText = d1;
        r.first = countersAt(*p1);
    } else if (defaultFirst) {
        r.firstText = formatDate(defaultFirst->first);
        r.first = defaultFirst->second;
    } else {
        r.firstText = formatDate((today - 7) * secondsPerDay);
        r.first = countersAt(today - 7);
    }
    const auto p2 = parseDay(d2);
    if (p2) {
        r.lastText = d2;
        r.last = countersAt(*p2 + 1);  // the end of the last day
    } else {
        r.lastText = formatDate(now);
        r.last = c.absolute();
    }
    return r;
}

std::vector<std::string> rangeFields(const std::string& serial, const Range& r, double scale) {
    return {serial,
            r.firstText,
            r.lastText,
            integerText(r.first.activeWh * scale),
            integerText(r.last.activeWh * scale),
            integerText(r.first.inductiveVarh * scale),
            integerText(r.last.inductiveVarh * scale),
            integerText(r.first.capacitiveVarh * scale),
            integerText(r.last.capacitiveVarh * scale)};
}

}  // namespace

Session::Session(World& world, std::int64_t requestStep) : world_(world), requestStep_(requestStep) {}

std::vector<std::string> Session::waitingMessages() const {
    std::vector<std::string> out;
    if (!account_) return out;
    const double age = static_cast<double>(world_.now() - world_.start());
    for (const Message& m : account_->messages)
        if (m.afterSeconds <= age) out.push_back(waitingMessage(toWire(m.heading), toWire(m.body)));
    return out;
}

std::vector<std::string> Session::newMessageNotices() {
    const std::size_t n = waitingMessages().size();
    if (n <= announced_) return {};
    announced_ = n;
    return {newMessagesNotice()};
}

bool Session::owns(const std::string& serial) const { return owned_.count(serial) != 0; }

Reply Session::handle(std::string_view request) {
    if (requestStep_ > 0) world_.advance(requestStep_);
    Reply reply;
    if (request.substr(0, kw::ping.size()) == kw::ping) {
        reply.messages.push_back(pongMessage());
        return reply;
    }
    std::string keyword;
    std::vector<std::string> fields;
    splitRequest(request, keyword, fields);
    if (keyword == kw::kulsifre) return login(fields);
    if (!account_) return reply;  // nothing but a login before the login
    if (keyword == kw::yenimesajiste) {
        reply.messages = waitingMessages();
        announced_ = std::max(announced_, reply.messages.size());
        return reply;
    }
    if (keyword == kw::sabitleriyaz) {
        if (SimDevice* d = world_.device(lastGuard_); d && d->guard && d->setup.online) d->guard->writeFixedSettings();
        return reply;
    }
    return deviceRequest(keyword, fields);
}

Reply Session::login(const std::vector<std::string>& fields) {
    Reply reply;
    const std::string user = cp1254::toUtf8(field(fields, 0));
    const std::string password = cp1254::toUtf8(field(fields, 1));
    account_ = world_.login(user, password);
    owned_.clear();
    group_.reset();
    if (!account_) {
        reply.close = true;
        return reply;
    }
    owned_.insert(account_->devices.begin(), account_->devices.end());
    reply.messages.push_back(pongMessage());
    reply.messages.reserve(1 + account_->devices.size() + 1);
    // The list needs only what the scenario says: no device is built for it.
    for (const std::string& serial : account_->devices) {
        const DeviceSetup* d = world_.setup(serial);
        if (!d) continue;
        reply.messages.push_back(
            deviceEntryMessage(toWire(d->group), toWire(d->model), toWire(d->name), toWire(d->serial)));
    }
    announced_ = 0;
    for (auto& m : newMessageNotices()) reply.messages.push_back(m);
    return reply;
}

Reply Session::deviceRequest(std::string_view keyword, const std::vector<std::string>& fields) {
    Reply reply;
    // As the client sent it (code page 1254): echoed back unconverted.
    const std::string serial = trimmed(field(fields, 0));
    // Unknown keywords are forwarded nowhere and answered with nothing.
    static constexpr std::string_view known[] = {
        kw::enertum,       kw::enerharcanan,     kw::tavrsabitiste, kw::kondasatordurum, kw::kondasatorgucdurum,
        kw::harmonikbir,   kw::harmonikiki,      kw::harmonikuc,    kw::sayac,           kw::reaktifener,
        kw::sycreaktfener, kw::AARdegerlerioku,  kw::roleaktif,     kw::kondansatorcek,  kw::cezasiniryaz,
        kw::akmgerilimyaz, kw::almacikmasureyaz, kw::reakkaporanyaz};
    if (std::find(std::begin(known), std::end(known), keyword) == std::end(known)) return reply;

    SimDevice* d = owns(serial) ? world_.device(serial) : nullptr;
    if (!d || !d->setup.online) {
        reply.messages.push_back(offlineMessage(serial));
        return reply;
    }
    group_ = d->setup.group;
    const std::int64_t now = world_.now();

    if (Krt100* k = d->relay.get()) {
        if (keyword == kw::enertum)
            reply.messages.push_back(registerReplyMessage(k->instantRegisters()));
        else if (keyword == kw::enerharcanan) {
            const EnergyTotals& before = k->counters().beforeLastReset();
            reply.messages.push_back(fieldsMessage(
                kw::Sycdegerleri, {integerText(before.activeWh / 1000.0), integerText(before.inductiveVarh / 1000.0),
                                   integerText(before.capacitiveVarh / 1000.0)}));
            reply.messages.push_back(registerReplyMessage(k->consumptionRegisters()));
        } else if (keyword == kw::tavrsabitiste)
            reply.messages.push_back(registerReplyMessage(k->settingsRegisters()));
        else if (keyword == kw::kondasatordurum)
            reply.messages.push_back(registerReplyMessage(k->stageStateRegisters()));
        else if (keyword == kw::kondasatorgucdurum)
            reply.messages.push_back(registerReplyMessage(k->stagePowerRegisters()));
        else if (keyword == kw::harmonikbir)
            reply.messages.push_back(waveformMessage(k->waveform(0)));
        else if (keyword == kw::harmonikiki)
            reply.messages.push_back(waveformMessage(k->waveform(1)));
        else if (keyword == kw::harmonikuc)
            reply.messages.push_back(waveformMessage(k->waveform(2)));
        else if (keyword == kw::reaktifener) {
            const Range r = dateRange(k->counters(), now, field(fields, 1), field(fields, 2), std::nullopt);
            reply.messages.push_back(fieldsMessage(kw::reaktifenerji, rangeFields(toWire(d->setup.serial), r, 1.0)));
        } else if (keyword == kw::kondansatorcek) {
            // Coil address, then the high and the low byte of the coil value.
            const auto item = decimalField(field(fields, 1), 0, 15);
            const auto value = decimalField(field(fields, 2), 0, 255);
            const bool lowByte = fields.size() < 4 || decimalField(fields[3], 0, 255);
            if (item && value && lowByte) k->stageCommand(*item, *value);
        } else if (keyword == kw::akmgerilimyaz || keyword == kw::cezasiniryaz || keyword == kw::almacikmasureyaz ||
                   keyword == kw::reakkaporanyaz) {
            const int first = keyword == kw::akmgerilimyaz      ? 166
                              : keyword == kw::cezasiniryaz     ? 169
                              : keyword == kw::almacikmasureyaz ? 173
                                                                : 179;
            if (const auto values = settingValues(fields)) k->writeSettings(first, *values);
        } else
            reply.messages.push_back(offlineMessage(serial));
        return reply;
    }
    if (Klm200* g = d->guard.get()) {
        lastGuard_ = d->setup.serial;
        if (keyword == kw::enertum)
            reply.messages.push_back(registerReplyMessage(g->registers()));
        else if (keyword == kw::AARdegerlerioku)
            reply.messages.push_back(fieldsMessage(kw::akimdegerleri, g->currentFields()));
        else if (keyword == kw::roleaktif) {
            const std::string b = field(fields, 1);
            g->pullOutputs(b.empty() ? 0 : static_cast<unsigned char>(b[0]));
        } else
            reply.messages.push_back(offlineMessage(serial));
        return reply;
    }
    if (Zdn100* m = d->meter.get()) {
        std::optional<std::pair<std::int64_t, EnergyTotals>> recorded;
        if (d->utilityReading) recorded.emplace(d->utilityTime, *d->utilityReading);
        if (keyword == kw::sayac) {
            for (const std::string& part : m->readoutParts()) reply.messages.push_back(readoutMessage(part));
            const bool utility = field(fields, 1) == "tdsEvt";
            const bool record = field(fields, 2) == "kytevt";
            if (utility) {
                // The ratios since the last recorded utility reading (or a week).
                const Range r = dateRange(m->counters(), now, "", "", recorded);
                reply.messages.push_back(fieldsMessage(kw::tedassycal, rangeFields(toWire(d->setup.serial), r, 0.001)));
            }
            if (record) {
                d->utilityReading = m->counters().absolute();
                d->utilityTime = now;
            }
        } else if (keyword == kw::sycreaktfener) {
            const Range r = dateRange(m->counters(), now, field(fields, 1), field(fields, 2), recorded);
            reply.messages.push_back(fieldsMessage(kw::tedassycal, rangeFields(toWire(d->setup.serial), r, 0.001)));
        } else
            reply.messages.push_back(offlineMessage(serial));
        return reply;
    }
    reply.messages.push_back(offlineMessage(serial));
    return reply;
}

std::vector<std::string> Session::deviceRecords() {
    std::vector<std::string> out;
    if (!account_ || !group_) return out;
    const std::string group = device::groupCaption(*group_);
    std::size_t builds = 0;
    int row = 1;
    for (const std::string& serial : account_->devices) {
        ++row;
        // Filtered on the scenario first, so that only the relays of the group are built and moved.
        const DeviceSetup* setup = world_.setup(serial);
        if (!setup || setup->model != "KRT100" || !setup->online || device::groupCaption(setup->group) != group)
            continue;
        if (!world_.built(serial)) {
            if (builds == buildsPerRound) continue;
            ++builds;
        }
        SimDevice* d = world_.device(serial);
        if (!d || !d->relay) continue;
        out.push_back(fieldsMessage(kw::cihazenerji, {toWire(serial), toWire(d->setup.group),
                                                      deviceRecord(d->relay->instantRegisters(), row)}));
    }
    return out;
}

}  // namespace izleme::sim
