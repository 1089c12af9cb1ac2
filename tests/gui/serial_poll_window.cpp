// The serial poll window on a fake serial port: its defaults, the read and
// write requests as the port sees them, the buttons held for the wait, the
// received bytes, the reply check and its register table, and the trace.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QtTest>
#include <cmath>

#include "app/ui/ActivityLamp.h"
#include "gui/shell_fixture.h"
#include "registers/core/ModbusRtu.h"
#include "registers/ui/TVD1KAL.h"
#include "support/FakePlatformServices.h"

using namespace izleme;

namespace {

QByteArray bytes(std::initializer_list<int> list) {
    QByteArray out;
    for (int b : list) out += static_cast<char>(b);
    return out;
}

QByteArray withCrc(QByteArray frame) {
    std::string s(frame.constData(), static_cast<std::size_t>(frame.size()));
    modbus::appendCrc(s);
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

// A function 3 reply from slave 1 carrying these registers.
QByteArray registerReply(const QList<int>& registers) {
    QByteArray frame = bytes({1, 3, static_cast<int>(registers.size() * 2)});
    for (int r : registers) frame += bytes({r >> 8 & 0xFF, r & 0xFF});
    return withCrc(frame);
}

// Registers 0..79 of device row 1, the no-value mark as -1.
QList<double> rowOne(const RegisterTable& table) {
    QList<double> out;
    for (int r = 0; r < 80; ++r) out << (std::isnan(table.value(1, r)) ? -1 : table.value(1, r));
    return out;
}

QByteArray joined(const QList<QByteArray>& writes) {
    QByteArray all;
    for (const QByteArray& w : writes) all += w;
    return all;
}

struct Window {
    FakePlatform fake;
    std::unique_ptr<TVD1KAL> window;
    FakeSerialPort* port = nullptr;
    int lampFlips = 0;

    Window() {
        auto services = fake.services();
        services->serialPortNames = [] { return QStringList{"ttyS0", "ttyUSB0"}; };
        window = std::make_unique<TVD1KAL>(services);
        window->setLampFlip([this] { ++lampFlips; });
        port = fake.ports->at(0);
    }
    TVD1KAL& w() { return *window; }
    // The frame the port got, checking it came one byte per write.
    QByteArray sent() const {
        for (const QByteArray& write : port->written)
            if (write.size() != 1) return QByteArray("not byte by byte");
        return joined(port->written);
    }
    bool waitOver() {
        return QTest::qWaitFor([&] { return window->Button1->isEnabled() && window->Button2->isEnabled(); }, 10000);
    }
};

}  // namespace

class SerialPollWindowTest : public QObject {
    Q_OBJECT

private slots:
    void defaults() {
        Window f;
        TVD1KAL& w = f.w();
        QCOMPARE(w.windowTitle(), QStringLiteral("KRT100"));
        QCOMPARE(w.Edit1->text(), QStringLiteral("1"));
        QVERIFY(w.Edit1->font().bold());
        QCOMPARE(w.Edit2->text(), QStringLiteral("0"));
        QCOMPARE(w.Edit3->text(), QStringLiteral("70"));
        for (QLineEdit* b : {w.b1, w.b2, w.b3, w.b4}) QCOMPARE(b->text(), QStringLiteral("255"));
        QCOMPARE(w.Edit4->text(), QStringLiteral("Edit4"));
        QCOMPARE(w.Label2->text(), QStringLiteral("Mesaj..."));
        QCOMPARE(w.Button1->text(), QStringLiteral("Oku"));
        QCOMPARE(w.Button2->text(), QStringLiteral("Button2"));

        // The port: the machine's ports to pick from, "COM5" until another is picked or typed.
        QVERIFY(w.cmbPort->isEditable());
        QCOMPARE(w.cmbPort->currentText(), QStringLiteral("COM5"));
        QCOMPARE(w.cmbPort->count(), 2);
        QCOMPARE(w.cmbPort->itemText(1), QStringLiteral("ttyUSB0"));
        FakeSerialPort& p = *f.port;
        QCOMPARE(p.portName(), QStringLiteral("COM5"));
        QCOMPARE(p.baudRate(), 9600);
        QCOMPARE(p.dataBits(), 8);
        QCOMPARE(p.parity(), SerialPort::Parity::None);
        QCOMPARE(p.stopBits(), 1);
        QVERIFY(p.dtr() && p.rts() && p.flowControlOff);
        QCOMPARE(p.opens, 0);  // closed until the first request
        QVERIFY(!p.isOpen());
    }

    // The default read: the frame byte by byte, the request text, the buttons
    // held for the wait, then 145 bytes back: the receive text, "Normal",
    // "CRC doğru" and 70 registers in the window's table.
    void readRequestAndItsReply() {
        Window f;
        TVD1KAL& w = f.w();
        const QList<double> before = rowOne(w.table);
        w.Edit2->setText(QStringLiteral("5"));
        QTest::mouseClick(w.Button1, Qt::LeftButton);
        QCOMPARE(f.port->closes, 1);
        QCOMPARE(f.port->opens, 1);
        QCOMPARE(f.sent(), bytes({0x01, 0x03, 0x00, 0x05, 0x00, 0x46, 0xD4, 0x39}));
        QCOMPARE(w.Edit4->text(), QStringLiteral("01 03 00 05 00 46 D4 39"));
        QCOMPARE(w.table.cursor(), 5);
        QVERIFY(!w.Button1->isEnabled());
        QVERIFY(!w.Button2->isEnabled());

        QList<int> registers;
        for (int i = 0; i < 70; ++i) registers << (i == 69 ? 0xBEEF : i * 7);
        const QByteArray reply = registerReply(registers);
        QCOMPARE(reply.size(), 145);
        f.port->feed(reply.left(100));  // the reply may come in pieces
        f.port->feed(reply.mid(100));
        QCOMPARE(w.Label2->text(), QStringLiteral("Normal"));
        QCOMPARE(f.lampFlips, 2);
        const QString text = QString::fromStdString(w.serialReceiveText());
        QVERIFY(text.startsWith(QStringLiteral("1$3$140$0$0$0$7$")));
        QCOMPARE(text.count(QLatin1Char('$')), 145);
        QVERIFY(text.endsWith(QStringLiteral("190$239$") + QString::number(static_cast<unsigned char>(reply[143])) +
                              QLatin1Char('$') + QString::number(static_cast<unsigned char>(reply[144])) +
                              QLatin1Char('$')));

        QVERIFY(f.waitOver());
        QCOMPARE(w.Label2->text(), QStringLiteral("CRC doğru"));
        QCOMPARE(w.tblRegisters->rowCount(), 70);
        QCOMPARE(w.tblRegisters->item(0, 0)->text(), QStringLiteral("5"));
        QCOMPARE(w.tblRegisters->item(1, 1)->text(), QStringLiteral("7"));
        QCOMPARE(w.tblRegisters->item(69, 0)->text(), QStringLiteral("74"));
        QCOMPARE(w.tblRegisters->item(69, 1)->text(), QStringLiteral("48879"));
        QCOMPARE(w.tblRegisters->item(69, 2)->text(), QStringLiteral("BEEF"));
        // The register table of the main window keeps what it had.
        QCOMPARE(rowOne(w.table), before);
    }

    void replyChecks_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("status");
        QByteArray badCrc = registerReply({1, 2});
        badCrc[badCrc.size() - 1] = static_cast<char>(badCrc.back() ^ 0x40);
        QByteArray swapped = registerReply({1, 2});
        std::swap(swapped[swapped.size() - 1], swapped[swapped.size() - 2]);
        QTest::newRow("no reply") << QByteArray() << "Yanıt yok";
        QTest::newRow("bad CRC") << badCrc << "CRC hatalı";
        QTest::newRow("CRC bytes swapped") << swapped << "CRC hatalı";
        QTest::newRow("a reply cut short") << registerReply({1, 2}).left(6) << "CRC hatalı";
        QTest::newRow("illegal data address") << withCrc(bytes({1, 0x83, 2})) << "Modbus hata kodu: 2";
        // The default read asks slave 1 for 70 registers.
        QTest::newRow("another slave's reply") << withCrc(bytes({2, 3, 2, 0, 1})) << "CRC doğru";
        QTest::newRow("fewer registers than asked") << registerReply({1, 2}) << "CRC doğru";
        QTest::newRow("byte count beyond the frame") << withCrc(bytes({1, 3, 8, 0, 1})) << "CRC doğru";
        // A line that babbles: a good frame at the end of more bytes than any reply holds.
        QTest::newRow("more than any reply") << QByteArray(2000, '\x55') + registerReply({1, 2}) << "CRC hatalı";
    }

    // Only a whole, well-checked function 3 reply fills the table.
    void replyChecks() {
        QFETCH(QByteArray, reply);
        QFETCH(QString, status);
        Window f;
        TVD1KAL& w = f.w();
        QTest::mouseClick(w.Button1, Qt::LeftButton);
        if (!reply.isEmpty()) f.port->feed(reply);
        QVERIFY(f.waitOver());
        QCOMPARE(w.Label2->text(), status);
        QCOMPARE(w.tblRegisters->rowCount(), 0);
    }

    // The write request: slave 1 whatever the address box holds, the register
    // and data boxes' low 8 bits, the request text left alone, a wait too.
    void writeRequest() {
        Window f;
        TVD1KAL& w = f.w();
        w.Edit1->setText(QStringLiteral("7"));
        w.Edit2->setText(QStringLiteral("300"));
        w.b2->setText(QStringLiteral("-1"));
        w.b3->setText(QStringLiteral("256"));
        w.b4->setText(QStringLiteral("18"));
        f.port->failingWrites = {2};  // the third byte's write fails: the rest still goes
        QTest::mouseClick(w.Button2, Qt::LeftButton);
        std::string expected = modbus::writeRequest(44, 255, 255, 0, 18);
        QCOMPARE(f.port->writeCalls, 10);
        expected.erase(2, 1);
        QCOMPARE(f.sent(), QByteArray::fromStdString(expected));
        QCOMPARE(w.Edit4->text(), QStringLiteral("Edit4"));
        QCOMPARE(w.table.cursor(), 300);
        QVERIFY(!w.Button1->isEnabled());

        // A click while the buttons are held sends nothing.
        w.Button1Click();
        QCOMPARE(f.port->writeCalls, 10);

        f.port->feed(QByteArray::fromStdString(modbus::writeRequest(44, 255, 255, 0, 18)));
        QVERIFY(f.waitOver());
        QCOMPARE(w.Label2->text(), QStringLiteral("CRC doğru"));
        QCOMPARE(w.tblRegisters->rowCount(), 0);
    }

    void boxesThatHoldNoInteger_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("read");
        QTest::newRow("address") << "Edit1" << true;
        QTest::newRow("first register, read") << "Edit2" << true;
        QTest::newRow("first register, write") << "Edit2" << false;
        QTest::newRow("count") << "Edit3" << true;
        QTest::newRow("data byte") << "b3" << false;
    }

    // The sequence stops at the box: the port was opened again, but nothing
    // is sent or shown and no wait holds the buttons.
    void boxesThatHoldNoInteger() {
        QFETCH(QString, box);
        QFETCH(bool, read);
        Window f;
        TVD1KAL& w = f.w();
        w.findChild<QLineEdit*>(box)->setText(QStringLiteral("12a"));
        QTest::mouseClick(read ? w.Button1 : w.Button2, Qt::LeftButton);
        QCOMPARE(f.port->opens, 1);
        QVERIFY(f.port->written.isEmpty());
        QCOMPARE(w.Edit4->text(), QStringLiteral("Edit4"));
        QCOMPARE(w.Label2->text(), QStringLiteral("Mesaj..."));
        QVERIFY(w.Button1->isEnabled() && w.Button2->isEnabled());
        QCOMPARE(w.lstTrace->count(), 0);
    }

    void portThatCannotBeOpened() {
        Window f;
        TVD1KAL& w = f.w();
        w.cmbPort->setEditText(QStringLiteral("/dev/yok"));
        f.port->failOpen = true;
        QTest::mouseClick(w.Button1, Qt::LeftButton);
        QCOMPARE(f.port->portName(), QStringLiteral("/dev/yok"));
        QCOMPARE(w.Label2->text(), QStringLiteral("Port açılamadı: /dev/yok"));
        QVERIFY(f.port->written.isEmpty());
        QVERIFY(w.Button1->isEnabled());

        // A picked port is used by the next request.
        f.port->failOpen = false;
        w.cmbPort->setCurrentIndex(1);
        QTest::mouseClick(w.Button1, Qt::LeftButton);
        QCOMPARE(f.port->portName(), QStringLiteral("ttyUSB0"));
        QCOMPARE(f.sent().size(), 8);
    }

    // Received bytes: a failed read says "Hatatata" and the next good event
    // "Normal" again; an event of 300 bytes appends all of them; a new
    // request starts the text over.
    void receivedBytes() {
        Window f;
        TVD1KAL& w = f.w();
        f.port->failRead = true;
        f.port->feed(bytes({9}));
        QCOMPARE(w.Label2->text(), QStringLiteral("Hatatata"));
        QCOMPARE(f.lampFlips, 0);
        QVERIFY(w.serialReceiveText().empty());
        f.port->failRead = false;

        QByteArray many;
        for (int i = 0; i < 299; ++i) many += static_cast<char>(i);
        f.port->feed(many);  // 300 waiting, the failed byte included
        QCOMPARE(w.Label2->text(), QStringLiteral("Normal"));
        const QString text = QString::fromStdString(w.serialReceiveText());
        QCOMPARE(text.count(QLatin1Char('$')), 300);
        QVERIFY(text.startsWith(QStringLiteral("9$0$1$")));
        QVERIFY(text.endsWith(QStringLiteral("$41$42$")));

        QTest::mouseClick(w.Button1, Qt::LeftButton);
        QVERIFY(w.serialReceiveText().empty());
        f.port->feed(bytes({1, 2}));
        QVERIFY(f.waitOver());
        QTest::mouseClick(w.Button1, Qt::LeftButton);
        f.port->feed(bytes({7}));
        QCOMPARE(w.serialReceiveText(), std::string("7$"));

        // Parsing a server reply empties it.
        w.clearSerialReceiveText();
        QVERIFY(w.serialReceiveText().empty());
    }

    // Each request and each received chunk is one trace line with its time to
    // the millisecond; the trace keeps the most recent 1,000 lines.
    void trace() {
        Window f;
        TVD1KAL& w = f.w();
        QTest::mouseClick(w.Button1, Qt::LeftButton);
        f.port->feed(bytes({1, 0x83, 2}));
        QCOMPARE(w.lstTrace->count(), 2);
        const QRegularExpression line(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d  (Giden|Gelen)  (.*)$"));
        const auto request = line.match(w.lstTrace->item(0)->text());
        QVERIFY2(request.hasMatch(), qPrintable(w.lstTrace->item(0)->text()));
        QCOMPARE(request.captured(1), QStringLiteral("Giden"));
        QCOMPARE(request.captured(2), QStringLiteral("01 03 00 00 00 46 C4 38"));
        const auto reply = line.match(w.lstTrace->item(1)->text());
        QVERIFY(reply.hasMatch());
        QCOMPARE(reply.captured(1), QStringLiteral("Gelen"));
        QCOMPARE(reply.captured(2), QStringLiteral("01 83 02"));

        for (int i = 0; i < TVD1KAL::traceCapacity + 5; ++i) f.port->feed(bytes({i & 0xFF}));
        QCOMPARE(w.lstTrace->count(), TVD1KAL::traceCapacity);
        QVERIFY(w.lstTrace->item(0)->text().endsWith(QStringLiteral("Gelen  05")));
        QVERIFY(w.lstTrace->item(TVD1KAL::traceCapacity - 1)->text().endsWith(QStringLiteral("Gelen  EC")));
    }

    void controlsWithoutAction() {
        Window f;
        TVD1KAL& w = f.w();
        QTest::mouseClick(w.Button3, Qt::LeftButton);
        QTest::mouseClick(w.Button4, Qt::LeftButton);
        QTest::keyClicks(w.Memo2, QStringLiteral("x"));
        QCOMPARE(f.port->opens, 0);
        QVERIFY(f.port->written.isEmpty());
        QCOMPARE(w.Label2->text(), QStringLiteral("Mesaj..."));
    }

    // In the whole program the received bytes flip bit 7 of the lamp's colour
    // value (red's top bit), and the main window works on during the wait.
    void inTheProgram() {
        ShellFixture shell;
        TVD1KAL& w = *shell.forms.VD1KAL;
        ActivityLamp& lamp = *shell.ana().Shape1;
        lamp.setBrushColor(Qt::white);
        shell.ana().Veri1->trigger();
        QVERIFY(w.isVisible());
        QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QTest::mouseClick(w.Button1, Qt::LeftButton);
        shell.fake.ports->at(0)->feed(bytes({1}));
        QCOMPARE(lamp.brushColor(), QColor(0x7F, 0xFF, 0xFF));
        shell.fake.ports->at(0)->feed(bytes({2}));
        QCOMPARE(lamp.brushColor(), QColor(Qt::white));
        // The main window's one-second timer still runs while the buttons are held.
        QVERIFY(!w.Button1->isEnabled());
        QSignalSpy tick(shell.ana().Timer3, &QTimer::timeout);
        QVERIFY(tick.wait(5000));
    }
};

QTEST_MAIN(SerialPollWindowTest)
#include "serial_poll_window.moc"
