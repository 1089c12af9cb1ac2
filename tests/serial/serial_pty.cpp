// The serial poll window against Modbus RTU slaves over a pseudo-terminal
// pair that socat makes: the window opens one end through the machine's real
// serial port, a slave runs on the other. A standard slave (libmodbus) answers
// the default read and rejects what it must; a slave of our own takes the
// four-byte write frame, answers with a wrong CRC, or not at all.
#include <fcntl.h>
#include <unistd.h>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdlib>
#include <memory>

#include "registers/ui/TVD1KAL.h"
#include "toolkit/ui/PlatformServices.h"

using namespace izleme;

namespace {

// A process of the test that ends with it: asked to stop, then killed.
struct Child {
    QProcess process;
    ~Child() {
        if (process.state() == QProcess::NotRunning) return;
        process.terminate();
        if (!process.waitForFinished(3000)) process.kill();
        process.waitForFinished(2000);
    }
    // Waits for a line of its output that starts with `prefix`; the line, or nothing.
    QString waitForLine(const QString& prefix, int ms = 10000) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            while (process.canReadLine()) {
                const QString line = QString::fromUtf8(process.readLine()).trimmed();
                if (line.startsWith(prefix)) return line;
            }
            if (process.state() == QProcess::NotRunning) return {};
            process.waitForReadyRead(100);
        }
        return {};
    }
};

bool pseudoTerminalsAvailable() {
    const int fd = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

// A pseudo-terminal pair joined by socat, and the window on its client end.
struct Line {
    QTemporaryDir dir;
    Child socat;
    Child slave;
    std::unique_ptr<TVD1KAL> window;
    QString client, device;

    bool start(const QString& slaveProgram, const QStringList& slaveArgs) {
        if (!dir.isValid()) return false;
        // Unique names: the port's lock file is named after them.
        const QString tag = QString::number(QCoreApplication::applicationPid());
        client = dir.filePath(QStringLiteral("client-") + tag);
        device = dir.filePath(QStringLiteral("device-") + tag);
        socat.process.setProgram(QStandardPaths::findExecutable(QStringLiteral("socat")));
        socat.process.setArguments(
            {QStringLiteral("pty,raw,echo=0,link=") + client, QStringLiteral("pty,raw,echo=0,link=") + device});
        socat.process.start();
        if (!socat.process.waitForStarted(10000)) return false;
        if (!QTest::qWaitFor([&] { return QFileInfo::exists(client) && QFileInfo::exists(device); }, 10000))
            return false;
        slave.process.setProgram(slaveProgram);
        slave.process.setArguments(QStringList{device} + slaveArgs + QStringList{QStringLiteral("120")});
        slave.process.start();
        if (slave.waitForLine(QStringLiteral("ready")).isEmpty()) return false;
        window = std::make_unique<TVD1KAL>(PlatformServices::real());
        window->cmbPort->setEditText(client);
        return true;
    }

    // Clicks a request button and waits for its wait to end.
    bool request(QPushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        if (window->Button1->isEnabled()) return false;  // nothing went out
        return QTest::qWaitFor([&] { return window->Button1->isEnabled(); }, 10000);
    }
};

}  // namespace

class SerialPtyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!pseudoTerminalsAvailable()) QSKIP("no pseudo-terminals on this platform");
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("socat")).isEmpty(),
                 "socat is missing: scripts/setup installs it");
    }

    // The default read: 145 bytes with the right CRC, 70 registers; two
    // requests in a row keep the second reply only; an exception reply.
    void standardSlave() {
        Line line;
        QVERIFY(line.start(QStringLiteral(MODBUS_RTU_SLAVE_PATH), {}));
        TVD1KAL& w = *line.window;
        QVERIFY(line.request(w.Button1));
        QCOMPARE(w.Label2->text(), QStringLiteral("CRC doğru"));
        const QString text = QString::fromStdString(w.serialReceiveText());
        QVERIFY2(text.startsWith(QStringLiteral("1$3$140$3$232$3$235$")), qPrintable(text));
        QCOMPARE(text.count(QLatin1Char('$')), 145);
        QCOMPARE(w.tblRegisters->rowCount(), 70);
        for (int row : {0, 1, 69}) {
            QCOMPARE(w.tblRegisters->item(row, 0)->text(), QString::number(row));
            QCOMPARE(w.tblRegisters->item(row, 1)->text(), QString::number(1000 + 3 * row));
        }
        QCOMPARE(w.tblRegisters->item(0, 2)->text(), QStringLiteral("03E8"));
        QVERIFY(w.lstTrace->item(0)->text().endsWith(QStringLiteral("Giden  01 03 00 00 00 46 C4 38")));
        QVERIFY(w.lstTrace->item(1)->text().contains(QStringLiteral("Gelen  01 03 8C 03 E8")));

        // Registers 90..109: beyond the slave's 100, "illegal data address".
        w.Edit2->setText(QStringLiteral("90"));
        w.Edit3->setText(QStringLiteral("20"));
        QVERIFY(line.request(w.Button1));
        QCOMPARE(w.Label2->text(), QStringLiteral("Modbus hata kodu: 2"));
        QVERIFY(QString::fromStdString(w.serialReceiveText()).startsWith(QStringLiteral("1$131$2$")));
        QCOMPARE(QString::fromStdString(w.serialReceiveText()).count(QLatin1Char('$')), 5);
        QCOMPARE(w.tblRegisters->rowCount(), 0);

        // The four-byte write frame is no Modbus frame: the standard slave
        // rejects it and says nothing.
        QVERIFY(line.request(w.Button2));
        QCOMPARE(w.Label2->text(), QStringLiteral("Yanıt yok"));
        QVERIFY(!line.slave.waitForLine(QStringLiteral("rejected")).isEmpty());
    }

    void ownSlave_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("slaveGot");
        QTest::newRow("the four-byte write frame") << "echo" << true << "CRC doğru"
                                                   << "got 01 06 00 00 FF FF FF FF E6 53";
        QTest::newRow("a reply with a wrong CRC") << "bad-crc" << false << "CRC hatalı"
                                                  << "got 01 03 00 00 00 46 C4 38";
        QTest::newRow("no reply at all") << "silent" << false << "Yanıt yok"
                                         << "got 01 03 00 00 00 46 C4 38";
    }

    void ownSlave() {
        QFETCH(QString, mode);
        QFETCH(bool, write);
        QFETCH(QString, status);
        QFETCH(QString, slaveGot);
        Line line;
        QVERIFY(line.start(QStringLiteral(OWN_RTU_SLAVE_PATH), {mode}));
        TVD1KAL& w = *line.window;
        QVERIFY(line.request(write ? w.Button2 : w.Button1));
        QCOMPARE(line.slave.waitForLine(QStringLiteral("got")), slaveGot);
        QCOMPARE(w.Label2->text(), status);
        QCOMPARE(w.tblRegisters->rowCount(), 0);
        if (mode == QStringLiteral("bad-crc"))
            QCOMPARE(QString::fromStdString(w.serialReceiveText()).count(QLatin1Char('$')), 145);
    }

    void portThatCannotBeOpened() {
        QTemporaryDir dir;
        TVD1KAL w(PlatformServices::real());
        const QString missing = dir.filePath(QStringLiteral("none"));
        w.cmbPort->setEditText(missing);
        QTest::mouseClick(w.Button1, Qt::LeftButton);
        QCOMPARE(w.Label2->text(), QStringLiteral("Port açılamadı: ") + missing);
        QVERIFY(w.Button1->isEnabled());
    }
};

QTEST_MAIN(SerialPtyTest)
#include "serial_pty.moc"
