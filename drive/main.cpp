// izleme-drive SCRIPT --out DIR [--timeout-scale X] [--timings]: starts the
// program as izleme does, runs the script's steps against its windows and
// exits 0 when every step passed, 1 with the failing line and why (and a
// snapshot of the failure), 2 on a bad command line or a script that does not parse.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <cstdio>

#include "app/ui/Startup.h"
#include "drive/Script.h"
#include "drive/ScriptRunner.h"
#include "drive/Snapshot.h"
#include "drive/WindowSet.h"

namespace {

constexpr int kStepFailed = 1;
constexpr int kBadUsage = 2;
const QString kUsage = QStringLiteral("usage: izleme-drive SCRIPT --out DIR [--timeout-scale X] [--timings]");

void printLine(FILE* stream, const QString& text) {
    std::fputs(qPrintable(text + QLatin1Char('\n')), stream);
    std::fflush(stream);
}

QString stepCount(std::size_t n) { return n == 1 ? QStringLiteral("1 step") : QStringLiteral("%1 steps").arg(n); }

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    izleme::prepareApplication(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Runs a script of operator actions against the izleme windows."));
    const QCommandLineOption help = parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("SCRIPT"), QStringLiteral("script file, one step per line"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("directory for snapshots"),
                                       QStringLiteral("DIR"), QStringLiteral("."));
    const QCommandLineOption scaleOption(QStringLiteral("timeout-scale"), QStringLiteral("multiplies every wait limit"),
                                         QStringLiteral("X"), QStringLiteral("1"));
    const QCommandLineOption timingsOption(QStringLiteral("timings"),
                                           QStringLiteral("prints each step's duration in milliseconds"));
    parser.addOptions({outOption, scaleOption, timingsOption});
    if (!parser.parse(app.arguments())) {
        printLine(stderr, QStringLiteral("izleme-drive: %1\n%2").arg(parser.errorText(), kUsage));
        return kBadUsage;
    }
    if (parser.isSet(help)) parser.showHelp(0);
    if (parser.positionalArguments().size() != 1) {
        printLine(stderr, kUsage);
        return kBadUsage;
    }
    const QString scriptPath = parser.positionalArguments().first();
    bool scaleOk = false;
    const double scale = parser.value(scaleOption).toDouble(&scaleOk);
    if (!scaleOk || !std::isfinite(scale) || scale <= 0) {
        printLine(stderr, QStringLiteral("izleme-drive: --timeout-scale takes a positive number"));
        return kBadUsage;
    }
    QFile file(scriptPath);
    if (!file.open(QIODevice::ReadOnly)) {
        printLine(stderr, QStringLiteral("izleme-drive: cannot read %1").arg(scriptPath));
        return kBadUsage;
    }
    const QByteArray text = file.readAll();
    const izleme::ParsedScript script =
        izleme::parseScript(std::string_view(text.constData(), std::size_t(text.size())), izleme::environmentLookup());
    if (!script.ok) {
        printLine(stderr, QStringLiteral("%1:%2: %3: %4")
                              .arg(scriptPath)
                              .arg(script.errorLine)
                              .arg(QString::fromStdString(script.errorSource), QString::fromStdString(script.error)));
        return kBadUsage;
    }
    const QString outDir = QDir(parser.value(outOption)).absolutePath();

    const izleme::Forms forms = izleme::createForms();
    const izleme::WindowSet windows(forms.inCreationOrder());
    izleme::ScriptRunner runner(windows, scriptPath, outDir);
    runner.setTimeoutScale(scale);
    if (parser.isSet(timingsOption)) {
        QObject::connect(&runner, &izleme::ScriptRunner::stepTimed, &app,
                         [&scriptPath](const izleme::ScriptStep& step, qint64 nsecs) {
                             printLine(stdout, QStringLiteral("%1:%2 %3 %4 ms")
                                                   .arg(scriptPath)
                                                   .arg(step.line)
                                                   .arg(izleme::sourceText(step))
                                                   .arg(double(nsecs) / 1e6, 0, 'f', 3));
                         });
    }
    // The failure is recorded while the windows still show it.
    QString snapshotWhy;
    bool failureRecorded = false;
    QObject::connect(&runner, &izleme::ScriptRunner::finished, &app, [&](bool passed) {
        if (!passed) failureRecorded = izleme::writeSnapshot(windows, outDir, QStringLiteral("failed"), &snapshotWhy);
        app.exit(passed ? 0 : kStepFailed);
    });
    izleme::showMainWindow(forms);
    runner.start(script.steps);
    app.exec();

    runner.abandon(QStringLiteral("the program ended before the script did"));
    if (!runner.passed()) {
        printLine(stderr, runner.failure());
        printLine(stderr,
                  failureRecorded
                      ? QStringLiteral("izleme-drive: the windows at the failure are in %1/failed.png and failed.json")
                            .arg(outDir)
                      : QStringLiteral("izleme-drive: no snapshot of the failure: %1").arg(snapshotWhy));
        return kStepFailed;
    }
    printLine(stdout,
              QStringLiteral("izleme-drive: %1 passed; snapshots in %2").arg(stepCount(script.steps.size()), outDir));
    return 0;
}
