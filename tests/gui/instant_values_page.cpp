// The instantaneous values page: its displays inside Panel7 and the refresh
// tick that fills them from the register table.
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "app/ui/PageControl.h"
#include "gui/shell_fixture.h"
#include "registers/core/InstantValues.h"
#include "registers/core/RegisterTable.h"
#include "registers/ui/InstantValuesPage.h"
#include "registers/ui/TVD1KAL.h"
#include "server/core/SharedState.h"
#include "toolkit/core/Cp1254.h"
#include "toolkit/ui/LedDisplay.h"

using namespace izleme;

namespace {

// Page 0 as the shell builds it: Panel7 with a top strip (heading, serial
// label, row box) above a stretch, plus the table, the state and a settable
// "page 0 is active".
struct PageFixture {
    QWidget sheet;
    QFrame* panel7 = new QFrame(&sheet);
    QFrame* strip = new QFrame(panel7);
    QLabel* label17 = new QLabel(QStringLiteral("12001"), strip);
    QLineEdit* edit1 = new QLineEdit(QStringLiteral("1"), strip);
    RegisterTable table;
    SharedState state;
    bool pageActive = true;
    InstantValuesPage* page = nullptr;

    explicit PageFixture(char separator = '.') {
        state.decimalSeparator = separator;
        auto* outer = new QVBoxLayout(&sheet);
        outer->addWidget(panel7);
        auto* layout = new QVBoxLayout(panel7);
        auto* row = new QHBoxLayout(strip);
        row->addWidget(label17);
        row->addWidget(edit1);
        layout->addWidget(strip);
        layout->addStretch(1);
        page = new InstantValuesPage(
            panel7, edit1, label17, [this] { return pageActive; }, table, state);
    }

    void store(int row, int reg, double first, double second) {
        QVERIFY(table.setValue(row, reg, first));
        QVERIFY(table.setValue(row, reg + 1, second));
    }
    QString text(LedDisplay* InstantValuesPage::*member) const { return (page->*member)->text(); }
};

struct Member {
    LedDisplay* InstantValuesPage::*member;
    const char* name;
};

const Member kMembers[] = {
    {&InstantValuesPage::V1, "V1"},
    {&InstantValuesPage::V2, "V2"},
    {&InstantValuesPage::V3, "V3"},
    {&InstantValuesPage::akm1, "akm1"},
    {&InstantValuesPage::akm2, "akm2"},
    {&InstantValuesPage::akm3, "akm3"},
    {&InstantValuesPage::kW1, "kW1"},
    {&InstantValuesPage::Kw2, "Kw2"},
    {&InstantValuesPage::kW3, "kW3"},
    {&InstantValuesPage::kr1, "kr1"},
    {&InstantValuesPage::kr2, "kr2"},
    {&InstantValuesPage::kr3, "kr3"},
    {&InstantValuesPage::KVA1, "KVA1"},
    {&InstantValuesPage::KVA2, "KVA2"},
    {&InstantValuesPage::KVA3, "KVA3"},
    {&InstantValuesPage::Cos1, "Cos1"},
    {&InstantValuesPage::Cos2, "Cos2"},
    {&InstantValuesPage::Cos3, "Cos3"},
    {&InstantValuesPage::toplamaktif, "toplamaktif"},
    {&InstantValuesPage::toplamreaktif, "toplamreaktif"},
    {&InstantValuesPage::toplamgorunen, "toplamgorunen"},
    {&InstantValuesPage::CosE_ind, "CosE_ind"},
    {&InstantValuesPage::cose_kap, "cose_kap"},
    {&InstantValuesPage::Fr, "Fr"},
    {&InstantValuesPage::gracisi_r, "gracisi_r"},
    {&InstantValuesPage::gracisi_s, "gracisi_s"},
    {&InstantValuesPage::gracisi_t, "gracisi_t"},
    {&InstantValuesPage::akacisi_r, "akacisi_r"},
    {&InstantValuesPage::akacisi_s, "akacisi_s"},
    {&InstantValuesPage::akacisi_t, "akacisi_t"},
    {&InstantValuesPage::sicaklik, "sicaklik"},
};

QStringList labelTexts(const QWidget* w) {
    QStringList texts;
    for (const QLabel* l : w->findChildren<QLabel*>()) texts << l->text();
    return texts;
}

}  // namespace

class InstantValuesPageTest : public QObject {
    Q_OBJECT
private slots:
    void displaysAreNamedMembersBelowTheStrip();
    void captionsAndUnitsOfTheGroups();
    void resetRowShowsPlaceholders();
    void storedRegistersShowReadings_data();
    void storedRegistersShowReadings();
    void activePageRewritesRowBox();
    void rowBoxOnAnotherPage_data();
    void rowBoxOnAnotherPage();
    void hiddenPanelLeavesEverything();
    void serialLabelFollowsActiveSerial();
    void tickThroughTheRealShell();
};

void InstantValuesPageTest::displaysAreNamedMembersBelowTheStrip() {
    PageFixture f;
    QCOMPARE(std::size(kMembers), std::size(instantDisplays()));
    for (std::size_t i = 0; i < std::size(kMembers); ++i) {
        const QString name = QString::fromLatin1(kMembers[i].name);
        LedDisplay* member = f.page->*kMembers[i].member;
        QVERIFY2(member, kMembers[i].name);
        QCOMPARE(member->objectName(), name);
        QCOMPARE(f.panel7->findChildren<LedDisplay*>(name).size(), 1);
        QCOMPARE(f.page->displays()[i], member);  // refresh order = data order
        QCOMPARE(f.page->display(name), member);
        QCOMPARE(QString::fromLatin1(instantDisplays()[i].name.data(), instantDisplays()[i].name.size()), name);
    }
    QCOMPARE(f.page->display(QStringLiteral("V4")), nullptr);
    // Inside Panel7, right below the strip and above the stretch.
    QCOMPARE(f.page->parentWidget(), f.panel7);
    QCOMPARE(f.panel7->layout()->indexOf(f.strip), 0);
    QCOMPARE(f.panel7->layout()->indexOf(f.page), 1);
    f.sheet.resize(900, 600);
    f.sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.sheet));
    QVERIFY(f.page->geometry().top() >= f.strip->geometry().bottom());
    for (LedDisplay* d : f.page->displays()) QVERIFY(d->isVisible() && d->width() > 0);
}

void InstantValuesPageTest::captionsAndUnitsOfTheGroups() {
    PageFixture f;
    const QStringList texts = labelTexts(f.page);
    for (const char* expected : {"Gerilim ",
                                 "Akım ",
                                 "Aktif Güçler ",
                                 "Reaktif Güçler ",
                                 "Görünen Güçler ",
                                 "V",
                                 "A",
                                 "kW",
                                 "kVAr",
                                 "kVA",
                                 "Cos",
                                 "j1",
                                 "j2",
                                 "j3",
                                 "İnd Cos",
                                 "Kap Cos",
                                 "Frekans:",
                                 "Gerilim Açısı",
                                 "Akım Açısı",
                                 "°",
                                 "Sıcaklık:",
                                 "R",
                                 "S",
                                 "T"}) {
        QVERIFY2(texts.contains(QString::fromUtf8(expected)), expected);
    }
    // R, S, T in five phase groups and two angle groups, and a total row "S" in each power group.
    QCOMPARE(texts.count(QStringLiteral("R")), 7);
    QCOMPARE(texts.count(QStringLiteral("T")), 7);
    QCOMPARE(texts.count(QStringLiteral("S")), 10);
    QCOMPARE(texts.count(QStringLiteral("kVAr")), 4);
    QCOMPARE(texts.count(QString::fromUtf8("°")), 6);
}

void InstantValuesPageTest::resetRowShowsPlaceholders() {
    for (char separator : {'.', ','}) {
        PageFixture f(separator);
        for (int reg = 0; reg < 66; ++reg) QVERIFY(f.table.setValue(1, reg, reg % 2 ? 7 : 0));
        f.page->Timer1Timer();
        QCOMPARE(f.text(&InstantValuesPage::gracisi_r), QStringLiteral("007"));
        f.table.resetForDeviceSelection();
        f.page->Timer1Timer();
        const QString sep(QChar::fromLatin1(separator));
        QCOMPARE(f.text(&InstantValuesPage::V1), "---" + sep + "-");
        QCOMPARE(f.text(&InstantValuesPage::Cos1), "-" + sep + "---");
        QCOMPARE(f.text(&InstantValuesPage::gracisi_r), QStringLiteral("---"));
        QCOMPARE(f.text(&InstantValuesPage::sicaklik), "--" + sep + QString::fromUtf8("--°"));
        for (std::size_t i = 0; i < instantDisplays().size(); ++i) {
            const std::string placeholder = placeholderText(instantDisplays()[i], separator);
            QCOMPARE(f.page->displays()[i]->text(), QString::fromUtf8(cp1254::toUtf8(placeholder)));
        }
    }
}

void InstantValuesPageTest::storedRegistersShowReadings_data() {
    QTest::addColumn<char>("separator");
    QTest::addColumn<int>("reg");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("voltage") << '.' << 0 << 0.0 << 2300.0 << QStringLiteral("V1") << QStringLiteral("230.0");
    QTest::newRow("voltage, comma") << ',' << 0 << 0.0 << 2300.0 << QStringLiteral("V1") << QStringLiteral("230,0");
    QTest::newRow("largest voltage") << '.' << 4 << 65535.0 << 65535.0 << QStringLiteral("V3")
                                     << QStringLiteral("429496729.5");
    QTest::newRow("negative power") << '.' << 12 << 65535.0 << 64536.0 << QStringLiteral("kW1")
                                    << QStringLiteral("-000.1");
    QTest::newRow("negative cos") << '.' << 30 << 0.0 << 65036.0 << QStringLiteral("Cos1") << QStringLiteral("-0.500");
    QTest::newRow("cos ignores first") << '.' << 30 << 1.0 << 500.0 << QStringLiteral("Cos1")
                                       << QStringLiteral("0.500");
    QTest::newRow("reactive total") << '.' << 40 << 0.0 << 12345.0 << QStringLiteral("toplamreaktif")
                                    << QStringLiteral("001.2");
    QTest::newRow("frequency") << ',' << 50 << 0.0 << 5001.0 << QStringLiteral("Fr") << QStringLiteral("050,0");
    QTest::newRow("current angle") << '.' << 62 << 0.0 << 120.0 << QStringLiteral("akacisi_t") << QStringLiteral("120");
    QTest::newRow("temperature") << '.' << 64 << 0.0 << 31.0 << QStringLiteral("sicaklik")
                                 << QString::fromUtf8("31.00°");
}

void InstantValuesPageTest::storedRegistersShowReadings() {
    QFETCH(char, separator);
    QFETCH(int, reg);
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    PageFixture f(separator);
    f.store(1, reg, first, second);
    f.page->Timer1Timer();
    QCOMPARE(f.page->display(name)->text(), expected);
    // Only that display left its placeholder.
    for (LedDisplay* d : f.page->displays()) {
        if (d->objectName() != name)
            QVERIFY2(!d->text().contains(QRegularExpression("[0-9]")), qPrintable(d->objectName()));
    }
}

void InstantValuesPageTest::activePageRewritesRowBox() {
    PageFixture f;
    f.store(1, 0, 0, 2300);
    f.store(2, 0, 0, 2200);
    f.edit1->setText(QStringLiteral("2"));
    f.page->Timer1Timer();
    QCOMPARE(f.edit1->text(), QStringLiteral("1"));
    QCOMPARE(f.text(&InstantValuesPage::V1), QStringLiteral("230.0"));
    // Even a row box that holds no number is put back before it is read.
    f.edit1->setText(QStringLiteral("abc"));
    f.store(1, 0, 0, 2310);
    f.page->Timer1Timer();
    QCOMPARE(f.edit1->text(), QStringLiteral("1"));
    QCOMPARE(f.text(&InstantValuesPage::V1), QStringLiteral("231.0"));
}

void InstantValuesPageTest::rowBoxOnAnotherPage_data() {
    QTest::addColumn<QString>("rowText");
    QTest::addColumn<QString>("v1");
    QTest::newRow("row 2") << QStringLiteral("2") << QStringLiteral("220.0");
    QTest::newRow("leading blanks") << QStringLiteral("  2") << QStringLiteral("220.0");
    QTest::newRow("row 1") << QStringLiteral("1") << QStringLiteral("230.0");
    QTest::newRow("last row") << QStringLiteral("250") << QStringLiteral("210.0");
    // Not a row number: the displays stay as they were.
    QTest::newRow("letters") << QStringLiteral("x2") << QStringLiteral("235.0");
    QTest::newRow("empty") << QStringLiteral("") << QStringLiteral("235.0");
    QTest::newRow("decimal") << QStringLiteral("2.0") << QStringLiteral("235.0");
    QTest::newRow("trailing blank") << QStringLiteral("2 ") << QStringLiteral("235.0");
    // A number outside the table shows no values.
    QTest::newRow("row 0") << QStringLiteral("0") << QStringLiteral("---.-");
    QTest::newRow("row 251") << QStringLiteral("251") << QStringLiteral("---.-");
    QTest::newRow("negative") << QStringLiteral("-1") << QStringLiteral("---.-");
    QTest::newRow("beyond int") << QStringLiteral("99999999999") << QStringLiteral("---.-");
}

void InstantValuesPageTest::rowBoxOnAnotherPage() {
    QFETCH(QString, rowText);
    QFETCH(QString, v1);
    PageFixture f;
    f.store(1, 0, 0, 2350);
    f.page->Timer1Timer();
    QCOMPARE(f.text(&InstantValuesPage::V1), QStringLiteral("235.0"));
    f.store(1, 0, 0, 2300);
    f.store(2, 0, 0, 2200);
    f.store(250, 0, 0, 2100);
    f.pageActive = false;
    f.state.activeSerial = 4711;
    f.edit1->setText(rowText);
    f.page->Timer1Timer();
    QCOMPARE(f.edit1->text(), rowText);
    QCOMPARE(f.text(&InstantValuesPage::V1), v1);
    QCOMPARE(f.label17->text(), QStringLiteral("4711"));  // written before the row is read
}

void InstantValuesPageTest::hiddenPanelLeavesEverything() {
    PageFixture f;
    f.store(1, 0, 0, 2300);
    f.page->Timer1Timer();
    f.panel7->hide();
    f.store(1, 0, 0, 2400);
    f.state.activeSerial = 555;
    f.edit1->setText(QStringLiteral("2"));
    f.page->Timer1Timer();
    QCOMPARE(f.text(&InstantValuesPage::V1), QStringLiteral("230.0"));
    QCOMPARE(f.label17->text(), QStringLiteral("12001"));
    QCOMPARE(f.edit1->text(), QStringLiteral("2"));
    // Shown again: the next tick catches up.
    f.panel7->show();
    f.page->Timer1Timer();
    QCOMPARE(f.text(&InstantValuesPage::V1), QStringLiteral("240.0"));
    QCOMPARE(f.label17->text(), QStringLiteral("555"));
    // Panel7 on a page that is not in front is still refreshed.
    f.sheet.hide();
    f.store(1, 0, 0, 2500);
    f.page->Timer1Timer();
    QCOMPARE(f.text(&InstantValuesPage::V1), QStringLiteral("250.0"));
}

void InstantValuesPageTest::serialLabelFollowsActiveSerial() {
    PageFixture f;
    for (std::int32_t serial : {12001, 0, 2147483647, -15}) {
        f.state.activeSerial = serial;
        f.page->Timer1Timer();
        QCOMPARE(f.label17->text(), QString::number(serial));
    }
}

// The page that start-up puts on the real main window: Panel7 of page 0, the
// table of VD1KAL, the shell's state and page control, ticking through Timer1.
void InstantValuesPageTest::tickThroughTheRealShell() {
    ShellFixture shell;
    TFrmAna& ana = shell.ana();
    const ShellPages& p = ana.pages();
    PageControl* pages = ana.pageControl();
    RegisterTable& table = shell.forms.VD1KAL->table;
    const auto found = p.Panel7->findChildren<InstantValuesPage*>();
    QCOMPARE(found.size(), 1);
    InstantValuesPage* page = found.front();
    QVERIFY(shell.startWithoutLogin());
    ana.state().decimalSeparator = ',';
    ana.state().activeSerial = 12345;
    QVERIFY(table.setValue(1, 1, 2300));
    QVERIFY(table.setValue(1, 0, 0));
    QVERIFY(table.setValue(2, 0, 0));
    QVERIFY(table.setValue(2, 1, 2200));
    pages->selectPage(0);
    p.Edit1->setText(QStringLiteral("2"));
    ana.Timer1Timer();
    QCOMPARE(page->V1->text(), QStringLiteral("230,0"));
    QCOMPARE(p.Edit1->text(), QStringLiteral("1"));
    QCOMPARE(p.Label17->text(), QStringLiteral("12345"));
    // Another page in front: the typed row is kept and shown.
    pages->selectPage(1);
    QCOMPARE(pages->activePage(), 1);
    p.Edit1->setText(QStringLiteral("2"));
    ana.Timer1Timer();
    QCOMPARE(p.Edit1->text(), QStringLiteral("2"));
    QCOMPARE(page->V1->text(), QStringLiteral("220,0"));
    // An over-current relay hides Panel7: nothing is written any more.
    p.Panel7->hide();
    QVERIFY(table.setValue(2, 1, 2000));
    ana.Timer1Timer();
    QCOMPARE(page->V1->text(), QStringLiteral("220,0"));
}

QTEST_MAIN(InstantValuesPageTest)
#include "instant_values_page.moc"
