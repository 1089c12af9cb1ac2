#include "toolkit/ui/GroupBar.h"

#include <QHash>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "toolkit/ui/ImageList.h"

namespace izleme {
namespace {

const QColor kDefaultCaptionColor(0xC0, 0xC0, 0xC0);

// The look of group captions of one colour. One sheet on the bar's column
// styles every caption of the default colour: a sheet per caption would be
// parsed and applied again for each of hundreds of groups.
QString captionSheet(const QColor& color) {
    return QStringLiteral(
               "QToolButton#GroupCaption { background: %1; color: black; font-weight: bold;"
               " border: 1px solid #808080; padding: 3px; text-align: left; }")
        .arg(color.name());
}

}  // namespace

// The body of a group: paints the entries of its group as rows (icon, then the
// caption in the entry's font colour) and turns a mouse click on a row into
// that entry's click(). Only the rows inside the exposed area are painted.
class GroupBarEntryView : public QWidget {
public:
    explicit GroupBarEntryView(GroupBarGroup* group) : QWidget(group), group_(group) {
        setObjectName(QStringLiteral("GroupBody"));
        setMouseTracking(true);
        setCursor(Qt::PointingHandCursor);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    int rowHeight() const { return std::max(kIcon, fontMetrics().height()) + 6; }

    QRect rowRect(int index) const {
        if (index < 0 || index >= group_->entryCount()) return {};
        return {kMarginX, kMarginY + index * rowHeight(), width() - 2 * kMarginX, rowHeight()};
    }

    int rowAt(QPoint pos) const {
        if (pos.x() < kMarginX || pos.x() >= width() - kMarginX || pos.y() < kMarginY) return -1;
        const int row = (pos.y() - kMarginY) / rowHeight();
        return row < group_->entryCount() ? row : -1;
    }

    // The entries moved or one of them changed: repaint once. Many changes
    // before the next paint (a whole list recoloured) cost one flag test each.
    void entriesChanged() {
        if (repaintPending_ || !isVisible()) return;
        repaintPending_ = true;
        update();
    }

    void countChanged() {
        updateGeometry();
        entriesChanged();
    }

    QSize sizeHint() const override { return {kDefaultWidth, 2 * kMarginY + group_->entryCount() * rowHeight()}; }
    QSize minimumSizeHint() const override { return {2 * kMarginX + kIcon, sizeHint().height()}; }

protected:
    void paintEvent(QPaintEvent* event) override {
        repaintPending_ = false;
        QPainter p(this);
        const QRect area = event->rect();
        p.fillRect(area, group_->bodyColor());
        const int h = rowHeight();
        const int count = group_->entryCount();
        if (count == 0) return;
        const int first = std::clamp((area.top() - kMarginY) / h, 0, count - 1);
        const int last = std::clamp((area.bottom() - kMarginY) / h, 0, count - 1);
        const QFont plain = font();
        QFont underlined = plain;
        underlined.setUnderline(true);
        for (int i = first; i <= last; ++i) {
            const GroupBarEntry* e = group_->entry(i);
            const QRect row = rowRect(i);
            const QPixmap& icon = iconPixmap(e->iconIndex());
            if (!icon.isNull()) p.drawPixmap(row.left() + kPadX, row.top() + (h - kIcon) / 2, icon);
            const QRect text = row.adjusted(kPadX + kIcon + kGap, 0, -kPadX, 0);
            const bool hot = e == hovered_.data();
            p.setFont(hot ? underlined : plain);
            p.setPen(e->fontColor());
            const QFontMetrics fm(p.font());
            p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                       fm.elidedText(e->caption(), Qt::ElideRight, text.width()));
        }
    }

    void mouseMoveEvent(QMouseEvent* event) override { setHovered(entryAt(event->position().toPoint())); }
    void leaveEvent(QEvent*) override { setHovered(nullptr); }
    void hideEvent(QHideEvent*) override { repaintPending_ = false; }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) pressed_ = entryAt(event->position().toPoint());
    }

    // As a button does: the click counts when the mouse goes up over the same entry.
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        GroupBarEntry* target = std::exchange(pressed_, nullptr).data();
        if (target != nullptr && target == entryAt(event->position().toPoint())) target->click();
    }

    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::FontChange) updateGeometry();
        QWidget::changeEvent(event);
    }

private:
    static constexpr int kIcon = 16;
    static constexpr int kMarginX = 4;
    static constexpr int kMarginY = 2;
    static constexpr int kPadX = 4;
    static constexpr int kGap = 4;
    static constexpr int kDefaultWidth = 200;

    GroupBarEntry* entryAt(QPoint pos) const { return group_->entry(rowAt(pos)); }

    void setHovered(GroupBarEntry* entry) {
        if (hovered_.data() == entry) return;
        hovered_ = entry;
        update();
    }

    // The device icons are drawn once per index and kept.
    const QPixmap& iconPixmap(int index) {
        auto it = icons_.find(index);
        if (it == icons_.end()) it = icons_.insert(index, ImageList::icon(index).pixmap(kIcon, kIcon));
        return *it;
    }

    GroupBarGroup* group_;
    QHash<int, QPixmap> icons_;
    QPointer<GroupBarEntry> hovered_;
    QPointer<GroupBarEntry> pressed_;
    bool repaintPending_ = false;
};

GroupBarEntry::GroupBarEntry(const QString& caption, int iconIndex, GroupBarGroup* group)
    : caption_(caption), iconIndex_(iconIndex), group_(group) {}

GroupBarEntry::~GroupBarEntry() { delete handle_.data(); }

QAbstractButton* GroupBarEntry::clickHandle() {
    if (handle_.isNull()) {
        auto* button = new QPushButton(caption_);
        button->setAttribute(Qt::WA_DontShowOnScreen);
        connect(button, &QAbstractButton::clicked, this, &GroupBarEntry::click);
        handle_ = button;
    }
    return handle_;
}

void GroupBarEntry::setIconIndex(int index) {
    iconIndex_ = index;
    if (group_ != nullptr) group_->entryChanged(this);
}

void GroupBarEntry::setFontColor(const QColor& color) {
    if (color == fontColor_) return;
    fontColor_ = color;
    if (group_ != nullptr) group_->entryChanged(this);
}

void GroupBarEntry::click() {
    if (!action_) return;
    // Copy first: the action may clear the list and so schedule this entry's deletion.
    const auto action = action_;
    action(this);
}

GroupBarGroup::GroupBarGroup(const QString& caption, QWidget* parent) : QWidget(parent), caption_(caption) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->setSpacing(0);
    captionButton_ = new QToolButton(this);
    captionButton_->setObjectName(QStringLiteral("GroupCaption"));
    captionButton_->setText(caption);
    captionButton_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    captionButton_->setArrowType(Qt::DownArrow);
    captionButton_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout->addWidget(captionButton_);
    body_ = new GroupBarEntryView(this);
    layout->addWidget(body_);
    connect(captionButton_, &QToolButton::clicked, this, [this] { setCollapsed(!collapsed_); });
}

GroupBarGroup::~GroupBarGroup() { qDeleteAll(std::exchange(entries_, {})); }

QString GroupBarGroup::caption() const { return caption_; }

void GroupBarGroup::setColors(const QColor& captionColor, const QColor& bodyColor) {
    if (captionColor == captionColor_ && bodyColor == bodyColor_) return;
    captionColor_ = captionColor;
    bodyColor_ = bodyColor;
    applyColors();
}

void GroupBarGroup::applyColors() {
    captionButton_->setStyleSheet(captionColor_ == kDefaultCaptionColor ? QString() : captionSheet(captionColor_));
    body_->update();
}

void GroupBarGroup::setCollapsed(bool collapsed) {
    collapsed_ = collapsed;
    body_->setVisible(!collapsed);
    captionButton_->setArrowType(collapsed ? Qt::RightArrow : Qt::DownArrow);
}

GroupBarEntry* GroupBarGroup::insertEntryAtTop(const QString& caption, int iconIndex) {
    auto* e = new GroupBarEntry(caption, iconIndex, this);
    entries_.prepend(e);
    body_->countChanged();
    return e;
}

GroupBarEntry* GroupBarGroup::entry(int index) const {
    return (index >= 0 && index < entries_.size()) ? entries_.at(index) : nullptr;
}

void GroupBarGroup::clearEntries() {
    const QList<GroupBarEntry*> old = std::exchange(entries_, {});
    for (GroupBarEntry* e : old) {
        e->group_ = nullptr;
        e->setClickAction(nullptr);
        e->deleteLater();
    }
    body_->countChanged();
}

QWidget* GroupBarGroup::entryView() const { return body_; }

QRect GroupBarGroup::entryRect(int index) const { return body_->rowRect(index); }

void GroupBarGroup::entryChanged(const GroupBarEntry*) { body_->entriesChanged(); }

GroupBar::GroupBar(QWidget* parent) : QScrollArea(parent) {
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column_ = new QWidget;
    column_->setObjectName(QStringLiteral("GroupBarColumn"));
    column_->setStyleSheet(captionSheet(kDefaultCaptionColor));
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
    if (!byCaption_.contains(caption)) byCaption_.insert(caption, g);
    return g;
}

GroupBarGroup* GroupBar::group(int index) const {
    return (index >= 0 && index < groups_.size()) ? groups_.at(index) : nullptr;
}

GroupBarGroup* GroupBar::findGroup(const QString& caption) const { return byCaption_.value(caption, nullptr); }

void GroupBar::clearAllEntries() {
    for (GroupBarGroup* g : groups_) g->clearEntries();
}

}  // namespace izleme
