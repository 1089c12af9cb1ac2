// The collapsible group bar of the device list: a vertical, scrollable column
// of groups, each a caption that folds its body and a list of icon entries.
#pragma once

#include <QColor>
#include <QList>
#include <QScrollArea>
#include <QToolButton>
#include <functional>

class QVBoxLayout;

namespace izleme {

class GroupBarEntry : public QToolButton {
    Q_OBJECT
public:
    GroupBarEntry(const QString& caption, int iconIndex, QWidget* parent = nullptr);

    QString caption() const { return text(); }
    int iconIndex() const { return iconIndex_; }
    void setIconIndex(int index);
    QColor fontColor() const { return fontColor_; }
    void setFontColor(const QColor& color);
    // Runs on every click; the action may clear the list this entry is in.
    void setClickAction(std::function<void(GroupBarEntry*)> action) { action_ = std::move(action); }

private:
    void runAction();

    int iconIndex_ = -1;
    QColor fontColor_ = Qt::black;
    std::function<void(GroupBarEntry*)> action_;
};

class GroupBarGroup : public QWidget {
    Q_OBJECT
public:
    explicit GroupBarGroup(const QString& caption, QWidget* parent = nullptr);

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

private:
    void applyColors();

    QToolButton* captionButton_;
    QWidget* body_;
    QVBoxLayout* bodyLayout_;
    QList<GroupBarEntry*> entries_;
    QColor captionColor_ = QColor(0xC0, 0xC0, 0xC0);
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
};

}  // namespace izleme
