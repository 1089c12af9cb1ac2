// The main window at work: tab rules through the page control, the blinking
// message link, the activity lamp, the active-device caption, the menus, the
// tray menu and the communication log.
#include <QAction>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QMenu>
#include <QMenuBar>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTcpSocket>
#include <QTimer>

#include "app/ui/ActivityLamp.h"
#include "app/ui/PageControl.h"
#include "app/ui/TFrmhaberlesme.h"
#include "app/ui/UrlLabel.h"
#include "server/ui/RequestSender.h"
#include "shell_fixture.h"
#include "toolkit/ui/GroupBar.h"

using namespace izleme;

namespace {

const QColor lime(0, 255, 0);
const QColor yellow(255, 255, 0);
const QColor red(255, 0, 0);

// Visible tabs and the enabled page, as a compact text: "01345|0".
QString layoutOf(PageControl* p) {
    QString tabs;
    int enabled = -1;
    for (int i = 0; i < p->count(); ++i) {
        if (p->isTabShown(i) != p->tabBar()->isTabVisible(i)) return "tab bar out of step";
        if (p->isTabShown(i)) tabs += QString::number(i);
        if (p->widget(i)->isEnabled()) {
            if (enabled != -1) return "two pages enabled";
            enabled = i;
        }
    }
    if (enabled != p->activePage() || (enabled >= 0 && p->currentIndex() != enabled)) return "wrong page enabled";
    return tabs + "|" + QString::number(p->activePage());
}

}  // namespace

class ShellMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ShellFixture> f;
    TFrmAna* a = nullptr;

private slots:
    void init() {
        f = std::make_unique<ShellFixture>();
        a = f->forms.FrmAna;
        QVERIFY(f->startWithoutLogin());
    }
    void cleanup() { f.reset(); }

    // The layouts the device selection builds, step by step.
    void tabRules() {
        PageControl* p = a->pageControl();
        QCOMPARE(layoutOf(p), QString("01345|0"));
        p->setTabVisible(3, false);  // not the active one: page stays
        QCOMPARE(layoutOf(p), QString("0145|0"));
        p->selectPage(4);
        p->setTabVisible(4, false);  // active: nearest before is 1
        QCOMPARE(layoutOf(p), QString("015|1"));
        p->setTabVisible(6, true);  // showing makes active
        QCOMPARE(layoutOf(p), QString("0156|6"));
        for (int i = 0; i <= 5; ++i) p->setTabVisible(i, false);  // meter layout
        QCOMPARE(layoutOf(p), QString("6|6"));
        p->selectPage(2);  // hidden: ignored
        QCOMPARE(layoutOf(p), QString("6|6"));
        p->setTabVisible(2, true);
        p->setTabVisible(6, false);  // nothing before 6 but 2
        QCOMPARE(layoutOf(p), QString("2|2"));
        p->setTabVisible(2, false);
        QCOMPARE(p->activePage(), -1);
        for (int i = 0; i < 8; ++i) QVERIFY(!p->widget(i)->isEnabled());
        p->setTabVisible(0, true);
        QCOMPARE(layoutOf(p), QString("0|0"));
    }

    void clickingATabSelectsItsPage() {
        PageControl* p = a->pageControl();
        QTabBar* bar = p->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(3).center());
        QCOMPARE(layoutOf(p), QString("01345|3"));
        QVERIFY(!a->findChild<QLineEdit*>("Edit1")->isEnabled());
    }

    void timer2BlinksTheLinkEvenWhileHidden() {
        UrlLabel* link = a->RzURLLabel1;
        QVERIFY(link->isHidden());
        QCOMPARE(link->linkColor(), lime);
        a->Timer2Timer();
        QCOMPARE(link->linkColor(), yellow);
        QCOMPARE(link->shownColor(), yellow);
        QVERIFY(link->styleSheet().contains(yellow.name()));
        a->Timer2Timer();
        QCOMPARE(link->linkColor(), lime);
        link->setLinkColor(Qt::blue);  // anything but lime turns lime
        a->Timer2Timer();
        QCOMPARE(link->linkColor(), lime);
    }

    void linkClickShowsMessagesAndTurnsRed() {
        a->showNewMessageLink();
        UrlLabel* link = a->RzURLLabel1;
        QVERIFY(link->isVisible());
        QVERIFY(!f->forms.inCreationOrder().at(4)->isVisible());
        QTest::mouseClick(link, Qt::LeftButton);
        QVERIFY(f->forms.inCreationOrder().at(4)->isVisible());
        QCOMPARE(link->shownColor(), red);
        QVERIFY(link->isVisible());
        a->Timer2Timer();  // the blinking goes on underneath; visited stays red
        QCOMPARE(link->shownColor(), red);
    }

    void lamp() {
        ActivityLamp* lamp = a->Shape1;
        QCOMPARE(lamp->size(), QSize(36, 13));
        QCOMPARE(lamp->brushColor(), QColor(Qt::white));
        a->lampFlicker();
        QCOMPARE(lamp->brushColor(), lime);  // white XOR magenta, eleven times
        a->Timer3Timer();
        QCOMPARE(lamp->brushColor(), QColor(Qt::white));
        lamp->setBrushColor(QColor(0x12, 0x34, 0x56));
        a->lampFlicker();
        QCOMPARE(lamp->brushColor(), QColor(0xED, 0x34, 0xA9));
        a->lampGreen();
        QCOMPARE(lamp->brushColor(), lime);
        lamp->xorBrush(0x800000);  // the serial window's flicker
        QCOMPARE(lamp->brushColor(), QColor(0x80, 0xFF, 0x00));
        a->Timer3->setInterval(10);  // the real timer resets it too
        QTRY_COMPARE(lamp->brushColor(), QColor(Qt::white));
    }

    void activeDeviceCaptionFollowsEdit111() {
        QAction* caption = a->AktifCihaz1;
        auto* edit111 = a->findChild<QLineEdit*>("Edit111");
        auto* edit5 = a->findChild<QLineEdit*>("Edit5");
        QCOMPARE(caption->text(), QString("Aktif Cihaz: 0"));
        QVERIFY(a->menuBar()->actions().contains(caption));
        edit111->setText("123456");
        QCOMPARE(caption->text(), QString("Aktif Cihaz: 123456"));
        caption->setText("x");
        edit5->setText("999");  // the meter box also triggers it, with Edit111's text
        QCOMPARE(caption->text(), QString("Aktif Cihaz: 123456"));
        edit111->clear();
        QCOMPARE(caption->text(), QString("Aktif Cihaz: "));
    }

    void menusShowTheirWindows_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("window");
        QTest::newRow("Haberlesme") << "Haberlesme1"
                                    << "Haberlesme" << 2;
        QTest::newRow("Veri") << "Veri1"
                              << "Veri" << 3;
        QTest::newRow("Oku") << "Oku1"
                             << "Yeni Mesajları Oku" << 4;
    }
    void menusShowTheirWindows() {
        QFETCH(QString, action);
        QFETCH(QString, text);
        QFETCH(int, window);
        auto* act = a->findChild<QAction*>(action);
        QVERIFY(act);
        QCOMPARE(act->text(), text);
        QWidget* w = f->forms.inCreationOrder().at(window);
        QVERIFY(!w->isVisible());
        act->trigger();
        QVERIFY(w->isVisible());
        for (int other : {2, 3, 4})
            if (other != window) QVERIFY(!f->forms.inCreationOrder().at(other)->isVisible());
    }

    void trayMenu() {
        QVERIFY(!a->trayMenuAttached());
        QCOMPARE(a->TrayIcon1->contextMenu(), nullptr);
        a->attachTrayMenu();
        QCOMPARE(a->TrayIcon1->contextMenu(), a->PopupMenu1);

        // Items in order: "" is a separator; the flag is the enabled state.
        const QList<QPair<QString, bool>> expected = {{"Aç", true},
                                                      {"", true},
                                                      {"Kompanzasyon Tabiki", false},
                                                      {"", true},
                                                      {"Mesajlarımı Oku", true},
                                                      {"Nuveke Mesaj Gönder", false},
                                                      {"", true},
                                                      {"Kapat", true}};
        const QList<QAction*> items = a->PopupMenu1->actions();
        QCOMPARE(items.size(), expected.size());
        for (int i = 0; i < items.size(); ++i) {
            QCOMPARE(items[i]->isSeparator(), expected[i].first.isEmpty());
            if (items[i]->isSeparator()) continue;
            QCOMPARE(items[i]->text(), expected[i].first);
            QCOMPARE(items[i]->isEnabled(), expected[i].second);
        }
        QMenu* sub = a->KompanzasyonTabiki1->menu();
        QVERIFY(sub);
        QCOMPARE(sub->actions().size(), 2);
        QCOMPARE(sub->actions()[0]->text(), QString("Kritik Seviyedeki Cihazları Listele"));
        QCOMPARE(sub->actions()[1]->text(), QString("Ceza Durumundaki Cihazları Listele"));
        for (QAction* s : sub->actions()) QVERIFY(!s->isEnabled());
        for (const char* name : {"A1", "KompanzasyonTabiki1", "KritikSeviye1", "CezaDurumu1", "MesajlarimiOku1",
                                 "NuvekeMesajGonder1", "Kapat1"})
            QVERIFY2(a->findChild<QAction*>(name), name);
    }

    void trayOpenRestoresTheWindow() {
        a->showMinimized();
        a->hide();
        QVERIFY(!a->isVisible());
        a->A1->trigger();
        QVERIFY(a->isVisible());
        QVERIFY(!a->isMinimized());
    }

    void logKeepsTheMostRecentLines() {
        TFrmhaberlesme* log = f->forms.Frmhaberlesme;
        const int total = TFrmhaberlesme::maxLines + 5;
        for (int i = 0; i < total; ++i) a->appendLogLine(QString("line %1").arg(i));
        QAbstractItemView* list = log->findChild<QAbstractItemView*>("ListBox1");
        QVERIFY(list && list->model());
        QCOMPARE(list->model()->rowCount(), 10000);
        QCOMPARE(list->model()->index(0, 0).data().toString(), QString("line 5"));
        QCOMPARE(list->model()->index(9999, 0).data().toString(), QString("line %1").arg(total - 1));
    }

    void timerHooksRunAndSurviveErrors() {
        // Page updates run at their registers in ascending order, on the row
        // that the instantaneous values page shows (row 1 on page 0).
        QStringList ran;
        a->refreshLoop().add(192, [&](int row) { ran << QString("192@%1").arg(row); });
        a->refreshLoop().add(67, [](int) { throw std::runtime_error("bad number"); });
        a->refreshLoop().add(70, [&](int row) { ran << QString("70@%1").arg(row); });
        a->Timer1Timer();
        QCOMPARE(ran, QStringList({"70@1", "192@1"}));
        int pings = 0;
        a->TimerPingTimer();  // no action installed: nothing happens
        a->setPingAction([&] { ++pings; });
        a->TimerPingTimer();
        QCOMPARE(pings, 1);
    }

    void shellPortReachesTheWidgets() {
        ShellPort& port = *a;
        port.setStatusLine("Pong");
        port.setRequestLine("Lütfen bekleyin...");
        port.setMainCaption("<<<<<<<ali Bağlı.>>>>>>>>>");
        a->findChild<QLineEdit*>("Edit3")->setText("10.0.0.5");
        QCOMPARE(a->findChild<QLabel*>("LblMesaj")->text(), QString("Pong"));
        QCOMPARE(a->findChild<QLabel*>("LblGiden")->text(), QString("Lütfen bekleyin..."));
        QCOMPARE(a->windowTitle(), QString("<<<<<<<ali Bağlı.>>>>>>>>>"));
        QCOMPARE(a->state().meterAddress, std::string("10.0.0.5"));  // the login falls back on it
        QCOMPARE(port.deviceList(), a->findChild<GroupBar*>("RzGroupBar1"));
        QCOMPARE(port.socket(), a->findChild<QTcpSocket*>("Clientsoket"));
        QVERIFY(!port.sender().send(std::string("ping")));  // not connected: nothing sent
    }
};

QTEST_MAIN(ShellMainWindow)
#include "shell_main_window.moc"
