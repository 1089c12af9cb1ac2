#include "ScenarioJson.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace izleme::sim {
namespace {

std::string str(const QJsonObject& o, const char* key, const std::string& fallback = {}) {
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isString() ? v.toString().toStdString() : fallback;
}

bool readDevice(const QJsonObject& o, DeviceSetup& d, QString& error) {
    d.serial = str(o, "serial");
    d.name = str(o, "name");
    d.group = str(o, "group");
    d.model = str(o, "model");
    if (d.serial.empty() || d.model.empty()) {
        error = QStringLiteral("a device needs \"serial\" and \"model\"");
        return false;
    }
    // The client takes the serial back from the entry caption "name No: serial":
    // the ten characters after the first ":" (a blank and the serial), read as
    // an integer. So a serial has one to nine digits and a name has no ":".
    if (d.serial.size() > 9 || d.serial.find_first_not_of("0123456789") != std::string::npos) {
        error = QStringLiteral("serial \"%1\": one to nine digits").arg(QString::fromStdString(d.serial));
        return false;
    }
    if (d.name.find(':') != std::string::npos) {
        error = QStringLiteral("device %1: a name without \":\"").arg(QString::fromStdString(d.serial));
        return false;
    }
    if (d.model != "KRT100" && d.model != "KLM200" && d.model != "ZDN100") {
        error = QStringLiteral("device %1: model KRT100, KLM200 or ZDN100").arg(QString::fromStdString(d.serial));
        return false;
    }
    d.online = o.value(QLatin1String("online")).toBool(true);
    const std::string profile = str(o, "profile", profileName(d.profile));
    if (!profileFromName(profile, d.profile)) {
        error = QStringLiteral("unknown profile \"%1\"").arg(QString::fromStdString(profile));
        return false;
    }
    d.peakKw = o.value(QLatin1String("peakKw")).toDouble(d.peakKw);
    d.baseKw = o.value(QLatin1String("baseKw")).toDouble(d.baseKw);
    d.loadCos = o.value(QLatin1String("loadCos")).toDouble(d.loadCos);
    d.nonlinearShare = o.value(QLatin1String("nonlinearShare")).toDouble(d.nonlinearShare);
    d.fixedKvar = o.value(QLatin1String("fixedKvar")).toDouble(d.fixedKvar);
    d.ctRatio = o.value(QLatin1String("ctRatio")).toInt(d.ctRatio);
    d.vtRatio = o.value(QLatin1String("vtRatio")).toInt(d.vtRatio);
    d.targetCos = o.value(QLatin1String("targetCos")).toDouble(d.targetCos);
    d.phaseIndexes = o.value(QLatin1String("phaseIndexes")).toBool(d.phaseIndexes);
    d.readoutParts = o.value(QLatin1String("readoutParts")).toInt(d.readoutParts);
    const QJsonArray kvar = o.value(QLatin1String("stageKvar")).toArray();
    const QJsonArray phase = o.value(QLatin1String("stagePhase")).toArray();
    if (kvar.size() > 12 || phase.size() > 12) {
        error = QStringLiteral("at most 12 stages");
        return false;
    }
    if (!kvar.isEmpty()) {
        d.stageKvar.fill(0);
        for (int i = 0; i < kvar.size(); ++i) d.stageKvar[static_cast<std::size_t>(i)] = kvar[i].toDouble();
    }
    if (!phase.isEmpty()) {
        d.stagePhase.fill(0);
        for (int i = 0; i < phase.size(); ++i) d.stagePhase[static_cast<std::size_t>(i)] = phase[i].toInt();
    }
    // Plants up to 100 MW: every value the devices derive from these stays
    // finite and fits the registers and single-precision fields it goes into.
    auto within = [](double v, double low, double high) { return v >= low && v <= high; };
    bool stagesOk = true;
    for (std::size_t n = 0; n < 12; ++n)
        stagesOk = stagesOk && within(d.stageKvar[n], 0, 10000) && d.stagePhase[n] >= 0 && d.stagePhase[n] <= 4;
    if (!(within(d.peakKw, 0, 100000) && within(d.baseKw, 0, 100000) && d.loadCos > 0.3 && d.loadCos <= 1.0 &&
          within(d.nonlinearShare, 0, 1) && within(d.fixedKvar, 0, 100000) && within(d.ctRatio, 1, 10000) &&
          within(d.vtRatio, 1, 10000) && within(d.targetCos, 0.5, 1) && stagesOk && d.readoutParts >= 1 && d.readoutParts <= 8)) {
        error = QStringLiteral("device %1: values out of range").arg(QString::fromStdString(d.serial));
        return false;
    }
    return true;
}

}  // namespace

std::optional<Scenario> scenarioFromJson(const QByteArray& json, QString& error) {
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (!doc.isObject()) {
        error = parseError.errorString();
        return std::nullopt;
    }
    Scenario s;
    for (const QJsonValue dv : doc.object().value(QLatin1String("devices")).toArray()) {
        DeviceSetup d;
        if (!readDevice(dv.toObject(), d, error)) return std::nullopt;
        s.devices.push_back(d);
    }
    for (const QJsonValue av : doc.object().value(QLatin1String("accounts")).toArray()) {
        const QJsonObject o = av.toObject();
        Account a;
        a.user = str(o, "user");
        a.password = str(o, "password");
        if (a.user.empty()) {
            error = QStringLiteral("an account needs a \"user\"");
            return std::nullopt;
        }
        for (const QJsonValue v : o.value(QLatin1String("devices")).toArray())
            a.devices.push_back(v.toString().toStdString());
        for (const QJsonValue v : o.value(QLatin1String("messages")).toArray()) {
            const QJsonObject m = v.toObject();
            a.messages.push_back(
                {str(m, "heading"), str(m, "body"), m.value(QLatin1String("afterSeconds")).toDouble(0)});
        }
        s.accounts.push_back(a);
    }
    if (s.accounts.empty()) {
        error = QStringLiteral("the scenario has no account");
        return std::nullopt;
    }
    return s;
}

QJsonObject scenarioToJson(const Scenario& s) {
    QJsonArray devices;
    for (const DeviceSetup& d : s.devices) {
        QJsonArray kvar, phase;
        for (double k : d.stageKvar) kvar.append(k);
        for (int p : d.stagePhase) phase.append(p);
        QJsonObject device{
            {"serial", QString::fromStdString(d.serial)},
            {"name", QString::fromStdString(d.name)},
            {"group", QString::fromStdString(d.group)},
            {"model", QString::fromStdString(d.model)},
            {"online", d.online},
            {"profile", QString::fromLatin1(profileName(d.profile))},
            {"peakKw", d.peakKw},
            {"baseKw", d.baseKw},
            {"loadCos", d.loadCos},
            {"nonlinearShare", d.nonlinearShare},
            {"fixedKvar", d.fixedKvar},
            {"ctRatio", d.ctRatio},
            {"vtRatio", d.vtRatio},
            {"targetCos", d.targetCos},
            {"stageKvar", kvar},
            {"stagePhase", phase},
        };
        // A meter's readout options only when they differ from the usual readout.
        if (d.phaseIndexes) device.insert(QLatin1String("phaseIndexes"), true);
        if (d.readoutParts != 1) device.insert(QLatin1String("readoutParts"), d.readoutParts);
        devices.append(device);
    }
    QJsonArray accounts;
    for (const Account& a : s.accounts) {
        QJsonArray serials, messages;
        for (const auto& d : a.devices) serials.append(QString::fromStdString(d));
        for (const auto& m : a.messages)
            messages.append(QJsonObject{{"heading", QString::fromStdString(m.heading)},
                                        {"body", QString::fromStdString(m.body)},
                                        {"afterSeconds", m.afterSeconds}});
        accounts.append(QJsonObject{{"user", QString::fromStdString(a.user)},
                                    {"password", QString::fromStdString(a.password)},
                                    {"devices", serials},
                                    {"messages", messages}});
    }
    return QJsonObject{{"accounts", accounts}, {"devices", devices}};
}

}  // namespace izleme::sim
