// Start-up: the six windows in their order with their names, captions and
// sizes; the show step with the login window; the start layout of the pages.
#include <QAction>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QTabBar>
#include <QTimer>

#include "app/ui/PageControl.h"
#include "app/ui/Startup.h"
#include "app/ui/TFrmhaberlesme.h"
#include "registers/ui/TVD1KAL.h"
#include "server/ui/Connection.h"
#include "server/ui/TFrmGiris.h"
#include "server/ui/TFrmMesajlar.h"
#include "server/ui/Tfrmuyari.h"
#include "shell_fixture.h"

using namespace izleme;

namespace {

// Records every widget in the order its QWidget part was constructed.
class CreationRecorder : public QObject {
public:
    QList<QObject*> created;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Create) created << o;
        return false;
    }
};

}  // namespace

class ShellStartup : public QObject {
    Q_OBJECT

private slots:
    void windowsAreCreatedOnceInOrder() {
        CreationRecorder recorder;
        qApp->installEventFilter(&recorder);
        ShellFixture f;
        qApp->removeEventFilter(&recorder);

        const QList<QWidget*> windows = f.forms.inCreationOrder();
        QCOMPARE(windows.size(), 6);
        const QStringList names = {"FrmAna", "FrmGiris", "Frmhaberlesme", "VD1KAL", "FrmMesajlar", "frmuyari"};
        qsizetype previous = -1;
        for (int i = 0; i < windows.size(); ++i) {
            QVERIFY2(windows[i], qPrintable(names[i]));
            QCOMPARE(windows[i]->objectName(), names[i]);
            QVERIFY2(windows[i]->isWindow(), qPrintable(names[i]));
            const qsizetype at = recorder.created.indexOf(windows[i]);
            QVERIFY2(at > previous, qPrintable(names[i] + " created out of order"));
            previous = at;
        }
        // Each window exists once.
        for (const QString& name : names) {
            int found = 0;
            for (QWidget* w : QApplication::topLevelWidgets()) found += w->objectName() == name;
            QVERIFY2(found == 1, qPrintable(name));
        }
    }

    void otherWindowsGoWithTheMainWindow() {
        FakePlatform fake;
        const Forms forms = createForms(fake.services());
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : forms.inCreationOrder()) windows << w;
        delete forms.FrmAna;
        for (const auto& w : windows) QVERIFY(w.isNull());
    }

    void captionsAndSizes_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("size");  // invalid: no fixed size to check
        QTest::newRow("FrmAna") << 0 << "FrmAna" << QSize();
        QTest::newRow("FrmGiris") << 1 << "GİRİŞ FORMU" << QSize(262, 206);
        QTest::newRow("Frmhaberlesme") << 2 << "Frmhaberlesme" << QSize(696, 480);
        QTest::newRow("VD1KAL") << 3 << "KRT100" << QSize();
        QTest::newRow("FrmMesajlar") << 4 << "Mesajlar" << QSize(674, 563);
        QTest::newRow("frmuyari") << 5 << "Uyarı!!!" << QSize(334, 246);
    }
    void captionsAndSizes() {
        QFETCH(int, index);
        QFETCH(QString, caption);
        QFETCH(QSize, size);
        ShellFixture f;
        QWidget* w = f.forms.inCreationOrder().at(index);
        QCOMPARE(w->windowTitle(), caption);
        if (size.isValid()) QCOMPARE(w->size(), size);
    }

    void mainWindowCaptionsAndTimers() {
        ShellFixture f;
        TFrmAna& a = f.ana();
        const QStringList captions = {"Analizör-Ani Değerler", "Analizör-Tüketim Değerleri",
                                      "Aşırı Akım Rölesi",     "Harmonikler",
                                      "Kondansatör Durumları", "Ayarlar",
                                      "Sayaç Okuma",           "Cihaz Bilgileri"};
        auto* pages = a.findChild<PageControl*>("suiPageControl1");
        QVERIFY(pages);
        QCOMPARE(pages->count(), 8);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(pages->tabText(i), captions[i]);
            QCOMPARE(pages->widget(i)->objectName(), QString("suiTabSheet%1").arg(i + 1));
        }
        const QList<QPair<QString, int>> timers = {
            {"TimerPing", 60000}, {"Timer1", 1000}, {"Timer2", 1000}, {"Timer3", 1000}};
        for (const auto& [name, interval] : timers) {
            auto* t = a.findChild<QTimer*>(name);
            QVERIFY2(t, qPrintable(name));
            QCOMPARE(t->interval(), interval);
            QVERIFY2(t->isActive(), qPrintable(name));
        }
        QCOMPARE(a.findChild<QAction*>("AktifCihaz1")->text(), QString("Aktif Cihaz: 0"));
        QCOMPARE(a.findChild<QObject*>("Clientsoket"), a.socket());
        QCOMPARE(f.forms.FrmGiris->connection().socketPort(), quint16(17814));
        auto* link = a.findChild<QLabel*>("RzURLLabel1");
        QCOMPARE(link->text(), QString("Yeni mesajınız var.Okumak için tıklayın... "));
        QVERIFY(link->isHidden());
        QCOMPARE(a.findChild<QWidget*>("Panel8")->isHidden(), true);
        QCOMPARE(a.findChild<QWidget*>("Panel7")->isHidden(), false);
        QCOMPARE(a.findChild<QLineEdit*>("Edit1")->text(), QString("1"));
        QCOMPARE(a.findChild<QLineEdit*>("Edit111")->text(), QString());
        QCOMPARE(a.state().activeSerial, 12001);
    }

    // Only the main window shows; its show step opens the login window
    // modally and holds the rest of the step until the login window closes.
    void showStepWaitsForTheLoginWindow() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        ShellFixture f;
        f.ana().state().decimalSeparator = '?';
        QVERIFY(f.showUntilLogin());
        QCOMPARE(f.ana().state().decimalSeparator, '.');
        for (QWidget* w : f.forms.inCreationOrder().mid(2)) QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        QVERIFY(f.ana().isVisible());
        QCOMPARE(f.forms.FrmGiris->windowModality(), Qt::ApplicationModal);

        // Not yet: the dates and the start layout come after the login.
        auto* first = f.ana().findChild<QDateEdit*>("DateTimePicker1");
        QVERIFY(first->date() != QDate::currentDate().addDays(-7));
        QVERIFY(f.ana().pageControl()->isTabShown(2));

        QSignalSpy ready(f.forms.FrmAna, &TFrmAna::startLayoutReady);
        f.forms.FrmGiris->close();  // the title-bar close: no connection
        QVERIFY(ready.count() == 1 || ready.wait(5000));
        QVERIFY(f.ana().isVisible());
        QLocale::setDefault(QLocale::c());
    }

    void startLayoutAfterTheLogin() {
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        ShellFixture f;
        QVERIFY(f.startWithoutLogin());
        QLocale::setDefault(QLocale::c());
        TFrmAna& a = f.ana();
        QCOMPARE(a.state().decimalSeparator, ',');

        PageControl* pages = a.pageControl();
        QCOMPARE(pages->activePage(), 0);
        QCOMPARE(pages->currentIndex(), 0);
        for (int i = 0; i < 8; ++i) {
            const bool shown = !(i == 2 || i == 6 || i == 7);
            QCOMPARE(pages->isTabShown(i), shown);
            QCOMPARE(pages->tabBar()->isTabVisible(i), shown);
            QCOMPARE(pages->widget(i)->isEnabled(), i == 0);
        }
        const QDate today = QDate::currentDate();
        const QList<QPair<const char*, QDate>> dates = {{"DateTimePicker1", today.addDays(-7)},
                                                        {"dtsycilktarih", today.addDays(-7)},
                                                        {"DateTimePicker2", today},
                                                        {"dtsycsontarih", today}};
        for (const auto& [name, date] : dates) {
            auto* d = a.findChild<QDateEdit*>(name);
            QVERIFY2(d, name);
            QCOMPARE(d->date(), date);
            QCOMPARE(d->displayFormat(), QString("dd.MM.yyyy"));
        }
    }

    void passwordIsMaskedWithStars() {
        prepareApplication(*qApp);
        ShellFixture f;
        auto* password = f.forms.FrmGiris->findChild<QLineEdit*>("Edit4");
        QVERIFY(password);
        password->setText(QString::fromUtf8("şifre1"));
        QCOMPARE(password->displayText(), QString("******"));
        QCOMPARE(password->text(), QString::fromUtf8("şifre1"));
    }
};

QTEST_MAIN(ShellStartup)
#include "shell_startup.moc"
