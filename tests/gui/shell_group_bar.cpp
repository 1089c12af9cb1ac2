// The device list's group bar: group order and lookup, entries at the top,
// colours, icons, clicks (also a click that clears the list), folding.
#include <QPointer>
#include <QTest>

#include "toolkit/ui/GroupBar.h"
#include "toolkit/ui/ImageList.h"

using namespace izleme;

class ShellGroupBar : public QObject {
    Q_OBJECT

private slots:
    void groupsAreAppendedAndFoundByExactCaption() {
        GroupBar bar;
        GroupBar::Group* a = bar.addGroup("MERKEZ");
        GroupBar::Group* b = bar.addGroup("ŞUBE");
        QCOMPARE(bar.groupCount(), 2);
        QCOMPARE(bar.group(0), a);
        QCOMPARE(bar.group(1), b);
        QCOMPARE(bar.group(2), nullptr);
        QCOMPARE(bar.group(-1), nullptr);
        QCOMPARE(bar.findGroup("ŞUBE"), b);
        QCOMPARE(bar.findGroup("merkez"), nullptr);
        QCOMPARE(bar.findGroup("MERKEZ "), nullptr);
        QCOMPARE(b->caption(), QString("ŞUBE"));
        a->setColors(QColor(0xC0, 0xC0, 0xC0), QColor(0xFF, 0xFB, 0xF0));
        QCOMPARE(a->captionColor(), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(a->bodyColor(), QColor(0xFF, 0xFB, 0xF0));
    }

    void newEntriesGoOnTop() {
        GroupBar bar;
        GroupBar::Group* g = bar.addGroup("G");
        g->insertEntryAtTop("Pano No: 1", 0);
        g->insertEntryAtTop("Röle No: 2", 3);
        GroupBar::Entry* e = g->insertEntryAtTop("Sayaç No: 3", 4);
        QCOMPARE(g->entryCount(), 3);
        QCOMPARE(g->entry(0), e);
        const QStringList order = {"Sayaç No: 3", "Röle No: 2", "Pano No: 1"};
        const QList<int> icons = {4, 3, 0};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(g->entry(i)->caption(), order[i]);
            QCOMPARE(g->entry(i)->iconIndex(), icons[i]);
        }
        QCOMPARE(g->entry(3), nullptr);
        // Laid out top to bottom in the same order.
        bar.resize(241, 400);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QVERIFY(g->entryRect(0).bottom() < g->entryRect(1).top());
        QVERIFY(g->entryRect(1).bottom() < g->entryRect(2).top());
        QVERIFY(g->rect().contains(g->entryRect(2)));
        QVERIFY(g->captionRect().bottom() < g->entryRect(0).top());
        QCOMPARE(e->fontColor(), QColor(Qt::black));
        e->setFontColor(QColor(255, 0, 0));
        QCOMPARE(e->fontColor(), QColor(255, 0, 0));
    }

    void clickRunsTheActionWithTheEntry() {
        GroupBar bar;
        GroupBar::Group* g = bar.addGroup("G");
        GroupBar::Entry* first = g->insertEntryAtTop("A No: 1", 0);
        GroupBar::Entry* second = g->insertEntryAtTop("B No: 2", 0);
        QList<GroupBar::Entry*> clicked;
        for (GroupBar::Entry* e : {first, second}) e->setClickAction([&](GroupBar::Entry* x) { clicked << x; });
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QTest::mouseClick(g, Qt::LeftButton, {}, g->entryRect(0).center());
        first->click();
        QCOMPARE(clicked, QList<GroupBar::Entry*>({second, first}));
    }

    // A re-login empties the list from inside the click on an entry.
    void actionMayClearTheList() {
        GroupBar bar;
        GroupBar::Group* g = bar.addGroup("G");
        GroupBar::Group* h = bar.addGroup("H");
        h->insertEntryAtTop("C No: 3", 4);
        QPointer<GroupBar::Entry> e = g->insertEntryAtTop("A No: 1", 0);
        int runs = 0;
        e->setClickAction([&](GroupBar::Entry* self) {
            ++runs;
            bar.clearAllEntries();
            QCOMPARE(self->caption(), QString("A No: 1"));  // still usable until the loop runs
        });
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QTest::mouseClick(g, Qt::LeftButton, {}, g->entryRect(0).center());
        QCOMPARE(runs, 1);
        QCOMPARE(bar.groupCount(), 2);
        QCOMPARE(g->entryCount(), 0);
        QCOMPARE(h->entryCount(), 0);
        QTRY_VERIFY(e.isNull());
        g->insertEntryAtTop("D No: 4", 3);
        QCOMPARE(g->entryCount(), 1);
    }

    void captionClickFoldsTheGroup() {
        GroupBar bar;
        GroupBar::Group* g = bar.addGroup("G");
        int clicks = 0;
        g->insertEntryAtTop("A No: 1", 0)->setClickAction([&](GroupBar::Entry*) { ++clicks; });
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        const QPoint row = g->entryRect(0).center();
        const int open = g->height();
        QTest::mouseClick(g, Qt::LeftButton, {}, g->captionRect().center());
        QVERIFY(g->isCollapsed());
        QCOMPARE(g->entryRect(0), QRect());
        QTRY_VERIFY(g->height() < open);
        QTest::mouseClick(g, Qt::LeftButton, {}, row);  // nothing there now
        QCOMPARE(clicks, 0);
        QTest::mouseClick(g, Qt::LeftButton, {}, g->captionRect().center());
        QVERIFY(!g->isCollapsed());
        QTRY_COMPARE(g->height(), open);
        QTest::mouseClick(g, Qt::LeftButton, {}, row);
        QCOMPARE(clicks, 1);
    }

    void imageListHasTheDeviceIcons() {
        const QList<int> drawn = {0, 3, 4};
        QList<QImage> images;
        for (int i : drawn) {
            QVERIFY2(!ImageList::icon(i).isNull(), qPrintable(QString::number(i)));
            images << ImageList::icon(i).pixmap(16, 16).toImage();
        }
        QVERIFY(images[0] != images[1] && images[1] != images[2] && images[0] != images[2]);
        for (int i : {-1, 1, 2, 5, 99}) QVERIFY2(ImageList::icon(i).isNull(), qPrintable(QString::number(i)));
        QList<QImage> frames;
        for (int i = 0; i < ImageList::trayFrameCount; ++i) {
            frames << ImageList::trayFrame(i).pixmap(16, 16).toImage();
            for (int j = 0; j < i; ++j) QVERIFY(frames[i] != frames[j]);
        }
        QCOMPARE(ImageList::trayFrame(5).pixmap(16, 16).toImage(), frames[0]);
    }
};

QTEST_MAIN(ShellGroupBar)
#include "shell_group_bar.moc"
