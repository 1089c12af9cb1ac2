// The collapsible group bar of the device list: a vertical, scrollable column
// of groups, each a caption that folds its body and a list of icon entries.
// Entries are light objects that their group's widget paints, so a list of
// many thousands of devices builds, recolours and scrolls quickly.
#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QScrollArea>
#include <QString>
#include <functional>

class QAbstractButton;

namespace izleme {

class GroupBarColumn;
class GroupBarGroup;

// One entry: caption, icon index, font colour and click action. Not a widget:
// its group paints it and turns mouse clicks on it into click().
class GroupBarEntry : public QObject {
    Q_OBJECT
public:
    ~GroupBarEntry() override;

    QString caption() const { return caption_; }
    int iconIndex() const { return iconIndex_; }
    void setIconIndex(int index);
    QColor fontColor() const { return fontColor_; }
    void setFontColor(const QColor& color);
    // Runs on every click; the action may clear the list this entry is in.
    void setClickAction(std::function<void(GroupBarEntry*)> action) { action_ = std::move(action); }

    // A hidden button whose click() clicks this entry, for code that drives
    // entries as buttons; made on first use, it goes away with the entry.
    QAbstractButton* clickHandle();

public slots:
    // What a mouse click on the entry does: runs the click action.
    void click();

private:
    friend class GroupBarGroup;
    GroupBarEntry(const QString& caption, int iconIndex, GroupBarGroup* group);

    QString caption_;
    int iconIndex_ = -1;
    QColor fontColor_ = Qt::black;
    std::function<void(GroupBarEntry*)> action_;
    GroupBarGroup* group_;  // null once the entry left its group
    QPointer<QAbstractButton> handle_;
};

// A group of the bar: one widget that paints its caption (a click on it folds
// the group) and, below it, its entries as rows of icon and caption. Only the
// rows in sight are painted; many changes before a paint cost one repaint.
class GroupBarGroup : public QWidget {
    Q_OBJECT
public:
    explicit GroupBarGroup(const QString& caption, QWidget* parent = nullptr);
    ~GroupBarGroup() override;

    QString caption() const { return caption_; }
    QColor captionColor() const { return captionColor_; }
    QColor bodyColor() const { return bodyColor_; }
    void setColors(const QColor& captionColor, const QColor& bodyColor);

    bool isCollapsed() const { return collapsed_; }
    void setCollapsed(bool collapsed);

    // The new entry becomes entry 0.
    GroupBarEntry* insertEntryAtTop(const QString& caption, int iconIndex = -1);
    int entryCount() const { return static_cast<int>(entries_.size()); }
    GroupBarEntry* entry(int index) const;  // null outside 0..entryCount()-1
    // Removes every entry; entries go away once control returns to the event
    // loop, so a click action may clear the list it was clicked in.
    void clearEntries();

    // Where the caption and entry `index` lie in this widget; an empty
    // rectangle for an entry outside the range or while the group is folded.
    QRect captionRect() const;
    QRect entryRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Up, Down, Home, End pick the current entry, Space or Enter clicks it,
    // Left folds the group and Right opens it.
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class GroupBarEntry;
    int captionHeight() const;
    int rowHeight() const;
    int rowAt(QPoint pos) const;
    GroupBarEntry* entryAt(QPoint pos) const { return entry(rowAt(pos)); }
    void setHovered(GroupBarEntry* entry);
    void setCurrent(int index);  // and scrolls it into sight
    void entriesChanged();       // repaint once
    void countChanged();         // new height, and repaint
    const QPixmap& iconPixmap(int index);

    QString caption_;
    QList<GroupBarEntry*> entries_;
    QColor captionColor_ = QColor(0xC0, 0xC0, 0xC0);
    QColor bodyColor_ = QColor(0xFF, 0xFB, 0xF0);
    bool collapsed_ = false;
    bool repaintPending_ = false;
    bool captionPressed_ = false;
    QPointer<GroupBarEntry> hovered_;
    QPointer<GroupBarEntry> pressed_;
    QPointer<GroupBarEntry> current_;  // the keyboard's entry
    QHash<int, QPixmap> icons_;
};

class GroupBar : public QScrollArea {
    Q_OBJECT
public:
    using Group = GroupBarGroup;
    using Entry = GroupBarEntry;

    explicit GroupBar(QWidget* parent = nullptr);
    ~GroupBar() override;

    Group* addGroup(const QString& caption);  // appended below the others
    int groupCount() const { return static_cast<int>(groups_.size()); }
    Group* group(int index) const;                   // null outside the range
    Group* findGroup(const QString& caption) const;  // exact match, first found
    void clearAllEntries();                          // the groups stay

private:
    QList<Group*> groups_;  // before column_, which refers to it
    GroupBarColumn* column_;
    QHash<QString, Group*> byCaption_;  // the first group of each caption
};

}  // namespace izleme
