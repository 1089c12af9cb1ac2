// The collapsible group bar of the device list: a vertical, scrollable column
// of groups, each a caption that folds its body and a list of icon entries.
// Entries are light objects painted by one list widget per group, so a list
// of many thousands of devices builds, recolours and scrolls quickly.
#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QScrollArea>
#include <QString>
#include <QToolButton>
#include <functional>

class QAbstractButton;
class QVBoxLayout;

namespace izleme {

class GroupBarGroup;
class GroupBarEntryView;

// One entry: caption, icon index, font colour and click action. Not a widget:
// its group's list widget paints it and turns mouse clicks into click().
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

// A group of the bar, made by GroupBar::addGroup (the bar styles its caption).
class GroupBarGroup : public QWidget {
    Q_OBJECT
public:
    explicit GroupBarGroup(const QString& caption, QWidget* parent = nullptr);
    ~GroupBarGroup() override;

    QString caption() const;
    QColor captionColor() const { return captionColor_; }
    QColor bodyColor() const { return bodyColor_; }
    void setColors(const QColor& captionColor, const QColor& bodyColor);

    bool isCollapsed() const { return collapsed_; }
    void setCollapsed(bool collapsed);
    QToolButton* captionButton() const { return captionButton_; }

    // The new entry becomes entry 0.
    GroupBarEntry* insertEntryAtTop(const QString& caption, int iconIndex = -1);
    int entryCount() const { return static_cast<int>(entries_.size()); }
    GroupBarEntry* entry(int index) const;  // null outside 0..entryCount()-1
    // Removes every entry; entries go away once control returns to the event
    // loop, so a click action may clear the list it was clicked in.
    void clearEntries();

    // The widget that paints the entries (hidden while the group is folded)
    // and where entry `index` lies in it; an empty rectangle outside the range.
    QWidget* entryView() const;
    QRect entryRect(int index) const;

private:
    friend class GroupBarEntry;
    friend class GroupBarEntryView;
    void entryChanged(const GroupBarEntry* entry);
    void applyColors();

    QString caption_;
    QToolButton* captionButton_;
    GroupBarEntryView* body_;
    QList<GroupBarEntry*> entries_;
    QColor captionColor_ = QColor(0xC0, 0xC0, 0xC0);  // what the bar's column styles
    QColor bodyColor_ = QColor(0xFF, 0xFB, 0xF0);
    bool collapsed_ = false;
};

class GroupBar : public QScrollArea {
    Q_OBJECT
public:
    using Group = GroupBarGroup;
    using Entry = GroupBarEntry;

    explicit GroupBar(QWidget* parent = nullptr);

    Group* addGroup(const QString& caption);  // appended below the others
    int groupCount() const { return static_cast<int>(groups_.size()); }
    Group* group(int index) const;                   // null outside the range
    Group* findGroup(const QString& caption) const;  // exact match, first found
    void clearAllEntries();                          // the groups stay

private:
    QWidget* column_;
    QVBoxLayout* columnLayout_;
    QList<Group*> groups_;
    QHash<QString, Group*> byCaption_;  // the first group of each caption
};

}  // namespace izleme
