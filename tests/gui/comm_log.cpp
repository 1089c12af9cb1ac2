// The communication log: each read shown as it came (control bytes as their
// symbols, a long read cut with its size), the bounds on lines and text, and
// a view that follows the newest line unless the operator scrolled up.
#include <QLineEdit>
#include <QListView>
#include <QRegularExpression>
#include <QScrollBar>
#include <QThread>
#include <QtTest>
#include <string>

#include "app/ui/LogLines.h"
#include "app/ui/TFrmhaberlesme.h"
#include "gui/login_fake_shell.h"
#include "server/core/LogLine.h"
#include "server/ui/Connection.h"
#include "server/ui/TFrmGiris.h"
#include "support/LoopbackPeer.h"

using izleme::TFrmhaberlesme;
using izleme::test::FakeShell;
using izleme::test::LoopbackPeer;

namespace {

QString shown(const QByteArray& read) {
    return QString::fromStdString(izleme::logline::shownText(std::string_view(read.constData(), read.size())));
}

QString lineAt(const TFrmhaberlesme& log, int row) { return log.lines().line(row); }

// The row at the top of the view's visible area.
int topRow(const TFrmhaberlesme& log) { return log.ListBox1->indexAt(QPoint(2, 2)).row(); }

}  // namespace

class CommLogTest : public QObject {
    Q_OBJECT

private slots:
    void readShownAsItCame_data() {
        QTest::addColumn<QByteArray>("read");
        QTest::addColumn<QString>("text");
        QTest::newRow("message with its separators")
            << QByteArray("pong\x01\xF4\xF4\xF4") << QStringLiteral("pong␁ôôô");
        QTest::newRow("every control byte")
            << QByteArray("\x00\x01\x02\x09\x0A\x0D\x1F\x7F", 8) << QStringLiteral("␀␁␂␉␊␍␟␡");
        QTest::newRow("code page 1254 letters and 0x80..0x9F")
            << QByteArray("\xD0\xDD\xDE\xF0\xFD\xFE \x80\x85 ~ ") << QStringLiteral("ĞİŞğış €… ~ ");
        QTest::newRow("exactly 64 KiB is whole") << QByteArray(65536, 'a') << QString(65536, QLatin1Char('a'));
        QTest::newRow("one byte more is cut")
            << QByteArray(65537, 'b') << QString(65536, QLatin1Char('b')) + QStringLiteral(" … (65537 bayt)");
        QTest::newRow("3.5 MB read") << QByteArray(3'500'000, '\x02')
                                     << QString(65536, QChar(0x2402)) + QStringLiteral(" … (3500000 bayt)");
    }
    void readShownAsItCame() {
        QFETCH(QByteArray, read);
        QFETCH(QString, text);
        QCOMPARE(shown(read), text);
    }

    // Over a real connection every byte sent is in the log, shown or counted;
    // no line shows more than 64 KiB of its read, and no read takes more than
    // the connection's bound, however much is waiting.
    void floodIsAccountedForInBoundedLines() {
        FakeShell shell;
        izleme::TFrmGiris login(shell);
        LoopbackPeer peer;
        login.Edit1->setText(QStringLiteral("demo"));
        login.Servername->setText(QStringLiteral("127.0.0.1"));
        login.edtport->setText(peer.portText());
        login.suiButton1Click();
        QTRY_VERIFY(peer.received.endsWith('\xF4'));

        const qsizetype total = 3'500'000;
        QByteArray flood(total, 'x');
        for (qsizetype i = 0; i < total; i += 1000) flood[i] = '\x01';
        peer.client->write(flood);
        peer.client->flush();
        QThread::msleep(300);  // the client finds all the system took waiting at once
        const QRegularExpression cut(QStringLiteral(" … \\((\\d+) bayt\\)$"));
        qsizetype accounted = 0;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                accounted = 0;
                for (const QString& line : shell.log) {
                    const QString text = line.mid(12);  // after "HH:mm:ss:   "
                    const auto match = cut.match(text);
                    accounted += match.hasMatch() ? match.captured(1).toLongLong() : text.size();
                }
                return accounted >= total;
            }(),
            20000);
        QCOMPARE(accounted, total);
        for (const QString& line : shell.log) {
            const QString text = line.mid(12);
            const auto match = cut.match(text);
            QVERIFY(text.size() - (match.hasMatch() ? match.capturedLength(0) : 0) <= 65536);
            if (match.hasMatch()) QVERIFY(match.captured(1).toLongLong() <= izleme::Connection::maxReadBytes);
            QVERIFY(!text.contains(QChar(0x01)));
        }
    }

    void boundsOnLinesAndText_data() {
        QTest::addColumn<int>("lineLength");
        QTest::addColumn<int>("appended");
        QTest::addColumn<int>("kept");
        QTest::newRow("short lines: 10000 lines") << 20 << 10'005 << 10'000;
        // 65536 + 30 characters take 131132 bytes: 63 lines fit in 8 MiB.
        QTest::newRow("long lines: 8 MiB of text") << 65'566 << 100 << 63;
    }
    void boundsOnLinesAndText() {
        QFETCH(int, lineLength);
        QFETCH(int, appended);
        QFETCH(int, kept);
        TFrmhaberlesme log;
        for (int i = 0; i < appended; ++i) {
            QString line = QString::number(i) + QLatin1Char(':');
            log.appendLine(line + QString(lineLength - line.size(), QLatin1Char('.')));
        }
        QCOMPARE(log.ListBox1->model()->rowCount(), kept);
        QVERIFY(log.lines().textBytes() <= TFrmhaberlesme::maxTextBytes);
        QCOMPARE(log.lines().textBytes(), qsizetype(kept) * lineLength * 2);
        // The oldest went, in order; the newest is the last line.
        QVERIFY(lineAt(log, 0).startsWith(QString::number(appended - kept) + QLatin1Char(':')));
        QVERIFY(lineAt(log, kept - 1).startsWith(QString::number(appended - 1) + QLatin1Char(':')));
        QCOMPARE(log.ListBox1->model()->index(kept - 1, 0).data().toString(), lineAt(log, kept - 1));
    }

    void lineLargerThanAllTheTextIsCut() {
        izleme::LogLines lines(10, 64);
        lines.append(QStringLiteral("old"));
        QCOMPARE(lines.append(QString(100, QLatin1Char('z'))), 1);
        QCOMPARE(lines.rowCount(), 1);
        QCOMPARE(lines.line(0), QString(32, QLatin1Char('z')));
        QCOMPARE(lines.textBytes(), qsizetype(64));
    }

    void viewFollowsTheNewestLineUnlessScrolledUp() {
        TFrmhaberlesme log;
        log.show();
        QVERIFY(QTest::qWaitForWindowExposed(&log));
        QScrollBar* bar = log.ListBox1->verticalScrollBar();
        const auto lastRowVisible = [&] {
            const QModelIndex last = log.ListBox1->model()->index(log.ListBox1->model()->rowCount() - 1, 0);
            return log.ListBox1->viewport()->rect().contains(log.ListBox1->visualRect(last));
        };
        for (int i = 0; i < 200; ++i) log.appendLine(QStringLiteral("line %1").arg(i));
        QTRY_VERIFY(lastRowVisible());
        QVERIFY(bar->maximum() > 0);

        // Scrolled up: new lines do not move the view.
        bar->setValue(10);
        for (int i = 200; i < 220; ++i) log.appendLine(QStringLiteral("line %1").arg(i));
        QTest::qWait(20);
        QCOMPARE(topRow(log), 10);
        QVERIFY(!lastRowVisible());

        // At the line bound the oldest lines go: the view stays on the same lines.
        for (int i = 220; i < TFrmhaberlesme::maxLines; ++i) log.appendLine(QStringLiteral("line %1").arg(i));
        QTest::qWait(20);
        QCOMPARE(topRow(log), 10);
        bar->setValue(5000);
        QTest::qWait(20);
        QCOMPARE(topRow(log), 5000);
        const QString top = log.ListBox1->indexAt(QPoint(2, 2)).data().toString();
        for (int i = 0; i < 30; ++i) log.appendLine(QStringLiteral("more %1").arg(i));
        QTest::qWait(20);
        QCOMPARE(log.ListBox1->indexAt(QPoint(2, 2)).data().toString(), top);

        // Back at the end, it follows again.
        bar->setValue(bar->maximum());
        log.appendLine(QStringLiteral("newest"));
        QTRY_VERIFY(lastRowVisible());
        QCOMPARE(lineAt(log, TFrmhaberlesme::maxLines - 1), QStringLiteral("newest"));
    }
};

QTEST_MAIN(CommLogTest)
#include "comm_log.moc"
