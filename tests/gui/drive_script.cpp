// izleme-drive: script parsing, the step runner against small windows in
// this process, and the driver program against the real windows.
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
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>

#include "drive/Script.h"
#include "drive/ScriptRunner.h"
#include "drive/Snapshot.h"
#include "drive/WindowSet.h"
#include "support/SimProcess.h"
#include "toolkit/ui/GroupBar.h"

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
    QMessageBox* question = nullptr;
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
            const auto answer =
                QMessageBox::question(main.get(), "Soru", "Emin misiniz?", QMessageBox::Yes | QMessageBox::No);
            result->setText(answer == QMessageBox::Yes ? "evet" : "hayır");
        });
        // The same question box asked again, as a window that keeps its box does.
        auto* again = add<QPushButton>(central, "askAgain");
        QObject::connect(again, &QPushButton::clicked, result, [this] {
            if (!question) {
                question = new QMessageBox(QMessageBox::Question, "Soru", "Yine?", QMessageBox::Yes | QMessageBox::No,
                                           main.get());
            }
            result->setText(question->exec() == QMessageBox::Yes ? "evet" : "hayır");
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

const VariableLookup noVariables = [](const std::string&) -> std::optional<std::string> { return std::nullopt; };

ParsedScript parse(const QString& text) { return parseScript(text.toStdString(), noVariables); }

struct StepTime {
    int line = 0;
    QString source;
    qint64 nsecs = 0;
};

struct RunResult {
    bool finished = false;
    bool passed = false;
    QString failure;
    QList<StepTime> timings;
};

RunResult runScript(const Windows& windows, const QString& text, const QString& outDir = QString()) {
    const ParsedScript script = parse(text);
    if (!script.ok) {
        return {true,
                false,
                QStringLiteral("parse: %1: %2").arg(script.errorLine).arg(QString::fromStdString(script.error)),
                {}};
    }
    ScriptRunner runner(windows.set(), "t.txt", outDir.isEmpty() ? QDir::tempPath() : outDir);
    RunResult result;
    QObject::connect(&runner, &ScriptRunner::stepTimed, [&result](const ScriptStep& step, qint64 nsecs) {
        result.timings << StepTime{step.line, sourceText(step), nsecs};
    });
    QObject::connect(&runner, &ScriptRunner::finished, [&runner](bool passed) {
        if (passed) return;
        // A question left open keeps its own event loop, and with it the test, waiting.
        QTimer::singleShot(0, &runner, [] {
            for (int i = 0; i < 10 && QApplication::activeModalWidget(); ++i) {
                if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
            }
        });
    });
    runner.start(script.steps);
    if (!QTest::qWaitFor([&] { return runner.isFinished(); }, 20000)) return {false, false, "still running", {}};
    result.finished = true;
    result.passed = runner.passed();
    result.failure = runner.failure();
    return result;
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

DriveRun runDrive(const QByteArray& script, const QString& outDir, const QList<QPair<QString, QString>>& vars = {},
                  const QStringList& options = {}) {
    const QString path = outDir + "/script.txt";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(script);
    file.close();
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    for (const auto& [name, value] : vars) env.insert(name, value);
    process.setProcessEnvironment(env);
    process.start(IZLEME_DRIVE_PATH, QStringList{path, "--out", outDir} + options);
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
        QTest::addColumn<QString>("step");  // the line without its comment
        QTest::newRow("blanks") << "  type   Edit1\tdemo " << QStringList{"type", "Edit1", "demo"}
                                << "  type   Edit1\tdemo ";
        QTest::newRow("quoted text with blanks and Turkish letters")
            << QString::fromUtf8("type FrmGiris.Edit1 \"Çağrı Şenöz İĞÜ\"")
            << QStringList{"type", "FrmGiris.Edit1", QString::fromUtf8("Çağrı Şenöz İĞÜ")}
            << QString::fromUtf8("type FrmGiris.Edit1 \"Çağrı Şenöz İĞÜ\"");
        QTest::newRow("empty quoted text")
            << "type Edit4 \"\"" << QStringList{"type", "Edit4", ""} << "type Edit4 \"\"";
        QTest::newRow("escapes and # inside quotes")
            << "wait LblMesaj \"a \\\"b\\\" \\\\ #1\" 200" << QStringList{"wait", "LblMesaj", "a \"b\" \\ #1", "200"}
            << "wait LblMesaj \"a \\\"b\\\" \\\\ #1\" 200";
        QTest::newRow("quotes inside a word")
            << "type Edit1 ad\"ı soyadı\"x" << QStringList{"type", "Edit1", "adı soyadıx"}
            << "type Edit1 ad\"ı soyadı\"x";
        QTest::newRow("comment after arguments")
            << "click suiButton1   # Bağlan" << QStringList{"click", "suiButton1"} << "click suiButton1   ";
        QTest::newRow("comment line") << "# only a comment" << QStringList{} << "";
        QTest::newRow("# inside a word is text")
            << "type Edit1 a#b" << QStringList{"type", "Edit1", "a#b"} << "type Edit1 a#b";
        QTest::newRow("CR of a Windows line end is a blank") << "sleep 5\r" << QStringList{"sleep", "5"} << "sleep 5\r";
    }
    void splitsLines() {
        QFETCH(QString, line);
        QFETCH(QStringList, args);
        QFETCH(QString, step);
        const std::string bytes = line.toStdString();
        const SplitLine split = splitScriptLine(bytes);
        QVERIFY2(split.ok, split.error.c_str());
        QStringList got;
        for (const std::string& word : split.words) got << QString::fromStdString(word);
        QCOMPARE(got, args);
        QCOMPARE(QString::fromStdString(bytes.substr(0, split.end)), step);
    }

    void expandsVariables() {
        const VariableLookup lookup = [](const std::string& name) -> std::optional<std::string> {
            if (name == "IZLEME_PORT") return "40001";
            if (name == "EMPTY") return "";
            if (name == "SELF") return "${SELF}";
            return std::nullopt;
        };
        std::string error;
        QCOMPARE(expandVariables("${IZLEME_PORT}", lookup, error), "40001");
        QCOMPARE(expandVariables("port ${IZLEME_PORT:-17816}/${UNSET:-17816}", lookup, error), "port 40001/17816");
        QCOMPARE(expandVariables("${EMPTY}|${EMPTY:-x}|${UNSET:-}", lookup, error), "|x|");
        QCOMPARE(expandVariables("${SELF} $IZLEME_PORT $", lookup, error),
                 "${SELF} $IZLEME_PORT $");  // values are not expanded again
        QVERIFY(!expandVariables("${UNSET}", lookup, error));
        QVERIFY(QString::fromStdString(error).contains("UNSET"));
        QVERIFY(!expandVariables("${IZLEME_PORT", lookup, error));
        QVERIFY(QString::fromStdString(error).contains("unterminated"));
    }

    // Optional limits parse, and a step is kept as written without its comment.
    void parsesStepsWithTheirLines() {
        const ParsedScript parsed = parse(
            "\n# tour\nselect \"Pano No: 1\" 100   # first device\r\n"
            "waitentry X\nanswer No 0\nwait Edit1 \"\" 999999999\n");
        QVERIFY2(parsed.ok, parsed.error.c_str());
        QCOMPARE(parsed.steps.size(), 4u);
        QCOMPARE(parsed.steps[0].line, 3);
        QCOMPARE(parsed.steps[0].source, "select \"Pano No: 1\" 100");
        QCOMPARE(parsed.steps[0].kind, StepKind::Select);
        QCOMPARE(parsed.steps[0].args, (std::vector<std::string>{"Pano No: 1", "100"}));
        QCOMPARE(parsed.steps[1].kind, StepKind::WaitEntry);
        QCOMPARE(parsed.steps[2].kind, StepKind::Answer);
        QCOMPARE(parsed.steps[3].line, 6);
        QCOMPARE(parsed.steps[3].args[1], "");
    }

    void rejectsBadScripts_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("why");
        QTest::newRow("unknown step") << QByteArray("# start\n\nfrobnicate Edit1") << 3 << "unknown step";
        QTest::newRow("missing argument") << QByteArray("click") << 1 << "expects 1";
        QTest::newRow("extra argument") << QByteArray("sleep 10\ntab A B") << 2 << "expects 1";
        QTest::newRow("bad milliseconds") << QByteArray("wait Edit1 x soon") << 1 << "not a number";
        QTest::newRow("bad answer") << QByteArray("answer Maybe") << 1 << "Yes or No";
        QTest::newRow("label leaves the directory") << QByteArray("snapshot ../x") << 1 << "label";
        QTest::newRow("unterminated quote") << QByteArray("type Edit1 \"abc") << 1 << "unterminated";
        QTest::newRow("unset variable") << QByteArray("type edtport ${NO_SUCH_VAR_X}") << 1 << "NO_SUCH_VAR_X";
        QTest::newRow("unterminated variable") << QByteArray("sleep 1\ntype edtport ${PORT") << 2 << "unterminated ${";
        QTest::newRow("negative milliseconds") << QByteArray("sleep -5") << 1 << "not a number";
        QTest::newRow("milliseconds past the limit") << QByteArray("sleep 1000000000") << 1 << "not a number";
        QTest::newRow("answer with a bad limit") << QByteArray("answer Yes soon") << 1 << "not a number";
        QTest::newRow("select with a third argument") << QByteArray("select A 100 200") << 1 << "expects 1 to 2";
        QTest::newRow("label starting with a dot") << QByteArray("snapshot .hidden") << 1 << "label";
        QTest::newRow("script not in UTF-8") << QByteArray("type Edit1 ok\ntype Edit1 \xfe") << 2 << "not UTF-8";
        QTest::newRow("UTF-8 cut at the line end") << QByteArray("type Edit1 \xc3\nsleep 1") << 1 << "not UTF-8";
        QTest::newRow("overlong UTF-8") << QByteArray("type Edit1 \xc0\xaf") << 1 << "not UTF-8";
        QTest::newRow("UTF-8 of a surrogate") << QByteArray("type Edit1 \xed\xa0\x80") << 1 << "not UTF-8";
    }
    void rejectsBadScripts() {
        QFETCH(QByteArray, script);
        QFETCH(int, line);
        QFETCH(QString, why);
        const ParsedScript parsed = parseScript(script.toStdString(), noVariables);
        QVERIFY(!parsed.ok);
        QVERIFY(parsed.steps.empty());
        QCOMPARE(parsed.errorLine, line);
        QVERIFY2(QString::fromStdString(parsed.error).contains(why), parsed.error.c_str());
    }

    void qualifiedAndBareNamesFollowTheModalWindow() {
        Windows w;
        QCOMPARE(QApplication::activeModalWidget(), w.login.get());
        const RunResult r = runScript(w, QString::fromUtf8("type Edit1 \"Çağrı Ş\"   # the login window is modal\n"
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
        const RunResult r = runScript(w,
                                      "type Edit111 123456\n"
                                      "wait AktifCihaz1 \"Aktif Cihaz: 123456\" 1000\n"
                                      "type FrmAna.date 24.02.2024\n"
                                      "wait date 24.02.2024 1000\n"
                                      "tab Harmonikler\n");
        QVERIFY2(r.passed, qPrintable(r.failure));
        QCOMPARE(w.pages->currentIndex(), 2);
        QCOMPARE(w.caption->text(), "Aktif Cihaz: 123456");
    }

    void answersQuestionsWithoutBeingTrapped_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("a new question box each time") << "ask";
        QTest::newRow("one question box asked twice") << "askAgain";
    }
    void answersQuestionsWithoutBeingTrapped() {
        QFETCH(QString, button);
        Windows w;
        w.login->close();
        const RunResult r = runScript(w, QString("answer No\n"
                                                 "click %1\n"
                                                 "wait result hayır 3000\n"
                                                 "answer Yes\n"
                                                 "click %1\n"
                                                 "wait result evet 3000\n")
                                             .arg(button));
        QVERIFY2(r.passed, qPrintable(r.failure));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void failingStepsReportTheirLine_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("failure");
        QTest::newRow("wait times out")
            << "sleep 5\nwait FrmAna.result ok 50   # never set"
            << "t.txt:2: wait FrmAna.result ok 50: text is \"\" after 50 ms, expected \"ok\"";
        QTest::newRow("waitchange times out") << "waitchange FrmAna.Edit1 30"
                                              << "t.txt:1: waitchange FrmAna.Edit1 30: text stayed \"1\"";
        QTest::newRow("unknown widget") << "click Nowhere"
                                        << "t.txt:1: click Nowhere: no widget or action named Nowhere";
        QTest::newRow("unknown widget in a window") << "click FrmGiris.ask"
                                                    << "no widget or action named ask in window FrmGiris";
        QTest::newRow("disabled button") << "click FrmAna.locked"
                                         << "locked is disabled";
        QTest::newRow("hidden tab") << "tab Gizli"
                                    << "the tab \"Gizli\" is hidden";
        QTest::newRow("unknown tab") << "tab Yok"
                                     << "no page captioned \"Yok\"";
        QTest::newRow("label takes no typing") << "type FrmAna.result x"
                                               << "does not take text";
        QTest::newRow("bad date") << "type date 31.02.2024"
                                  << "t.txt:1: type date 31.02.2024: \"31.02.2024\" is not a date";
        QTest::newRow("unknown key") << "key FrmAna NoSuchKey"
                                     << "unknown key";
        QTest::newRow("no such device") << "select \"Pano No: 9\""
                                        << "no device list entry \"Pano No: 9\" after 5000 ms";
        QTest::newRow("no entry arrives")
            << "waitentry \"Pano No: 9\" 50"
            << "t.txt:1: waitentry \"Pano No: 9\" 50: no device list entry \"Pano No: 9\" after 50 ms";
        QTest::newRow("answer without a question") << "answer Yes 100\nsleep 2000"
                                                   << "t.txt:1: answer Yes 100: no question was asked within 100 ms";
        QTest::newRow("answer left at the end") << "sleep 5\nanswer No 50"
                                                << "t.txt:2: answer No 50: no question was asked within 50 ms";
        QTest::newRow("second answer without its question")
            << "answer No\nanswer Yes 300\nclick ask\nwait result hayır 3000\nsleep 2000"
            << "t.txt:2: answer Yes 300: no question was asked within 300 ms";
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
        const RunResult r =
            runScript(w, "key FrmGiris Return\nkey FrmGiris.Edit1 Enter\nkey FrmGiris Escape\nsleep 20\n");
        QVERIFY2(r.passed, qPrintable(r.failure));
        QCOMPARE(returns, 2);
        QVERIFY(!w.login->isVisible());  // Escape reached the dialog through its control
    }

    void snapshotRecordsEveryNamedWidget() {
        Windows w;
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const RunResult r =
            runScript(w, QString::fromUtf8("type FrmGiris.Edit1 \"Şükrü\"\nsnapshot giris\n"), dir.path());
        QVERIFY2(r.passed, qPrintable(r.failure));
        QVERIFY(QImage(dir.filePath("giris.png")).width() > 0);
        QCOMPARE(QImage(dir.filePath("giris-FrmGiris.png")).size(), w.login->size());  // the modal window's own picture
        QVERIFY(!QFile::exists(dir.filePath("giris-Frmhaberlesme.png")));              // a closed window has none
        w.log->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.log.get()));
        const RunResult again = runScript(w, "snapshot beside\n", dir.path());
        QVERIFY2(again.passed, qPrintable(again.failure));
        QCOMPARE(QImage(dir.filePath("beside-Frmhaberlesme.png")).size(),
                 w.log->size());  // an open window's own picture
        w.log->hide();
        const QJsonObject json = readJson(dir.filePath("giris.json"));
        QCOMPARE(json["modal"].toString(), "FrmGiris");
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
        const RunResult r =
            runScript(w, "select \"Pano No: 12001\"\nwait Edit111 12001 1000\nsnapshot secim\n", dir.path());
        QVERIFY2(r.passed, qPrintable(r.failure));
        QVERIFY(QFile::exists(dir.filePath("secim.png")));
        QCOMPARE(QDir(dir.path()).entryList({"*.png"}),
                 QStringList{"secim.png"});  // no modal window, no second picture
        QVERIFY(readJson(dir.filePath("secim.json"))["modal"].isNull());
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

    void waitentryWaitsForAnEntryToArrive() {
        Windows w;
        w.login->close();
        auto* bar = w.main->findChild<GroupBar*>("RzGroupBar1");
        QVERIFY(bar);
        QTimer::singleShot(300, bar, [&w, bar] {
            bar->group(0)->insertEntryAtTop("Pano No: 12003", 0)->setClickAction([&w](GroupBarEntry* entry) {
                w.serialBox->setText(entry->caption().section(':', 1).trimmed());
            });
        });
        const RunResult r = runScript(w,
                                      "waitentry \"Pano No: 12003\" 5000\n"
                                      "wait Edit111 \"\" 10\n"  // waiting for the entry did not click it
                                      "select \"Pano No: 12003\" 10\n"
                                      "wait Edit111 12003 1000\n");
        QVERIFY2(r.passed, qPrintable(r.failure));
    }

    // One duration per passed step, in step order, measured to the end of the
    // step: a sleep lasts its time, a click ends when its handler returns,
    // a click whose question is open ends when the next step begins.
    void timesEveryStepInOrder() {
        Windows w;
        w.login->close();
        int handled = 0;
        auto* slow = new QPushButton(w.main->centralWidget());
        slow->setObjectName("slow");
        connect(slow, &QPushButton::clicked, [&handled] {
            QTest::qSleep(150);
            ++handled;
        });
        const RunResult r = runScript(w,
                                      "sleep 120   # pause\n"
                                      "click slow\n"
                                      "answer Yes\n"
                                      "click ask\n"
                                      "wait result evet 3000\n");
        QVERIFY2(r.passed, qPrintable(r.failure));
        QCOMPARE(handled, 1);
        QCOMPARE(r.timings.size(), 5);
        for (int i = 0; i < r.timings.size(); ++i) QCOMPARE(r.timings[i].line, i + 1);
        QCOMPARE(r.timings[0].source, "sleep 120");
        QVERIFY(r.timings[0].nsecs >= 120'000'000);
        QVERIFY(r.timings[1].nsecs >= 150'000'000);
    }

    void failedStepsAreNotTimed() {
        Windows w;
        w.login->close();
        const RunResult r = runScript(w, "sleep 1\nwait result never 30\nsleep 1\n");
        QVERIFY(!r.passed);
        QCOMPARE(r.timings.size(), 1);
        QCOMPARE(r.timings[0].line, 1);
    }

    // The driver program against the real windows and merkez-sim on loopback.
    void driverLogsInSelectsAndRecords() {
        test::SimProcess sim;
        QVERIFY2(sim.port() != 0, "merkez-sim did not start");
        const QString port = QString::number(sim.port());

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const DriveRun run = runDrive(QByteArray("type Edit1 \"Çağrı Şenöz\"      # the login window is modal\n"
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
        QVERIFY2(run.out.contains("izleme-drive: 12 steps passed"), qPrintable(run.out));

        // The login window was open over the main window: both pictures.
        const QImage loginWindow(dir.filePath("login-FrmGiris.png"));
        const QImage behind(dir.filePath("login.png"));
        QVERIFY(!loginWindow.isNull() && !behind.isNull());
        QVERIFY(loginWindow.width() < behind.width() && loginWindow.height() < behind.height());
        QVERIFY(!QFile::exists(dir.filePath("main-FrmGiris.png")));
        QVERIFY(!QFile::exists(dir.filePath("failed.json")));

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

    // A failing step exits 1 with the line and why, after a snapshot of the
    // windows as they were (the login window was still open).
    void driverFailsWithTheLineAndWhy_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("failure");
        QTest::newRow("wait") << QByteArray("# first\nwait FrmGiris.Edit1 never 100   # nobody types\n")
                              << "script.txt:2: wait FrmGiris.Edit1 never 100: text is \"\"";
        QTest::newRow("unknown widget") << QByteArray("type FrmGiris.Edit1 x\nclick FrmGiris.Yok\n")
                                        << "script.txt:2: click FrmGiris.Yok: no widget or action named Yok";
        QTest::newRow("answer without a question")
            << QByteArray("type FrmGiris.Edit1 x\nanswer Yes 100\n")
            << "script.txt:2: answer Yes 100: no question was asked within 100 ms";
    }
    void driverFailsWithTheLineAndWhy() {
        QFETCH(QByteArray, script);
        QFETCH(QString, failure);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const DriveRun run = runDrive(script, dir.path());
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(failure), qPrintable(run.err));
        QVERIFY(!run.out.contains("passed"));
        QVERIFY(QImage(dir.filePath("failed.png")).width() > 200);
        QVERIFY(!QImage(dir.filePath("failed-FrmGiris.png")).isNull());
        const QJsonObject snapshot = readJson(dir.filePath("failed.json"));
        QCOMPARE(snapshot["label"].toString(), "failed");
        QCOMPARE(snapshot["modal"].toString(), "FrmGiris");
        QCOMPARE(snapshot["windows"]["FrmGiris"]["visible"].toBool(), true);
    }

    // A script that does not parse and a bad command line exit 2 before any
    // window opens: nothing is written.
    void driverRefusesBadScriptsAndOptions_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("why");
        QTest::newRow("unknown step") << QByteArray("sleep 1\nzzz\n") << QStringList{}
                                      << "script.txt:2: zzz: unknown step";
        QTest::newRow("argument count") << QByteArray("click\n") << QStringList{} << "script.txt:1: click: expects 1";
        QTest::newRow("unterminated quote")
            << QByteArray("type Edit1 \"a\n") << QStringList{} << "unterminated quoted text";
        QTest::newRow("unset variable") << QByteArray("type edtport ${IZLEME_NO_SUCH_VARIABLE}\n") << QStringList{}
                                        << "variable IZLEME_NO_SUCH_VARIABLE is not set";
        QTest::newRow("not UTF-8") << QByteArray("type Edit1 \xfe\n") << QStringList{} << "not UTF-8";
        QTest::newRow("bad answer") << QByteArray("answer Evet\n") << QStringList{} << "answer is Yes or No";
        QTest::newRow("unknown option") << QByteArray("sleep 1\n") << QStringList{"--fast"} << "Unknown option";
        QTest::newRow("bad timeout scale") << QByteArray("sleep 1\n") << QStringList{"--timeout-scale", "nan"}
                                           << "--timeout-scale takes a positive number";
        QTest::newRow("two scripts") << QByteArray("sleep 1\n") << QStringList{"other.txt"} << "usage:";
    }
    void driverRefusesBadScriptsAndOptions() {
        QFETCH(QByteArray, script);
        QFETCH(QStringList, options);
        QFETCH(QString, why);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const DriveRun run = runDrive(script, dir.path(), {}, options);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(why), qPrintable(run.err));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"script.txt"});
    }

    void driverCannotReadTheScript() {
        QProcess process;
        process.start(IZLEME_DRIVE_PATH, {"/nonexistent/izleme-script.txt"});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(process.readAllStandardError().contains("cannot read"));
    }

    // --timings prints one line per step as it passes; the count line is grammatical.
    void driverPrintsTimingsAndTheCount_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("count");
        QTest::newRow("one step") << QByteArray("sleep 50   # pause\n") << QStringList{"script.txt:1 sleep 50"}
                                  << "izleme-drive: 1 step passed;";
        QTest::newRow("two steps") << QByteArray("# a\nsleep 20\n\nsnapshot \"bir\"\n")
                                   << QStringList{"script.txt:2 sleep 20", "script.txt:4 snapshot \"bir\""}
                                   << "izleme-drive: 2 steps passed;";
    }
    void driverPrintsTimingsAndTheCount() {
        QFETCH(QByteArray, script);
        QFETCH(QStringList, steps);
        QFETCH(QString, count);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const DriveRun run = runDrive(script, dir.path(), {}, {"--timings"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        static const QRegularExpression timing("^(.*)/(script\\.txt:\\d+ .*) (\\d+\\.\\d{3}) ms$");
        QStringList timed;
        for (const QString& line : run.out.split('\n', Qt::SkipEmptyParts)) {
            const QRegularExpressionMatch m = timing.match(line);
            if (!m.hasMatch()) continue;
            timed << m.captured(2);
            if (m.captured(2).contains("sleep")) QVERIFY(m.captured(3).toDouble() >= 20.0);
        }
        QCOMPARE(timed, steps);
        QVERIFY2(run.out.contains(count), qPrintable(run.out));
    }
};

QTEST_MAIN(DriveScriptTest)
#include "drive_script.moc"
