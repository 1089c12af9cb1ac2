// Every page of the main window fits its window without sideways scrolling:
// at the window's start size (1024 x 700) all but the harmonics page, whose
// three columns of fixed-size pictures need a laptop screen's width, and at
// 1366 x 768 every page. A page that outgrows the window still scrolls, but
// an operator should not have to scroll to read the values.
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "app/ui/PageControl.h"
#include "app/ui/ShellPages.h"
#include "gui/shell_fixture.h"

using namespace izleme;

class PagesFitTest : public QObject {
    Q_OBJECT
private slots:
    void pagesFitTheWindow_data() {
        QTest::addColumn<QSize>("windowSize");
        QTest::addColumn<QList<int>>("pagesThatMayScroll");
        QTest::newRow("start size") << QSize(1024, 700) << QList<int>{3};
        QTest::newRow("laptop screen") << QSize(1366, 740) << QList<int>{};
    }

    void pagesFitTheWindow() {
        QFETCH(QSize, windowSize);
        QFETCH(QList<int>, pagesThatMayScroll);
        ShellFixture shell;
        QVERIFY(shell.startWithoutLogin());
        TFrmAna& ana = shell.ana();
        ana.resize(windowSize);
        PageControl* pages = ana.pageControl();
        for (int i = 0; i < ShellPages::count; ++i) pages->setTabVisible(i, true);

        for (int i = 0; i < ShellPages::count; ++i) {
            if (pagesThatMayScroll.contains(i)) continue;
            pages->selectPage(i);
            QScrollArea* scroll = pages->scrollAreaOf(i);
            QVERIFY(scroll != nullptr);
            QTRY_VERIFY(scroll->viewport()->width() > 0);
            QApplication::processEvents();
            const int needed = scroll->widget()->minimumSizeHint().width();
            const int room = scroll->viewport()->width();
            QVERIFY2(needed <= room, qPrintable(QStringLiteral("page %1 \"%2\" needs %3 px, has %4")
                                                    .arg(i)
                                                    .arg(pages->tabText(i))
                                                    .arg(needed)
                                                    .arg(room)));
        }
    }
};

QTEST_MAIN(PagesFitTest)
#include "pages_fit.moc"
