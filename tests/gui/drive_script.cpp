// izleme-drive: script parsing, the step runner against small windows in
// this process, and the driver program against the real windows.
#include "drive/Script.h"
#include "drive/ScriptRunner.h"
#include "drive/Snapshot.h"
#include "drive/WindowSet.h"
#include "support/SimProcess.h"
#include "toolkit/ui/GroupBar.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

using namespace izleme;

namespace {

// Four windows shaped like the program's: a main window with a page control,
// a modal login window, a log window and a serial poll window, sharing the name Edit1.
struct Windows {
    std::unique_ptr<QMainWindow> main = std::make_unique<QMainWindow>();
    std::unique_ptr<QDialog> login = std::make_unique<QDialog>();
    std::unique_ptr<QWidget> log = std::make_unique<QWidget>();
    std::unique_ptr<QWidget> serial = std::make_unique<QWidget>();
    QLineEdit* mainEdit = nullptr;
    QLineEdit* loginEdit = nullptr;
    QLineEdit* serialBox = nullptr;
    QLabel* result = nullptr;
    QTabWidget* pages = nullptr;
    QAction* caption = nullptr;
    int edits = 0;

    template <typename W>
    static W* add(QWidget* parent, const QString& name) {
        auto* w = new W(parent);
        w->setObjectName(name);
        if (parent->layout()) parent->layout()->addWidget(w);
        return w;
    }

    Windows() {
        main->setObjectName("FrmAna");
        login->setObjectName("FrmGiris");
        log->setObjectName("Frmhaberlesme");
        serial->setObjectName("VD1KAL");
        login->setWindowTitle("GİRİŞ FORMU");

        auto* central = new QWidget;
        central->setLayout(new QVBoxLayout);
        main->setCentralWidget(central);
        mainEdit = add<QLineEdit>(central, "Edit1");
        mainEdit->setText("1");
        result = add<QLabel>(central, "result");
        QPalette palette = result->palette();
        palette.setColor(QPalette::WindowText, QColor(0, 255, 255));
        result->setPalette(palette);
        auto* ask = add<QPushButton>(central, "ask");
        QObject::connect(ask, &QPushButton::clicked, result, [this] {
            const auto answer = QMessageBox::question(main.get(), "Soru", "Emin misiniz?", QMessageBox::Yes | QMessageBox::No);
            result->setText(answer == QMessageBox::Yes ? "evet" : "hayır");
        });
        add<QPushButton>(central, "locked")->setEnabled(false);
        add<QDateEdit>(central, "date");
        pages = add<QTabWidget>(central, "suiPageControl1");
        for (const char* caption : {"Analizör-Ani Değerler", "Gizli", "Harmonikler"}) {
            auto* page = new QWidget;
            page->setLayout(new QVBoxLayout);
            pages->addTab(page, QString::fromUtf8(caption));
        }
        pages->setTabVisible(1, false);
        auto* stages = add<QCheckBox>(pages->widget(2), "Kondrm1");
        stages->setChecked(true);
        serialBox = add<QLineEdit>(pages->widget(0), "Edit111");
        caption = main->menuBar()->addAction("Aktif Cihaz: 0");
        caption->setObjectName("AktifCihaz1");
        QObject::connect(serialBox, &QLineEdit::textChanged, caption,
                         [this](const QString& t) { caption->setText("Aktif Cihaz: " + t); });
        auto* devices = add<GroupBar>(central, "RzGroupBar1");
        GroupBar::Group* group = devices->addGroup("FABRIKA");
        for (const char* serial : {"12001", "12002"}) {
            group->insertEntryAtTop(QStringLiteral("Pano No: %1").arg(serial), 0)
                ->setClickAction([this](GroupBarEntry* entry) {
                    entry->setFontColor(Qt::red);
                    serialBox->setText(entry->caption().section(':', 1).trimmed());
                });
        }
        QObject::connect(mainEdit, &QLineEdit::textEdited, mainEdit, [this] { ++edits; });

        login->setLayout(new QVBoxLayout);
        loginEdit = add<QLineEdit>(login.get(), "Edit1");
        auto* connectButton = add<QPushButton>(login.get(), "suiButton1");
        connectButton->setAutoDefault(false);
        QObject::connect(connectButton, &QPushButton::clicked, login.get(), &QDialog::accept);

        log->setLayout(new QVBoxLayout);
        auto* lines = add<QListWidget>(log.get(), "ListBox1");
        lines->addItems({"12:00:01 pong", "12:00:02 cihazlar"});
        serial->setLayout(new QVBoxLayout);
        add<QLineEdit>(serial.get(), "Edit1")->setText("COM5");

        main->show();
        login->setWindowModality(Qt::ApplicationModal);
        login->show();
    }

    WindowSet set() const { return WindowSet({main.get(), login.get(), log.get(), serial.get()}); }
};

struct RunResult {
    bool finished = false;
    bool passed = false;
    QString failure;
};

RunResult runScript(const Windows& windows, const QString& text, const QString& outDir = QString()) {
    const ParsedScript script = parseScript(text, [](const QString&, QString&) { return false; });
    if (!script.ok) return {true, false, QStringLiteral("parse: %1: %2").arg(script.errorLine).arg(script.error)};
    ScriptRunner runner(windows.set(), "t.txt", outDir.isEmpty() ? QDir::tempPath() : outDir);
    runner.start(script.steps);
    if (!QTest::qWaitFor([&] { return runner.isFinished(); }, 20000)) return {false, false, "still running"};
    return {true, runner.passed(), runner.failure()};
}

QJsonObject readJson(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

struct DriveRun {
    int exitCode = -1;
    QString out;
    QString err;
};

DriveRun runDrive(const QString& script, const QString& outDir, const QList<QPair<QString, QString>>& vars = {}) {
    const QString path = outDir + "/script.txt";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(script.toUtf8());
    file.close();
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    for (const auto& [name, value] : vars) env.insert(name, value);
    process.setProcessEnvironment(env);
    process.start(IZLEME_DRIVE_PATH, {path, "--out", outDir});
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, "did not finish"};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace

class DriveScriptTest : public QObject {
    Q_OBJECT

private slots:
    void splitsLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("blanks") << "  type   Edit1\tdemo " << QStringList{"type", "Edit1", "demo"};
        QTest::newRow("quoted text with blanks and Turkish letters")
            << QString::fromUtf8("type FrmGiris.Edit1 \"Çağrı Şenöz İĞÜ\"")
            << QStringList{"type", "FrmGiris.Edit1", QString::fromUtf8("Çağrı Şenöz İĞÜ")};
        QTest::newRow("empty quoted text") << "type Edit4 \"\"" << QStringList{"type", "Edit4", ""};
        QTest::newRow("escapes and # inside quotes")
            << "wait LblMesaj \"a \\\"b\\\" \\\\ #1\" 200" << QStringList{"wait", "LblMesaj", "a \"b\" \\ #1", "200"};
        QTest::newRow("comment after arguments") << "click suiButton1   # Bağlan" << QStringList{"click", "suiButton1"};
        QTest::newRow("comment line") << "# only a comment" << QStringList{};
        QTest::newRow("# inside a word is text") << "type Edit1 a#b" << QStringList{"type", "Edit1", "a#b"};
    }
    void splitsLines() {
        QFETCH(QString, line);
        QFETCH(QStringList, args);
        QStringList got;
        QString error;
        QVERIFY2(splitScriptLine(line, got, error), qPrintable(error));
        QCOMPARE(got, args);
    }

    void expandsVariables() {
        const VariableLookup lookup = [](const QString& name, QString& value) {
            if (name != "IZLEME_PORT") return false;
            value = "40001";
            return true;
        };
        QString out, error;
        QVERIFY(expandVariables("${IZLEME_PORT}", lookup, out, error));
        QCOMPARE(out, "40001");
        QVERIFY(expandVariables("port ${IZLEME_PORT:-17816}/${UNSET:-17816}", lookup, out, error));
        QCOMPARE(out, "port 40001/17816");
        QVERIFY(!expandVariables("${UNSET}", lookup, out, error));
        QVERIFY(error.contains("UNSET"));
        QVERIFY(!expandVariables("${IZLEME_PORT", lookup, out, error));
    }

    void rejectsBadScripts_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("why");
        QTest::newRow("unknown step") << "# start\n\nfrobnicate Edit1" << 3 << "unknown step";
        QTest::newRow("missing argument") << "click" << 1 << "expects 1";
        QTest::newRow("extra argument") << "sleep 10\ntab A B" << 2 << "expects 1";
        QTest::newRow("bad milliseconds") << "wait Edit1 x soon" << 1 << "not a number";
        QTest::newRow("bad answer") << "answer Maybe" << 1 << "Yes or No";
        QTest::newRow("label leaves the directory") << "snapshot ../x" << 1 << "label";
        QTest::newRow("unterminated quote") << "type Edit1 \"abc" << 1 << "unterminated";
        QTest::newRow("unset variable") << "type edtport ${NO_SUCH_VAR_X}" << 1 << "NO_SUCH_VAR_X";
    }
    void rejectsBadScripts() {
        QFETCH(QString, script);
        QFETCH(int, line);
        QFETCH(QString, why);
        const ParsedScript parsed = parseScript(script, [](const QString&, QString&) { return false; });
        QVERIFY(!parsed.ok);
        QCOMPARE(parsed.errorLine, line);
        QVERIFY2(parsed.error.contains(why), qPrintable(parsed.error));
    }

    void qualifiedAndBareNamesFollowTheModalWindow() {
        Windows w;
        QCOMPARE(QApplication::activeModalWidget(), w.login.get());
        const RunResult r = runScript(w, QString::fromUtf8(
                                             "type Edit1 \"Çağrı Ş\"   # the login window is modal\n"
                                             "type FrmAna.Edit1 ana\n"
                                             "wait VD1KAL.Edit1 COM5\n"
                                             "click FrmGiris.suiButton1\n"
                                             "wait FrmGiris \"GİRİŞ FORMU\"\n"
                                             "sleep 20\n"
                                             "type Edit1 sonra\n"));
        QVERIFY2(r.passed, qPrintable(r.failure));
        QCOMPARE(w.loginEdit->text(), QString::fromUtf8("Çağrı Ş"));
        QVERIFY(!w.login->isVisible());
        QCOMPARE(w.mainEdit->text(), "sonra");
        QCOMPARE(w.edits, 2);  // typing fires the edit handler, not only the change
    }

    void typeFiresChangeHandlersAndClicksActions() {
        Windows w;
        w.login->close();
        const RunResult r = runScript(w, "type Edit111 123456\n"
                                         "wait AktifCihaz1 \"Aktif Cihaz: 123456\" 1000\n"
                                         "type FrmAna.date 24.02.2024\n"
                                         "wait date 24.02.2024 1000\n"
                                         "tab Harmonikler\n");
        QVERIFY2(r.passed, qPrintable(r.failure));
        QCOMPARE(w.pages->currentIndex(), 2);
        QCOMPARE(w.caption->text(), "Aktif Cihaz: 123456");
    }

    void answersQuestionsWithoutBeingTrapped() {
        Windows w;
        w.login->close();
        const RunResult r = runScript(w, "answer No\n"
                                         "click ask\n"
                                         "wait result hayır 3000\n"
                                         "answer Yes\n"
                                         "click ask\n"
                                         "wait result evet 3000\n");
        QVERIFY2(r.passed, qPrintable(r.failure));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void failingStepsReportTheirLine_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("failure");
        QTest::newRow("wait times out") << "sleep 5\nwait FrmAna.result ok 50"
                                        << "t.txt:2: wait FrmAna.result ok 50: text is \"\" after 50 ms, expected \"ok\"";
        QTest::newRow("waitchange times out") << "waitchange FrmAna.Edit1 30" << "t.txt:1: waitchange FrmAna.Edit1 30: text stayed \"1\"";
        QTest::newRow("unknown widget") << "click Nowhere" << "t.txt:1: click Nowhere: no widget or action named Nowhere";
        QTest::newRow("unknown widget in a window") << "click FrmGiris.ask" << "no widget or action named ask in window FrmGiris";
        QTest::newRow("disabled button") << "click FrmAna.locked" << "locked is disabled";
        QTest::newRow("hidden tab") << "tab Gizli" << "the tab \"Gizli\" is hidden";
        QTest::newRow("unknown tab") << "tab Yok" << "no page captioned \"Yok\"";
        QTest::newRow("label takes no typing") << "type FrmAna.result x" << "does not take text";
        QTest::newRow("bad date") << "type date 31.02.2024" << "t.txt:1: type date 31.02.2024: \"31.02.2024\" is not a date";
        QTest::newRow("unknown key") << "key FrmAna NoSuchKey" << "unknown key";
        QTest::newRow("no such device") << "select \"Pano No: 9\"" << "no device list entry \"Pano No: 9\" after 5000 ms";
    }
    void failingStepsReportTheirLine() {
        QFETCH(QString, script);
        QFETCH(QString, failure);
        Windows w;
        w.login->close();
        const RunResult r = runScript(w, script);
        QVERIFY(r.finished);
        QVERIFY(!r.passed);
        QVERIFY2(r.failure.contains(failure), qPrintable(r.failure));
    }

    void keysReachTheFocusedControlOfAWindow() {
        Windows w;
        int returns = 0;
        connect(w.loginEdit, &QLineEdit::returnPressed, [&] { ++returns; });
        w.loginEdit->setFocus();
        const RunResult r = runScript(w, "key FrmGiris Return\nkey FrmGiris.Edit1 Enter\nkey FrmGiris Escape\nsleep 20\n");
        QVERIFY2(r.passed, qPrintable(r.failure));
        QCOMPARE(returns, 2);
        QVERIFY(!w.login->isVisible());  // Escape reached the dialog through its control
    }

    void snapshotRecordsEveryNamedWidget() {
        Windows w;
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const RunResult r = runScript(w, QString::fromUtf8("type FrmGiris.Edit1 \"Şükrü\"\nsnapshot giris\n"), dir.path());
        QVERIFY2(r.passed, qPrintable(r.failure));
        QVERIFY(QImage(dir.filePath("giris.png")).width() > 0);
        const QJsonObject json = readJson(dir.filePath("giris.json"));
        QCOMPARE(json["label"].toString(), "giris");
        QCOMPARE(json["activePage"].toInt(), 0);
        const QJsonArray tabs = json["tabs"].toArray();
        QCOMPARE(tabs.size(), 3);
        QCOMPARE(tabs[0].toObject()["caption"].toString(), QString::fromUtf8("Analizör-Ani Değerler"));
        QCOMPARE(tabs[1].toObject()["visible"].toBool(), false);
        QCOMPARE(json["windows"]["FrmGiris"]["caption"].toString(), QString::fromUtf8("GİRİŞ FORMU"));
        QCOMPARE(json["windows"]["FrmGiris"]["visible"].toBool(), true);
        QCOMPARE(json["windows"]["Frmhaberlesme"]["visible"].toBool(), false);

        const QJsonObject widgets = json["widgets"].toObject();
        QCOMPARE(widgets["FrmGiris.Edit1"]["text"].toString(), QString::fromUtf8("Şükrü"));
        QCOMPARE(widgets["FrmAna.Edit1"]["text"].toString(), "1");
        QCOMPARE(widgets["VD1KAL.Edit1"]["text"].toString(), "COM5");
        QCOMPARE(widgets["FrmAna.Edit1"]["class"].toString(), "QLineEdit");
        QVERIFY(widgets["FrmAna.Edit1"]["checked"].isNull());
        QCOMPARE(widgets["FrmAna.result"]["color"].toString(), "#00ffff");
        QCOMPARE(widgets["FrmAna.locked"]["enabled"].toBool(), false);
        // On a page that is not active: not on screen, yet not hidden by itself.
        const QJsonObject stage = widgets["FrmAna.Kondrm1"].toObject();
        QCOMPARE(stage["visible"].toBool(), false);
        QCOMPARE(stage["hidden"].toBool(), false);
        QCOMPARE(stage["checked"].toBool(), true);
        QVERIFY(!widgets.contains("FrmAna.qt_scrollarea_viewport"));

        QCOMPARE(json["actions"]["AktifCihaz1"]["text"].toString(), "Aktif Cihaz: 0");
        QCOMPARE(json["actions"]["AktifCihaz1"]["enabled"].toBool(), true);
        QCOMPARE(json["log"].toArray().size(), 2);
        QCOMPARE(json["log"].toArray()[1].toString(), "12:00:02 cihazlar");
        QVERIFY(json["deviceList"].isArray());
    }

    void selectClicksTheDeviceListEntry() {
        Windows w;
        w.login->close();
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const RunResult r = runScript(w, "select \"Pano No: 12001\"\nwait Edit111 12001 1000\nsnapshot secim\n", dir.path());
        QVERIFY2(r.passed, qPrintable(r.failure));
        const QJsonArray groups = readJson(dir.filePath("secim.json"))["deviceList"].toArray();
        QCOMPARE(groups.size(), 1);
        QCOMPARE(groups[0]["group"].toString(), "FABRIKA");
        const QJsonArray entries = groups[0]["entries"].toArray();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0]["caption"].toString(), "Pano No: 12002");  // the newest entry is on top
        QCOMPARE(entries[0]["color"].toString(), "#000000");
        QCOMPARE(entries[1]["caption"].toString(), "Pano No: 12001");
        QCOMPARE(entries[1]["color"].toString(), "#ff0000");
        QCOMPARE(entries[1]["icon"].toInt(), 0);
    }

    // The driver program against the real windows and merkez-sim on loopback.
    void driverLogsInSelectsAndRecords() {
        test::SimProcess sim;
        QVERIFY2(sim.port() != 0, "merkez-sim did not start");
        const QString port = QString::number(sim.port());

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const DriveRun run = runDrive(QString::fromUtf8(
                                          "type Edit1 \"Çağrı Şenöz\"      # the login window is modal\n"
                                          "key FrmGiris F6\n"
                                          "snapshot login\n"
                                          "type FrmGiris.Edit1 demo\n"
                                          "type FrmGiris.Edit4 demo\n"
                                          "type FrmGiris.edtport ${IZLEME_PORT}\n"
                                          "click suiButton1\n"
                                          "wait FrmAna \"<<<<<<<demo Bağlı.>>>>>>>>>\" 10000\n"
                                          "type Edit111 12001\n"
                                          "wait AktifCihaz1 \"Aktif Cihaz: 12001\"\n"
                                          "tab Harmonikler\n"
                                          "snapshot main\n"),
                                      dir.path(), {{"IZLEME_PORT", port}});
        sim.stop();
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(run.out.contains("12 steps passed"));

        const QJsonObject login = readJson(dir.filePath("login.json"));
        QCOMPARE(login["windows"]["FrmGiris"]["visible"].toBool(), true);
        QCOMPARE(login["widgets"]["FrmGiris.Edit1"]["text"].toString(), QString::fromUtf8("Çağrı Şenöz"));
        QCOMPARE(login["widgets"]["FrmGiris.edtport"]["hidden"].toBool(), false);  // F6 showed it
        QCOMPARE(login["widgets"]["FrmAna.Edit1"]["text"].toString(), "1");

        QVERIFY(QImage(dir.filePath("main.png")).width() > 200);
        const QJsonObject main = readJson(dir.filePath("main.json"));
        QCOMPARE(main["windows"]["FrmGiris"]["visible"].toBool(), false);
        QCOMPARE(main["windows"]["FrmAna"]["visible"].toBool(), true);
        QCOMPARE(main["actions"]["AktifCihaz1"]["text"].toString(), "Aktif Cihaz: 12001");
        QCOMPARE(main["activePage"].toInt(), 3);
        const QJsonArray tabs = main["tabs"].toArray();
        QCOMPARE(tabs.size(), 8);
        QCOMPARE(tabs[2].toObject()["visible"].toBool(), false);
        QCOMPARE(tabs[3].toObject()["caption"].toString(), "Harmonikler");
        QCOMPARE(main["widgets"]["FrmAna.Shape1"]["class"].toString(), "izleme::ActivityLamp");
        QVERIFY(main["widgets"]["FrmAna.Shape1"]["color"].toString().startsWith("#"));
    }

    void driverFailsWithTheLineAndWhy_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("failure");
        QTest::newRow("wait") << "# first\nwait FrmGiris.Edit1 never 100\n" << "script.txt:2: wait FrmGiris.Edit1 never 100: text is \"\"";
        QTest::newRow("unknown widget") << "click FrmGiris.Yok\n" << "script.txt:1: click FrmGiris.Yok: no widget or action named Yok";
        QTest::newRow("unknown step") << "sleep 1\nzzz\n" << "script.txt:2: zzz: unknown step";
    }
    void driverFailsWithTheLineAndWhy() {
        QFETCH(QString, script);
        QFETCH(QString, failure);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const DriveRun run = runDrive(script, dir.path());
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(failure), qPrintable(run.err));
    }
};

QTEST_MAIN(DriveScriptTest)
#include "drive_script.moc"
