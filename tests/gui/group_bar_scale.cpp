// The group bar's painted entries in a long list: what reaches the screen
// after recolouring (also while the rows are scrolled out of sight), mouse
// clicks mapped to the right entry anywhere in the list, and the click handle
// that drives an entry as a button.
#include <QAbstractButton>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QToolTip>
#include <QtTest>

#include "toolkit/ui/GroupBar.h"

using namespace izleme;

namespace {

constexpr int kEntries = 2000;

// Pixels of an image close to a colour (anti-aliased edges excluded).
int pixelsNear(const QImage& image, const QColor& color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - color.red()) < 40 && qAbs(c.green() - color.green()) < 40 &&
                qAbs(c.blue() - color.blue()) < 40)
                ++count;
        }
    return count;
}

// A shown bar with one group of kEntries entries; entry i reads "Pano No: N"
// with N = kEntries - i (the first one received is at the bottom).
struct LongList {
    GroupBar bar;
    GroupBar::Group* group = bar.addGroup("FABRIKA");
    QList<QString> clicked;

    LongList() {
        for (int n = 1; n <= kEntries; ++n)
            group->insertEntryAtTop(QStringLiteral("Pano No: %1").arg(n), 0)->setClickAction([this](GroupBarEntry* e) {
                clicked << e->caption();
            });
        bar.resize(241, 400);
        bar.show();
    }

    // The part of the screen the bar occupies, as the backing store last showed it.
    QImage onScreen() {
        QCoreApplication::processEvents();
        return bar.screen()->grabWindow(bar.winId()).toImage();
    }

    // Whether entry `index` lies wholly in the visible part of the bar.
    bool inSight(int index) {
        const QRect r = group->entryRect(index);
        return bar.viewport()->rect().contains(QRect(group->mapTo(bar.viewport(), r.topLeft()), r.size()));
    }

    // Scrolls entry `index` into view and gives its centre in the view.
    QPoint reveal(int index) {
        const QRect r = group->entryRect(index);
        const QPoint inColumn = group->mapTo(bar.widget(), r.center());
        bar.ensureVisible(inColumn.x(), inColumn.y(), 0, r.height());
        QCoreApplication::processEvents();
        return r.center();
    }
};

}  // namespace

class GroupBarScale : public QObject {
    Q_OBJECT

private slots:
    void rowsSpanTheListInOrder() {
        LongList l;
        QVERIFY(QTest::qWaitForWindowExposed(&l.bar));
        const QRect first = l.group->entryRect(0);
        const QRect last = l.group->entryRect(kEntries - 1);
        QCOMPARE(last.top() - first.top(), (kEntries - 1) * first.height());
        QVERIFY(l.group->height() > last.bottom());
        QVERIFY(l.bar.verticalScrollBar()->maximum() > 0);
        QCOMPARE(l.group->entryRect(kEntries), QRect());
        QCOMPARE(l.group->entryRect(-1), QRect());
    }

    // Groups stack top to bottom without overlapping; a group that grows,
    // shrinks or folds moves the groups below it, and the column covers them all.
    void groupsStackAndFollowTheirSize() {
        GroupBar bar;
        QList<GroupBar::Group*> g;
        for (const char* caption : {"A", "B", "C"}) g << bar.addGroup(caption);
        g[0]->insertEntryAtTop("A No: 1", 0);
        bar.resize(241, 400);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        const auto stacked = [&] {
            for (int i = 0; i + 1 < g.size(); ++i)
                if (g[i]->geometry().bottom() >= g[i + 1]->geometry().top()) return false;
            return g.last()->geometry().bottom() < bar.widget()->height();
        };
        QTRY_VERIFY(stacked());
        const int row = g[0]->entryRect(0).height();
        const int top = g[2]->y();

        for (int i = 0; i < 40; ++i) g[0]->insertEntryAtTop(QStringLiteral("A No: %1").arg(i + 2), 0);
        QTRY_COMPARE(g[2]->y(), top + 40 * row);
        QVERIFY(stacked());
        QVERIFY(bar.verticalScrollBar()->maximum() > 0);

        g[0]->setCollapsed(true);
        QTRY_VERIFY(g[2]->y() < top);
        QVERIFY(stacked());
        g[0]->setCollapsed(false);
        g[0]->clearEntries();
        QTRY_COMPARE(g[2]->y(), top - row);
        QVERIFY(stacked());
    }

    // The colour of a recoloured entry reaches the screen, whether its row is in
    // sight at the time or scrolled in later, and again on a second change.
    void recolouringReachesTheScreen_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("top, in sight") << 0;
        QTest::newRow("middle, scrolled in") << kEntries / 2;
        QTest::newRow("last, scrolled in") << kEntries - 1;
    }
    void recolouringReachesTheScreen() {
        QFETCH(int, index);
        LongList l;
        QVERIFY(QTest::qWaitForWindowExposed(&l.bar));
        const QColor blue(0, 0, 255), red(255, 0, 0);
        QCOMPARE(pixelsNear(l.onScreen(), blue), 0);
        for (int i = 0; i < kEntries; ++i) l.group->entry(i)->setFontColor(blue);  // the whole list, as a mark does
        l.reveal(index);
        QTRY_VERIFY(pixelsNear(l.onScreen(), blue) > 20);
        QCOMPARE(pixelsNear(l.onScreen(), red), 0);

        for (int i = 0; i < kEntries; ++i) l.group->entry(i)->setFontColor(Qt::black);
        l.group->entry(index)->setFontColor(red);  // as a selection paints it
        QTRY_VERIFY(pixelsNear(l.onScreen(), red) > 20);
        QCOMPARE(pixelsNear(l.onScreen(), blue), 0);
    }

    void mouseClickHitsTheEntryUnderIt_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("top") << 0;
        QTest::newRow("second") << 1;
        QTest::newRow("middle") << kEntries / 2;
        QTest::newRow("last") << kEntries - 1;
    }
    void mouseClickHitsTheEntryUnderIt() {
        QFETCH(int, index);
        LongList l;
        QVERIFY(QTest::qWaitForWindowExposed(&l.bar));
        const QPoint at = l.reveal(index);
        QTest::mouseClick(l.group, Qt::LeftButton, {}, at);
        QCOMPARE(l.clicked, QList<QString>{QStringLiteral("Pano No: %1").arg(kEntries - index)});
        // The row's edges belong to it too.
        const QRect r = l.group->entryRect(index);
        QTest::mouseClick(l.group, Qt::LeftButton, {}, QPoint(r.left(), r.bottom()));
        QCOMPARE(l.clicked.size(), 2);
        QCOMPARE(l.clicked.last(), l.clicked.first());
    }

    // A press and a release on different entries, other buttons and the margin
    // below the last row click nothing.
    void strayMouseClicksNothing() {
        LongList l;
        QVERIFY(QTest::qWaitForWindowExposed(&l.bar));
        QWidget* view = l.group;
        QTest::mousePress(view, Qt::LeftButton, {}, l.group->entryRect(0).center());
        QTest::mouseRelease(view, Qt::LeftButton, {}, l.group->entryRect(1).center());
        QTest::mouseClick(view, Qt::RightButton, {}, l.group->entryRect(0).center());
        const QPoint below(l.group->entryRect(kEntries - 1).center().x(),
                           l.group->entryRect(kEntries - 1).bottom() + 2);
        l.reveal(kEntries - 1);
        QTest::mouseClick(view, Qt::LeftButton, {}, below);
        QCOMPARE(l.clicked, QList<QString>{});
    }

    // Entries inserted between the press and the release move the rows: the
    // click still goes to the entry that was pressed, if it is still under the mouse.
    void pressedEntryIsRememberedNotItsRow() {
        LongList l;
        QVERIFY(QTest::qWaitForWindowExposed(&l.bar));
        QWidget* view = l.group;
        const QPoint at = l.group->entryRect(1).center();
        QTest::mousePress(view, Qt::LeftButton, {}, at);
        l.group->insertEntryAtTop(QStringLiteral("Yeni No: 1"), 0);  // the pressed entry is now row 2
        QTest::mouseRelease(view, Qt::LeftButton, {}, at);
        QCOMPARE(l.clicked, QList<QString>{});
        QTest::mousePress(view, Qt::LeftButton, {}, at);
        QTest::mouseRelease(view, Qt::LeftButton, {}, at);
        QCOMPARE(l.clicked, QList<QString>{QStringLiteral("Pano No: %1").arg(kEntries)});  // row 1 now
    }

    // The keyboard picks and clicks entries, scrolling the current one into
    // sight, and folds and opens the group.
    void keyboardPicksAndClicks() {
        LongList l;
        QVERIFY(QTest::qWaitForWindowExposed(&l.bar));
        l.group->setFocus();
        QTRY_VERIFY(l.group->hasFocus());
        QVERIFY(!l.inSight(kEntries - 1));
        QTest::keyClick(l.group, Qt::Key_End);
        QVERIFY(l.inSight(kEntries - 1));
        QTest::keyClick(l.group, Qt::Key_Return);
        QTest::keyClick(l.group, Qt::Key_Home);
        QVERIFY(l.inSight(0));
        QTest::keyClick(l.group, Qt::Key_Down);
        QTest::keyClick(l.group, Qt::Key_Down);
        QTest::keyClick(l.group, Qt::Key_Up);
        QTest::keyClick(l.group, Qt::Key_Space);
        QCOMPARE(l.clicked, (QList<QString>{"Pano No: 1", QStringLiteral("Pano No: %1").arg(kEntries - 1)}));

        QTest::keyClick(l.group, Qt::Key_Left);
        QVERIFY(l.group->isCollapsed());
        QTest::keyClick(l.group, Qt::Key_Space);  // on a folded group: opens it, clicks nothing
        QVERIFY(!l.group->isCollapsed());
        QCOMPARE(l.clicked.size(), 2);
    }

    // A caption too long for the bar is cut on screen; the tooltip over the
    // entry gives it whole, and there is none beside the entries.
    void tooltipGivesTheWholeCaption() {
        GroupBar bar;
        GroupBar::Group* g = bar.addGroup("G");
        const QString longCaption = QStringLiteral("Depo Panosu Çok Uzun Bir İsim Taşıyan Cihaz No: 123456789");
        g->insertEntryAtTop(longCaption, 0);
        g->insertEntryAtTop("Kısa No: 1", 0);
        bar.resize(241, 300);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        const auto tipAt = [&](QPoint pos) {
            QHelpEvent help(QEvent::ToolTip, pos, g->mapToGlobal(pos));
            QApplication::sendEvent(g, &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(tipAt(g->entryRect(1).center()), longCaption);
        QCOMPARE(tipAt(g->entryRect(0).center()), QStringLiteral("Kısa No: 1"));
        QTRY_COMPARE(tipAt(g->captionRect().center()), QString());
    }

    // The handle clicks its entry; it goes with the entry, and a cleared entry
    // (its action dropped) no longer runs anything.
    void clickHandleDrivesItsEntry() {
        GroupBar bar;
        GroupBar::Group* g = bar.addGroup("G");
        QPointer<GroupBarEntry> e = g->insertEntryAtTop("A No: 1", 0);
        int runs = 0;
        e->setClickAction([&](GroupBarEntry* self) {
            ++runs;
            QCOMPARE(self, e.data());
        });
        QPointer<QAbstractButton> handle = e->clickHandle();
        QVERIFY(handle);
        QCOMPARE(e->clickHandle(), handle.data());
        QVERIFY(!handle->isVisible());
        handle->click();
        QCOMPARE(runs, 1);
        bar.clearAllEntries();
        handle->click();
        QCOMPARE(runs, 1);
        QTRY_VERIFY(e.isNull());
        QVERIFY(handle.isNull());
    }
};

QTEST_MAIN(GroupBarScale)
#include "group_bar_scale.moc"
