// The alarm window on its own: shown by an alarm, its text scrolls, its horn
// comes from the current directory (silence without the file) and stops
// when the window closes.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "server/ui/Tfrmuyari.h"
#include "support/FakePlatformServices.h"
#include "toolkit/ui/ScrollingLabel.h"

using namespace izleme;

class AlarmWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString previous_;

private slots:
    void init() {
        previous_ = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir_.path()));
        QFile::remove(QStringLiteral("AirHornL.wav"));
    }
    void cleanup() { QDir::setCurrent(previous_); }

    void withoutTheSoundFileTheWindowShowsSilently() {
        auto horn = std::make_shared<FakeSoundPlayer>();
        Tfrmuyari w(horn);
        w.showAlarm(QStringLiteral("12002 Seri Nolu cihaz CEZA"));
        QVERIFY(w.isVisible());
        QCOMPARE(w.label1->text(), QStringLiteral("12002 Seri Nolu cihaz CEZA"));
        QVERIFY(w.Timer1->isActive());
        w.Timer1Timer();
        QVERIFY(horn->played.isEmpty());
        // The window sits in the middle of its screen, its text on the move.
        const QPoint middle = w.screen()->availableGeometry().center();
        QVERIFY2((w.frameGeometry().center() - middle).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("window at %1,%2, screen middle %3,%4")
                                .arg(w.frameGeometry().center().x())
                                .arg(w.frameGeometry().center().y())
                                .arg(middle.x())
                                .arg(middle.y())));
        const int start = w.label1->offset();
        QTRY_VERIFY(w.label1->offset() < start);
    }

    void theHornRepeatsUntilTheWindowCloses() {
        QFile file(QStringLiteral("AirHornL.wav"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        auto horn = std::make_shared<FakeSoundPlayer>();
        Tfrmuyari w(horn);
        QCOMPARE(w.Timer1->interval(), 2500);
        QVERIFY(!w.Timer1->isActive());  // created silent

        w.showAlarm(QStringLiteral("first"));
        QCOMPARE(horn->played.size(), 1);  // at once
        QCOMPARE(QFileInfo(horn->played.first()).canonicalFilePath(), QFileInfo(file).canonicalFilePath());
        QTRY_COMPARE_WITH_TIMEOUT(horn->played.size(), 2, 10000);  // then on the timer

        // A second alarm while open: the text changes, the horn goes on as it was.
        w.showAlarm(QStringLiteral("second"));
        QCOMPARE(w.label1->text(), QStringLiteral("second"));
        QCOMPARE(horn->played.size(), 2);

        w.Button1->click();
        QVERIFY(!w.isVisible());
        QVERIFY(!w.Timer1->isActive());
        QCOMPARE(horn->stops, 1);

        // The next alarm sounds again.
        w.showAlarm(QStringLiteral("third"));
        QCOMPARE(horn->played.size(), 3);
        w.close();
        QVERIFY(!w.Timer1->isActive());
    }
};

QTEST_MAIN(AlarmWindowTest)
#include "alarm_window.moc"
