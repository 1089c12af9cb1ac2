// merkez-sim's scenario loader over arbitrary text. A scenario it takes must
// keep the loader's rules, come back the same through the file form, and
// serve a session: each account logs in, its first devices answer.
#include <QByteArray>
#include <QJsonDocument>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>

#include "sim/ScenarioJson.h"
#include "sim/core/Replies.h"
#include "sim/core/Session.h"
#include "toolkit/core/Cp1254.h"

namespace {

bool keepsTheRules(const izleme::sim::Scenario& s) {
    if (s.accounts.empty()) return false;
    for (const auto& a : s.accounts)
        if (a.user.empty()) return false;
    for (const auto& d : s.devices) {
        if (d.serial.empty() || d.serial.size() > 9 || d.serial.find_first_not_of("0123456789") != std::string::npos)
            return false;
        if (d.model != "KRT100" && d.model != "KLM200" && d.model != "ZDN100") return false;
        if (d.name.find(':') != std::string::npos) return false;
        if (!(d.peakKw >= 0 && d.baseKw >= 0 && d.loadCos > 0.3 && d.loadCos <= 1.0 && d.ctRatio >= 1 &&
              d.vtRatio >= 1))
            return false;
    }
    return true;
}

QByteArray fileForm(const izleme::sim::Scenario& s) { return QJsonDocument(izleme::sim::scenarioToJson(s)).toJson(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QString error;
    const auto scenario = izleme::sim::scenarioFromJson(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), error);
    if (!scenario) {
        if (error.isEmpty()) __builtin_trap();  // a refusal says why
        return 0;
    }
    if (!keepsTheRules(*scenario)) __builtin_trap();
    const QByteArray once = fileForm(*scenario);
    const auto again = izleme::sim::scenarioFromJson(once, error);
    if (!again || fileForm(*again) != once) __builtin_trap();

    // A few days of warm-up: the plant code runs on the loaded values.
    izleme::sim::World world(*scenario, 1, izleme::sim::seededStartTime(), 3 * 86400);
    std::size_t accounts = 0;
    for (const auto& account : scenario->accounts) {
        if (++accounts > 8) break;  // a few accounts say enough; each costs device warm-ups
        izleme::sim::Session session(world, 60);
        const std::string login = "kulsifre\x01" + izleme::sim::toWire(account.user) + "\x01" +
                                  izleme::sim::toWire(account.password) + "\x02";
        // A user and a password that code page 1254 carries unchanged log in.
        auto carried = [](const std::string& utf8) {
            return izleme::cp1254::toUtf8(izleme::sim::toWire(utf8)) == utf8;
        };
        const bool travels = carried(account.user) && carried(account.password);
        const auto reply = session.handle(login);
        if (travels && !session.loggedIn()) __builtin_trap();
        if (!session.loggedIn()) continue;
        std::size_t asked = 0;
        for (const std::string& serial : account.devices) {
            if (++asked > 4) break;
            for (const char* keyword : {"enertum", "sayac", "harmonikbir", "reaktifener"})
                (void)session.handle(std::string(keyword) + "\x01" + serial + "\x01");
        }
        (void)session.deviceRecords();
    }
    return 0;
}
