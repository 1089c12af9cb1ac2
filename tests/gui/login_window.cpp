// The login window on its own: its controls and texts, the keys, the buttons
// and the progress indicator.
#include <QGuiApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include "gui/login_fake_shell.h"
#include "server/ui/Connection.h"
#include "server/ui/TFrmGiris.h"

using izleme::LoginSettings;
using izleme::TFrmGiris;
using izleme::test::FakeShell;

class LoginWindowTest : public QObject {
    Q_OBJECT

private slots:
    // A status text longer than its panel is shown whole: the bar takes the
    // window's width and as many lines as it needs; a short one brings the
    // two panels and the window's size back.
    void longStatusTextIsReadWhole() {
        FakeShell shell;
        TFrmGiris w(shell);
        auto* status = w.findChild<QLabel*>("LABEL6");
        auto* second = w.findChild<QLabel*>("LABEL6Panel2");
        w.setErrorText(QStringLiteral("Bağlantı Hatası"));
        w.setStatusText(QStringLiteral("   Giriş reddedildi: kullanıcı adı veya şifre hatalı olabilir"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QFontMetrics metrics(status->font());
        const int needed = metrics.boundingRect(QRect(0, 0, status->width(), 1000), Qt::TextWordWrap, status->text())
                               .height();
        QVERIFY(status->wordWrap());
        QVERIFY2(status->contentsRect().height() >= needed,
                 qPrintable(QStringLiteral("%1 < %2").arg(status->contentsRect().height()).arg(needed)));
        QVERIFY(w.rect().contains(status->geometry()));
        QVERIFY(w.rect().contains(second->geometry()));
        QVERIFY(!status->geometry().intersects(second->geometry()));
        QVERIFY(!status->geometry().intersects(w.suiButton1->geometry()));
        QCOMPARE(second->text(), QStringLiteral("Bağlantı Hatası"));

        w.setStatusText(QStringLiteral("   Bağlantı Yok"));
        QCOMPARE(w.size(), QSize(262, 206));
        QCOMPARE(status->y(), second->y());
        QVERIFY(metrics.horizontalAdvance(status->text()) <= status->contentsRect().width());
    }

    void controlsAndTexts() {
        FakeShell shell;
        TFrmGiris w(shell);
        QCOMPARE(w.objectName(), QStringLiteral("FrmGiris"));
        QCOMPARE(w.windowTitle(), QStringLiteral("GİRİŞ FORMU"));
        QCOMPARE(w.size(), QSize(262, 206));
        QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);

        const QList<QPair<const char*, QString>> buttons = {
            {"suiButton1", "Bağlan"}, {"suiButton2", "İptal"}, {"suiButton3", "Kapat"}};
        for (const auto& [name, text] : buttons) {
            auto* b = w.findChild<QPushButton*>(name);
            QVERIFY2(b, name);
            QCOMPARE(b->text(), text);
            QVERIFY(b->isEnabled());
        }
        QCOMPARE(w.findChild<QLineEdit*>("Edit4")->echoMode(), QLineEdit::Password);
        QCOMPARE(w.findChild<QLineEdit*>("edtport")->text(), QStringLiteral("17816"));
        QCOMPARE(w.findChild<QLabel*>("Label2")->text(), QStringLiteral("Portno"));
        QCOMPARE(w.findChild<QLabel*>("titleStrip")->text(), QStringLiteral("   NUVEK İNTERAKTİF"));
        QCOMPARE(w.findChild<QLabel*>("LABEL6")->text(), QStringLiteral("   Bağlantı Yok"));
        QCOMPARE(w.errorText(), QString());
        QCOMPARE(w.progress(), qint16(0));
        auto* timer = w.findChild<QTimer*>("Timer1");
        QCOMPARE(timer->interval(), 500);
        QVERIFY(!timer->isActive());

        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (const char* hidden : {"Servername", "edtport", "Label2"}) {
            QVERIFY2(!w.findChild<QWidget*>(hidden)->isVisible(), hidden);
        }
        // The show step: top right corner, default host in the server box.
        QCOMPARE(w.findChild<QLineEdit*>("Servername")->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(w.pos(), QPoint(w.screen()->geometry().width() - 262, 0));
    }

    void keysSeenBeforeTheFocusedControl() {
        FakeShell shell;
        LoginSettings settings;
        settings.alternateHost = QStringLiteral("yedek.example");
        TFrmGiris w(shell, nullptr, settings);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* user = w.findChild<QLineEdit*>("Edit1");
        auto* password = w.findChild<QLineEdit*>("Edit4");
        auto* server = w.findChild<QLineEdit*>("Servername");

        // F5 and F6 typed into a text box change the window, not the text.
        QTest::keyClick(user, Qt::Key_F5);
        QVERIFY(server->isVisible());
        QCOMPARE(server->text(), QStringLiteral("yedek.example"));
        QVERIFY(!w.edtport->isVisible());
        QTest::keyClick(password, Qt::Key_F6);
        QVERIFY(w.edtport->isVisible());
        QVERIFY(w.Label2->isVisible());
        QCOMPARE(user->text(), QString());
        QCOMPARE(password->text(), QString());
    }

    void enterMovesTheFocus() {
        FakeShell shell;
        TFrmGiris w(shell);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.Edit1->setFocus();
        QTest::keyClicks(w.Edit1, "demo");
        QTest::keyClick(w.Edit1, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.Edit4);
        QTest::keyClick(w.Edit4, Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), w.suiButton1);
        QCOMPARE(w.Edit1->text(), QStringLiteral("demo"));
        QVERIFY(w.isVisible());  // Enter does not close the dialog
    }

    void noInternetStopsUnlessTheServerBoxIsShown() {
        FakeShell shell;
        LoginSettings settings;
        settings.internetAvailable = [] { return false; };
        TFrmGiris w(shell, nullptr, settings);
        w.Edit1->setText("demo");
        w.Servername->setText("127.0.0.1");
        w.edtport->setText("notaport");  // so that going on stops right after the status text
        w.suiButton1Click();
        QCOMPARE(w.statusText(), QStringLiteral("   İnternet bağlantısı yok"));
        QVERIFY(!w.Timer1->isActive());

        w.suiButton2Click();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(w.Edit1, Qt::Key_F5);
        w.hide();  // the box counts as shown even while the window is hidden (re-login)
        w.suiButton1Click();
        // It went on past the internet check, as far as the port text.
        QCOMPARE(w.statusText(), QStringLiteral("   Geçersiz port numarası"));
        QVERIFY(!w.connection().isConnecting());
        QCOMPARE(shell.sock.state(), QAbstractSocket::UnconnectedState);
    }

    void cancelResetsButDoesNotEndAWait() {
        FakeShell shell;
        TFrmGiris w(shell);
        w.Timer1->start();
        w.setProgress(42);
        w.suiButton1->setEnabled(false);
        QTest::mouseClick(w.suiButton2, Qt::LeftButton);
        QCOMPARE(w.progress(), qint16(0));
        QCOMPARE(w.RzProgressBar1->value(), 0);
        QVERIFY(w.suiButton1->isEnabled());
        QVERIFY(!w.Timer1->isActive());
        QCOMPARE(w.connection().socketPort(), izleme::Connection::portBeforeLogin);
    }

    void progressStepsInSixteenBits_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("after");
        QTest::addColumn<int>("shown");
        QTest::newRow("start") << 0 << 3 << 3;
        QTest::newRow("99 skips 100") << 99 << 102 << 100;
        QTest::newRow("wraps") << 32766 << -32767 << 0;
        QTest::newRow("back to 100 after the wrap") << 97 << 100 << 100;
    }
    void progressStepsInSixteenBits() {
        QFETCH(int, start);
        QFETCH(int, after);
        QFETCH(int, shown);
        FakeShell shell;
        TFrmGiris w(shell);
        w.setProgress(static_cast<qint16>(start));
        w.Timer1Timer();
        QCOMPARE(int(w.progress()), after);
        QCOMPARE(w.RzProgressBar1->value(), shown);
    }

    void timerAdvancesTheIndicator() {
        FakeShell shell;
        LoginSettings settings;
        settings.progressIntervalMs = 10;
        TFrmGiris w(shell, nullptr, settings);
        w.Timer1->start();
        QTRY_VERIFY(w.progress() >= 9);
        QCOMPARE(w.progress() % 3, 0);
    }

    void closeEndsTheProgram() {
        FakeShell shell;
        TFrmGiris w(shell);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.suiButton3, Qt::LeftButton);
        QCOMPARE(w.progress(), qint16(100));
        QVERIFY(!w.isVisible());
        QCOMPARE(shell.mainClosed, 1);
    }

    void titleCloseLeavesTheMainWindow() {
        FakeShell shell;
        TFrmGiris w(shell);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.findChild<QWidget*>("titleClose"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(shell.mainClosed, 0);
    }
};

QTEST_MAIN(LoginWindowTest)
#include "login_window.moc"
