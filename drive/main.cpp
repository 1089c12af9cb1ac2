// izleme-drive SCRIPT --out DIR [--timeout-scale X]: starts the program as
// izleme does, runs the script's steps against its windows and exits 0 when
// every step passed, otherwise 1 with the failing line and why.
#include "app/ui/Startup.h"
#include "drive/Script.h"
#include "drive/ScriptRunner.h"
#include "drive/WindowSet.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

namespace {

void printLine(FILE* stream, const QString& text) {
    std::fputs(qPrintable(text + QLatin1Char('\n')), stream);
    std::fflush(stream);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    izleme::prepareApplication(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Runs a script of operator actions against the izleme windows."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("SCRIPT"), QStringLiteral("script file, one step per line"));
    parser.addOption({QStringLiteral("out"), QStringLiteral("directory for snapshots"), QStringLiteral("DIR"), QStringLiteral(".")});
    parser.addOption({QStringLiteral("timeout-scale"), QStringLiteral("multiplies every wait limit"), QStringLiteral("X"), QStringLiteral("1")});
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        printLine(stderr, QStringLiteral("usage: izleme-drive SCRIPT --out DIR [--timeout-scale X]"));
        return 2;
    }
    const QString scriptPath = parser.positionalArguments().first();
    bool scaleOk = false;
    const double scale = parser.value(QStringLiteral("timeout-scale")).toDouble(&scaleOk);
    if (!scaleOk || scale <= 0) {
        printLine(stderr, QStringLiteral("izleme-drive: --timeout-scale takes a positive number"));
        return 2;
    }
    QFile file(scriptPath);
    if (!file.open(QIODevice::ReadOnly)) {
        printLine(stderr, QStringLiteral("izleme-drive: cannot read %1").arg(scriptPath));
        return 2;
    }
    const izleme::ParsedScript script = izleme::parseScript(QString::fromUtf8(file.readAll()), izleme::environmentLookup());
    if (!script.ok) {
        printLine(stderr, QStringLiteral("%1:%2: %3: %4").arg(scriptPath).arg(script.errorLine).arg(script.errorSource, script.error));
        return 1;
    }
    const QString outDir = QDir(parser.value(QStringLiteral("out"))).absolutePath();

    const izleme::Forms forms = izleme::createForms();
    izleme::ScriptRunner runner(izleme::WindowSet(forms.inCreationOrder()), scriptPath, outDir);
    runner.setTimeoutScale(scale);
    QObject::connect(&runner, &izleme::ScriptRunner::finished, &app, [&app](bool passed) { app.exit(passed ? 0 : 1); });
    izleme::showMainWindow(forms);
    runner.start(script.steps);
    app.exec();

    runner.abandon(QStringLiteral("the program ended before the script did"));
    if (!runner.passed()) {
        printLine(stderr, runner.failure());
        return 1;
    }
    printLine(stdout, QStringLiteral("izleme-drive: %1 steps passed; snapshots in %2").arg(script.steps.size()).arg(outDir));
    return 0;
}
