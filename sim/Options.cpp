#include "Options.h"

namespace izleme::sim {
namespace {

bool bounded(const QString& text, int low, int high, int& out) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high) return false;
    out = v;
    return true;
}

bool boundedReal(const QString& text, double low, double high, double& out) {
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || v < low || v > high) return false;
    out = v;
    return true;
}

}  // namespace

QString usageText() {
    return QStringLiteral(
        "usage: merkez-sim [--host 127.0.0.1] [--port 17816] [--scenario FILE] [--devices N] [--seed N]\n"
        "                  [--time-scale X] [--exit-after SECONDS] [--records-every SECONDS] [--dump-scenario]\n"
        "  faults: [--split-writes MAXBYTES] [--split-delay MS] [--glue N] [--garbage N]\n"
        "          [--drop-after N] [--delay MS] [--flood N]\n"
        "  --devices N (0..100000) adds N generated devices (mostly KRT100, some KLM200 and ZDN100,\n"
        "  50 to a group) to the account demo/demo; with --dump-scenario it prints them as a scenario file.\n"
        "  --flood N (1..10000000) sends N extra \"pong\" after the login.\n");
}

std::optional<Options> parseOptions(const QStringList& args, QString& error) {
    Options o;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--dump-scenario")) {
            o.dumpScenario = true;
            continue;
        }
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            error = usageText();
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            error = QStringLiteral("missing value after %1\n").arg(a) + usageText();
            return std::nullopt;
        }
        const QString v = args[++i];
        int n = 0;
        bool ok = true;
        if (a == QLatin1String("--host"))
            o.host = v;
        else if (a == QLatin1String("--port"))
            ok = bounded(v, 0, 65535, n), o.port = static_cast<quint16>(n);
        else if (a == QLatin1String("--scenario"))
            o.scenarioFile = v;
        else if (a == QLatin1String("--devices"))
            ok = bounded(v, 0, 100000, o.devices);
        else if (a == QLatin1String("--seed")) {
            const qulonglong s = v.toULongLong(&ok);
            if (ok) o.seed = s;
        } else if (a == QLatin1String("--time-scale"))
            ok = boundedReal(v, 0.001, 100000.0, o.timeScale);
        else if (a == QLatin1String("--exit-after"))
            ok = boundedReal(v, 0.0, 1e7, o.exitAfter);
        else if (a == QLatin1String("--records-every"))
            ok = boundedReal(v, 0.0, 1e6, o.recordsEvery);
        else if (a == QLatin1String("--split-writes"))
            ok = bounded(v, 1, 64, o.faults.splitMaxBytes);
        else if (a == QLatin1String("--split-delay"))
            ok = bounded(v, 0, 1000, o.faults.splitDelayMs);
        else if (a == QLatin1String("--glue"))
            ok = bounded(v, 2, 64, o.faults.glue);
        else if (a == QLatin1String("--garbage"))
            ok = bounded(v, 1, 64, o.faults.garbageBytes);
        else if (a == QLatin1String("--drop-after"))
            ok = bounded(v, 1, 1000000, o.faults.dropAfter);
        else if (a == QLatin1String("--delay"))
            ok = bounded(v, 1, 10000, o.faults.delayMs);
        else if (a == QLatin1String("--flood"))
            ok = bounded(v, 1, 10000000, o.faults.flood);
        else {
            error = QStringLiteral("unknown option %1\n").arg(a) + usageText();
            return std::nullopt;
        }
        if (!ok) {
            error = QStringLiteral("bad value %1 for %2\n").arg(v, a);
            return std::nullopt;
        }
    }
    return o;
}

}  // namespace izleme::sim
