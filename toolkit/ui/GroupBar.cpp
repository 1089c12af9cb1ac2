#include "toolkit/ui/GroupBar.h"

#include <QVBoxLayout>
#include <utility>

#include "toolkit/ui/ImageList.h"

namespace izleme {

GroupBarEntry::GroupBarEntry(const QString& caption, int iconIndex, QWidget* parent) : QToolButton(parent) {
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setAutoRaise(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setIconIndex(iconIndex);
    setFontColor(Qt::black);
    connect(this, &QToolButton::clicked, this, &GroupBarEntry::runAction);
}

void GroupBarEntry::setIconIndex(int index) {
    iconIndex_ = index;
    setIcon(ImageList::icon(index));
}

void GroupBarEntry::setFontColor(const QColor& color) {
    fontColor_ = color;
    setStyleSheet(QStringLiteral("QToolButton { color: %1; border: none; text-align: left; padding: 2px 4px; }"
                                 "QToolButton:hover { text-decoration: underline; }")
                      .arg(color.name()));
}

void GroupBarEntry::runAction() {
    if (!action_) return;
    // Copy first: the action may clear the list and so schedule this entry's deletion.
    const auto action = action_;
    action(this);
}

GroupBarGroup::GroupBarGroup(const QString& caption, QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->setSpacing(0);
    captionButton_ = new QToolButton(this);
    captionButton_->setText(caption);
    captionButton_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    captionButton_->setArrowType(Qt::DownArrow);
    captionButton_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout->addWidget(captionButton_);
    body_ = new QWidget(this);
    body_->setObjectName(QStringLiteral("GroupBody"));
    body_->setAutoFillBackground(true);
    bodyLayout_ = new QVBoxLayout(body_);
    bodyLayout_->setContentsMargins(4, 2, 4, 2);
    bodyLayout_->setSpacing(0);
    layout->addWidget(body_);
    connect(captionButton_, &QToolButton::clicked, this, [this] { setCollapsed(!collapsed_); });
    applyColors();
}

QString GroupBarGroup::caption() const { return captionButton_->text(); }

void GroupBarGroup::setColors(const QColor& captionColor, const QColor& bodyColor) {
    captionColor_ = captionColor;
    bodyColor_ = bodyColor;
    applyColors();
}

void GroupBarGroup::applyColors() {
    captionButton_->setStyleSheet(QStringLiteral("QToolButton { background: %1; color: black; font-weight: bold;"
                                                 " border: 1px solid #808080; padding: 3px; text-align: left; }")
                                      .arg(captionColor_.name()));
    body_->setStyleSheet(QStringLiteral("QWidget#GroupBody { background: %1; }").arg(bodyColor_.name()));
}

void GroupBarGroup::setCollapsed(bool collapsed) {
    collapsed_ = collapsed;
    body_->setVisible(!collapsed);
    captionButton_->setArrowType(collapsed ? Qt::RightArrow : Qt::DownArrow);
}

GroupBarEntry* GroupBarGroup::insertEntryAtTop(const QString& caption, int iconIndex) {
    auto* e = new GroupBarEntry(caption, iconIndex, body_);
    bodyLayout_->insertWidget(0, e);
    entries_.prepend(e);
    return e;
}

GroupBarEntry* GroupBarGroup::entry(int index) const {
    return (index >= 0 && index < entries_.size()) ? entries_.at(index) : nullptr;
}

void GroupBarGroup::clearEntries() {
    const QList<GroupBarEntry*> old = std::exchange(entries_, {});
    for (GroupBarEntry* e : old) {
        bodyLayout_->removeWidget(e);
        e->hide();
        e->setClickAction(nullptr);
        e->deleteLater();
    }
}

GroupBar::GroupBar(QWidget* parent) : QScrollArea(parent) {
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column_ = new QWidget;
    column_->setObjectName(QStringLiteral("GroupBarColumn"));
    columnLayout_ = new QVBoxLayout(column_);
    columnLayout_->setContentsMargins(2, 2, 2, 2);
    columnLayout_->setSpacing(2);
    columnLayout_->addStretch(1);
    setWidget(column_);
}

GroupBarGroup* GroupBar::addGroup(const QString& caption) {
    auto* g = new GroupBarGroup(caption, column_);
    g->setObjectName(QStringLiteral("RzGroup%1").arg(groups_.size() + 1));
    columnLayout_->insertWidget(columnLayout_->count() - 1, g);  // above the stretch
    groups_.append(g);
    return g;
}

GroupBarGroup* GroupBar::group(int index) const {
    return (index >= 0 && index < groups_.size()) ? groups_.at(index) : nullptr;
}

GroupBarGroup* GroupBar::findGroup(const QString& caption) const {
    for (GroupBarGroup* g : groups_)
        if (g->caption() == caption) return g;
    return nullptr;
}

void GroupBar::clearAllEntries() {
    for (GroupBarGroup* g : groups_) g->clearEntries();
}

}  // namespace izleme
