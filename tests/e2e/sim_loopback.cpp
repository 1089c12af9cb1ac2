// merkez-sim over real loopback sockets: the contract of each request, the
// scenario file, reproducibility under a seed, and every fault option.
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include "registers/core/Crc16.h"
#include "support/SimProcess.h"

namespace {

const QByteArray terminator("\xF4\xF4\xF4");
const QByteArray demoLogin = QByteArray("kulsifre\x01" "demo\x01" "demo\x02") + terminator;

QByteArray request(const QByteArray& keyword, const QList<QByteArray>& fields) {
    QByteArray r = keyword + '\x01';
    for (const auto& f : fields) r += f + '\x01';
    return r + terminator;
}

// merkez-sim without the periodic records, so that only replies arrive.
struct Sim : izleme::test::SimProcess {
    explicit Sim(const QStringList& extra) : SimProcess(QStringList{"--records-every", "0"} + extra) {}
};

// A small client: sends a request and collects bytes until `messages`
// terminators arrived, the peer closed, or a pause of `quietMs`.
class Client {
public:
    explicit Client(quint16 port) {
        socket.connectToHost(QStringLiteral("127.0.0.1"), port);
        socket.waitForConnected(5000);
    }
    QByteArray exchange(const QByteArray& bytes, int messages, int quietMs = 3000) {
        if (!bytes.isEmpty()) socket.write(bytes);
        QByteArray got;
        reads = 0;
        while (got.count(terminator) < messages) {
            if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(quietMs)) break;
            got += socket.readAll();
            ++reads;
        }
        return got;
    }
    QTcpSocket socket;
    int reads = 0;
};

QList<QByteArray> splitMessages(const QByteArray& bytes) {
    QList<QByteArray> out = bytes.split('\xF4');
    out.removeAll(QByteArray());
    return out;
}

// The register bytes of an "enerjial" reply and whether its CRC is right.
bool registerReplyValid(const QByteArray& message, int registers) {
    if (!message.startsWith("enerjial")) return false;
    const QList<QByteArray> numbers = message.mid(11).split('$');
    std::string frame;
    QList<int> bytes;
    for (int i = 0; i + 1 < numbers.size(); ++i) bytes << numbers[i].toInt();
    if (bytes.size() != 3 + 2 * registers + 2 || bytes[1] != 3 || bytes[2] != 2 * registers) return false;
    for (int i = 0; i + 2 < bytes.size(); ++i) frame.push_back(static_cast<char>(bytes[i]));
    const std::uint16_t crc = izleme::crc16Modbus(frame);
    return bytes[bytes.size() - 2] == (crc & 0xFF) && bytes.back() == (crc >> 8);
}

}  // namespace

class SimLoopback : public QObject {
    Q_OBJECT
private slots:
    void loginListsDevicesAndAnnouncesMessages() {
        Sim sim({});
        QVERIFY(sim.port() != 0);
        Client c(sim.port());
        const QList<QByteArray> m = splitMessages(c.exchange(demoLogin, 7));
        QCOMPARE(m.size(), 7);
        QCOMPARE(m[0], QByteArray("pong\x01"));
        int cihazlar = 0;
        for (const auto& x : m) cihazlar += x.startsWith("cihazlar\x01");
        QCOMPARE(cihazlar, 5);
        QCOMPARE(m[6], QByteArray("yenimesaj\x01"));
        QCOMPARE(splitMessages(c.exchange(QByteArray("ping") + terminator, 1)), QList<QByteArray>{"pong\x01"});
    }

    void wrongLoginClosesTheConnection() {
        Sim sim({});
        Client c(sim.port());
        const QByteArray got = c.exchange(QByteArray("kulsifre\x01" "demo\x01" "x\x02") + terminator, 1);
        QVERIFY(got.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(c.socket.state(), QAbstractSocket::UnconnectedState, 5000);
    }

    void requestsGetTheirReplies() {
        Sim sim({"--seed", "3"});
        Client c(sim.port());
        c.exchange(demoLogin, 7);
        const struct {
            QByteArray keyword;
            QByteArray serial;
            int registers;
        } data[] = {{"enertum", "12001", 68}, {"enertum", "13001", 12}, {"tavrsabitiste", "12002", 15},
                    {"kondasatordurum", "12001", 2}, {"kondasatorgucdurum", "12001", 26}, {"harmonikuc", "12001", 64}};
        for (const auto& d : data) {
            const QList<QByteArray> m = splitMessages(c.exchange(request(d.keyword, {d.serial}), 1));
            QVERIFY2(m.size() == 1 && registerReplyValid(m[0], d.registers), d.keyword.constData());
        }
        const QList<QByteArray> consumption = splitMessages(c.exchange(request("enerharcanan", {"12001"}), 2));
        QCOMPARE(consumption.size(), 2);
        QVERIFY(consumption[0].startsWith("Sycdegerleri\x01"));
        QVERIFY(registerReplyValid(consumption[1], 20));
        QCOMPARE(splitMessages(c.exchange(request("enertum", {"12003"}), 1)), QList<QByteArray>{"Hattayok\x01" "12003\x01"});
        QCOMPARE(splitMessages(c.exchange(request("yenimesajiste", {"demo"}), 3)).size(), 3);
        QCOMPARE(splitMessages(c.exchange(request("AARdegerlerioku", {"13001"}), 1))[0].count('\x01'), 8);
        QCOMPARE(splitMessages(c.exchange(request("sycreaktfener", {"14001", "", ""}), 1))[0].count('\x01'), 10);
        const QByteArray readout = c.exchange(request("sayac", {"14001", "tdshyr", "kythyr"}), 1);
        QVERIFY(readout.startsWith("sayacal"));
        QVERIFY(readout.contains("1.8.0(") && readout.contains("8.8.0("));
        // A stage command changes what a later read returns.
        c.exchange(request("kondansatorcek", {"12001", "14", "0", "0"}) + request("kondansatorcek", {"12001", "15", "0", "0"}) +
                       request("kondansatorcek", {"12001", "15", "255", "0"}) + request("kondansatorcek", {"12001", "2", "255", "0"}),
                   1, 300);
        const QByteArray state = c.exchange(request("kondasatordurum", {"12001"}), 1);
        QVERIFY2(state.contains("$3$4$0$0$0$4$"), state.constData());
    }

    void sameSeedSameBytes() {
        auto session = [](const QStringList& args) {
            Sim sim(args);
            Client c(sim.port());
            QByteArray all = c.exchange(demoLogin, 7);
            for (const QByteArray& r : {request("enertum", {"12001"}), request("harmonikbir", {"12002"}), request("AARdegerlerioku", {"13001"})})
                all += c.exchange(r, 1);
            return all;
        };
        const QByteArray a = session({"--seed", "77"});
        QVERIFY(!a.isEmpty());
        QCOMPARE(session({"--seed", "77"}), a);
        QVERIFY(session({"--seed", "78"}) != a);
        // The shipped scenario file is the built-in one.
        QCOMPARE(session({"--seed", "77", "--scenario", IZLEME_SOURCE_DIR "/sim/scenarios/demo.json"}), a);
    }

    void shippedScenarioEqualsBuiltIn() {
        QProcess p;
        p.start(QStringLiteral(MERKEZ_SIM_PATH), {"--dump-scenario"});
        QVERIFY(p.waitForFinished(10000));
        QFile file(IZLEME_SOURCE_DIR "/sim/scenarios/demo.json");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QJsonDocument::fromJson(file.readAll()), QJsonDocument::fromJson(p.readAllStandardOutput()));
    }

    void scenarioFileIsChecked_data() {
        QTest::addColumn<QByteArray>("json");
        const QByteArray account = R"("accounts": [{"user": "u", "devices": ["12001"]}])";
        auto with = [&](const char* device) { return "{" + account + R"(, "devices": [)" + device + "]}"; };
        QTest::newRow("not json") << QByteArray("# merkez-sim");
        QTest::newRow("no account") << QByteArray(R"({"devices": []})");
        QTest::newRow("no model") << with(R"({"serial": "12001"})");
        QTest::newRow("unknown model") << with(R"({"serial": "12001", "model": "KRT200"})");
        QTest::newRow("serial with letters") << with(R"({"serial": "A12001", "model": "KRT100"})");
        QTest::newRow("serial of ten digits") << with(R"({"serial": "1234567890", "model": "KRT100"})");
        QTest::newRow("colon in name") << with(R"({"serial": "12001", "model": "KRT100", "name": "Pano: 1"})");
        QTest::newRow("load cos 0") << with(R"({"serial": "12001", "model": "KRT100", "loadCos": 0})");
        QTest::newRow("thirteen stages") << with(R"({"serial": "12001", "model": "KRT100", "stageKvar": [1,1,1,1,1,1,1,1,1,1,1,1,1]})");
        QTest::newRow("peak above 100 MW") << with(R"({"serial": "12001", "model": "KLM200", "peakKw": 1e300})");
        QTest::newRow("stage phase 5") << with(R"({"serial": "12001", "model": "KRT100", "stagePhase": [5]})");
        QTest::newRow("good") << with(R"({"serial": "123456789", "model": "ZDN100", "name": "Sayaç No 1"})");
    }

    void scenarioFileIsChecked() {
        QFETCH(QByteArray, json);
        QTemporaryDir dir;
        QFile file(dir.filePath("scenario.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(json);
        file.close();
        QProcess p;
        p.start(QStringLiteral(MERKEZ_SIM_PATH), {"--port", "0", "--exit-after", "1", "--scenario", file.fileName()});
        QVERIFY(p.waitForFinished(10000));
        const bool good = QByteArray(QTest::currentDataTag()) == "good";
        QCOMPARE(p.exitCode(), good ? 0 : 2);
        QCOMPARE(p.readAllStandardOutput().startsWith("listening on 127.0.0.1:"), good);
    }

    void splitAndGluedRepliesCarryTheSameBytes() {
        auto login = [](const QStringList& faults, int* reads) {
            Sim sim(QStringList{"--seed", "5"} + faults);
            Client c(sim.port());
            QByteArray got = c.exchange(demoLogin, 7);
            got += c.exchange(request("enertum", {"12001"}), 1);
            if (reads) *reads = c.reads;
            return got;
        };
        const QByteArray clean = login({}, nullptr);
        int reads = 0;
        QCOMPARE(login({"--split-writes", "8", "--split-delay", "3"}, &reads), clean);
        QVERIFY(reads > 5);  // the register reply alone came in many pieces
        QCOMPARE(login({"--glue", "8"}, nullptr), clean);
    }

    void garbageMatchesNoKeyword() {
        Sim sim({"--seed", "5", "--garbage", "5"});
        Client c(sim.port());
        const QByteArray got = c.exchange(demoLogin, 7);
        QVERIFY(!got.startsWith("pong"));
        QByteArray stripped = got;
        for (char g : QByteArray("#%&*+=?@~^|")) stripped.replace(g, QByteArray());
        QVERIFY(stripped.startsWith("pong\x01\xF4\xF4\xF4" "cihazlar\x01"));
        QCOMPARE(stripped.count("cihazlar\x01"), 5);
    }

    void dropAfterClosesAfterThatManyMessages() {
        Sim sim({"--drop-after", "3"});
        Client c(sim.port());
        const QByteArray got = c.exchange(demoLogin, 7);
        QCOMPARE(got.count(terminator), 3);
        QTRY_COMPARE_WITH_TIMEOUT(c.socket.state(), QAbstractSocket::UnconnectedState, 5000);
    }

    void delayHoldsReplies() {
        Sim sim({"--delay", "400"});
        Client c(sim.port());
        QElapsedTimer t;
        t.start();
        QCOMPARE(c.exchange(QByteArray("ping") + terminator, 1), QByteArray("pong\x01") + terminator);
        QVERIFY(t.elapsed() >= 380);
    }

    void floodSendsTheBoundedExtraMessages() {
        Sim sim({"--flood", "200"});
        Client c(sim.port());
        const QByteArray got = c.exchange(demoLogin, 7 + 200);
        QCOMPARE(got.count(terminator), 207);
        QVERIFY(c.exchange(QByteArray(), 1, 300).isEmpty());  // and no more
    }

    void generatedDevicesListAtLoginAndAnswer() {
        Sim sim({"--devices", "10000"});
        Client c(sim.port());
        const QByteArray got = c.exchange(demoLogin, 1 + 5 + 10000 + 1, 10000);
        QCOMPARE(got.count("cihazlar\x01"), 10005);
        QVERIFY(
            got.contains("\x01"
                         "2009999\x01"));
        const QList<QByteArray> reply = splitMessages(c.exchange(request("enertum", {"2000001"}), 1));
        QCOMPARE(reply.size(), 1);
        QVERIFY(registerReplyValid(reply[0], 68));
    }

    void dumpedGeneratedScenarioServesTheSameBytes() {
        QProcess p;
        p.start(QStringLiteral(MERKEZ_SIM_PATH), {"--devices", "30", "--dump-scenario"});
        QVERIFY(p.waitForFinished(10000));
        QTemporaryDir dir;
        QFile file(dir.filePath("big.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(p.readAllStandardOutput());
        file.close();
        auto session = [](const QStringList& extra) {
            Sim sim(QStringList{"--seed", "5"} + extra);
            Client c(sim.port());
            QByteArray all = c.exchange(demoLogin, 1 + 5 + 30 + 1);
            for (const char* serial : {"2000000", "2000005", "2000029"})
                all += c.exchange(request("enertum", {serial}), 1);
            all += c.exchange(request("sayac", {"2000005", "tdsEvt", "kythyr"}), 2);
            return all;
        };
        const QByteArray generated = session({"--devices", "30"});
        QCOMPARE(generated.count("cihazlar\x01"), 35);
        QCOMPARE(session({"--scenario", file.fileName()}), generated);
    }

    void floodStreamsWhileOthersAreServed() {
        constexpr int flood = 1000000;
        Sim sim({"--flood", QString::number(flood)});
        Client flooded(sim.port());
        flooded.socket.write(demoLogin);
        QVERIFY(flooded.socket.waitForBytesWritten(5000));
        // The flooded client reads nothing yet; another is answered meanwhile.
        Client other(sim.port());
        QCOMPARE(other.exchange(QByteArray("ping") + terminator, 1, 5000), QByteArray("pong\x01") + terminator);
        // Then every pong arrives, after the login's messages and in whole messages.
        const QByteArray pong = QByteArray("pong\x01") + terminator;
        qint64 pongs = 0;
        QByteArray head, tail;
        while (pongs < 1 + flood && (flooded.socket.bytesAvailable() > 0 || flooded.socket.waitForReadyRead(10000))) {
            const QByteArray chunk = tail + flooded.socket.readAll();
            if (head.isEmpty()) head = chunk.left(4096);
            const qsizetype cut = chunk.lastIndexOf(terminator) + terminator.size();
            pongs += chunk.left(cut).count(pong);
            tail = chunk.mid(cut);
        }
        QCOMPARE(pongs, 1 + flood);
        QVERIFY(tail.isEmpty());
        QVERIFY(head.startsWith(pong + "cihazlar"));
        QVERIFY(flooded.exchange(QByteArray(), 1, 300).isEmpty());  // and no more
    }

    void stopsOnTerminate() {
        Sim sim({});
        QVERIFY(sim.port() != 0);
        sim.process().terminate();
        QVERIFY(sim.process().waitForFinished(5000));
        QCOMPARE(sim.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.process().exitCode(), 0);
    }
};

QTEST_MAIN(SimLoopback)
#include "sim_loopback.moc"
