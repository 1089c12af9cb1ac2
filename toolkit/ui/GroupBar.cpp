#include "toolkit/ui/GroupBar.h"

#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QToolTip>
#include <algorithm>
#include <utility>

#include "toolkit/ui/ImageList.h"

namespace izleme {
namespace {

constexpr int kIcon = 16;
constexpr int kRowMarginX = 4;  // around the rows
constexpr int kRowMarginY = 2;
constexpr int kPadX = 4;    // inside a row
constexpr int kGap = 4;     // between icon and caption
constexpr int kBottom = 4;  // below a group
constexpr int kArrow = 8;
const QColor kCaptionBorder(0x80, 0x80, 0x80);

QFont captionFont(QFont font) {
    font.setBold(true);
    return font;
}

}  // namespace

// The bar's scrolled column: groups stacked top to bottom at their preferred
// heights, laid out once per pass of the event loop however many groups came
// or grew in it (a box layout would lay out all groups again for every group
// shown, so building hundreds of groups took quadratic time).
class GroupBarColumn : public QWidget {
public:
    explicit GroupBarColumn(const QList<GroupBarGroup*>& groups) : groups_(groups) {
        setObjectName(QStringLiteral("GroupBarColumn"));
        setAttribute(Qt::WA_StyledBackground);
    }

    QSize sizeHint() const override { return {kDefaultWidth, contentHeight_}; }
    QSize minimumSizeHint() const override { return {0, contentHeight_}; }

protected:
    bool event(QEvent* event) override {
        // Posted (and merged) when a group was added, shown, hidden or resized.
        if (event->type() == QEvent::LayoutRequest) {
            layOut();
            return true;
        }
        return QWidget::event(event);
    }
    void resizeEvent(QResizeEvent*) override { layOut(); }

private:
    static constexpr int kMargin = 2;
    static constexpr int kSpacing = 2;
    static constexpr int kDefaultWidth = 200;

    void layOut() {
        int y = kMargin;
        const int w = std::max(0, width() - 2 * kMargin);
        for (GroupBarGroup* g : groups_) {
            if (g->isHidden()) continue;
            const int h = g->sizeHint().height();
            g->setGeometry(kMargin, y, w, h);
            y += h + kSpacing;
        }
        const int height = y - kSpacing + kMargin;
        if (height != contentHeight_) {
            contentHeight_ = height;
            updateGeometry();
        }
    }

    const QList<GroupBarGroup*>& groups_;
    int contentHeight_ = 2 * kMargin;
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
    if (group_ != nullptr) group_->entriesChanged();
}

void GroupBarEntry::setFontColor(const QColor& color) {
    if (color == fontColor_) return;
    fontColor_ = color;
    if (group_ != nullptr) group_->entriesChanged();
}

void GroupBarEntry::click() {
    if (!action_) return;
    // Copy first: the action may clear the list and so schedule this entry's deletion.
    const auto action = action_;
    action(this);
}

GroupBarGroup::GroupBarGroup(const QString& caption, QWidget* parent) : QWidget(parent), caption_(caption) {
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);  // as buttons: a click leaves the focus where it was
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

GroupBarGroup::~GroupBarGroup() { qDeleteAll(std::exchange(entries_, {})); }

void GroupBarGroup::setColors(const QColor& captionColor, const QColor& bodyColor) {
    captionColor_ = captionColor;
    bodyColor_ = bodyColor;
    update();
}

void GroupBarGroup::setCollapsed(bool collapsed) {
    if (collapsed == collapsed_) return;
    collapsed_ = collapsed;
    if (collapsed) setHovered(nullptr);
    countChanged();
}

GroupBarEntry* GroupBarGroup::insertEntryAtTop(const QString& caption, int iconIndex) {
    auto* e = new GroupBarEntry(caption, iconIndex, this);
    entries_.prepend(e);
    countChanged();
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
    countChanged();
}

int GroupBarGroup::captionHeight() const { return QFontMetrics(captionFont(font())).height() + 8; }

int GroupBarGroup::rowHeight() const { return std::max(kIcon, fontMetrics().height()) + 6; }

QRect GroupBarGroup::captionRect() const { return {0, 0, width(), captionHeight()}; }

QRect GroupBarGroup::entryRect(int index) const {
    if (collapsed_ || index < 0 || index >= entryCount()) return {};
    return {kRowMarginX, captionHeight() + kRowMarginY + index * rowHeight(), width() - 2 * kRowMarginX, rowHeight()};
}

int GroupBarGroup::rowAt(QPoint pos) const {
    const int top = captionHeight() + kRowMarginY;
    if (collapsed_ || pos.x() < kRowMarginX || pos.x() >= width() - kRowMarginX || pos.y() < top) return -1;
    const int row = (pos.y() - top) / rowHeight();
    return row < entryCount() ? row : -1;
}

QSize GroupBarGroup::sizeHint() const {
    const int body = collapsed_ ? 0 : 2 * kRowMarginY + entryCount() * rowHeight();
    return {200, captionHeight() + body + kBottom};
}

QSize GroupBarGroup::minimumSizeHint() const { return {2 * kRowMarginX + kIcon, sizeHint().height()}; }

void GroupBarGroup::entriesChanged() {
    // Many changes before the next paint (a whole list recoloured) cost one
    // flag test each; the paint clears the flag.
    if (repaintPending_ || !isVisible()) return;
    repaintPending_ = true;
    update();
}

void GroupBarGroup::countChanged() {
    updateGeometry();
    entriesChanged();
}

void GroupBarGroup::paintEvent(QPaintEvent* event) {
    repaintPending_ = false;
    QPainter p(this);
    const QRect area = event->rect();
    const QRect head = captionRect();
    const QFont plain = font();

    if (area.intersects(head)) {
        p.fillRect(head, captionColor_);
        p.setPen(kCaptionBorder);
        p.drawRect(head.adjusted(0, 0, -1, -1));
        // The fold arrow: down while open, right while folded.
        const QPointF c(4.0 + kArrow / 2.0, head.center().y() + 0.5);
        const double h = kArrow / 2.0;
        const QPolygonF arrow =
            collapsed_ ? QPolygonF{{c.x() - h / 2, c.y() - h}, {c.x() + h / 2, c.y()}, {c.x() - h / 2, c.y() + h}}
                       : QPolygonF{{c.x() - h, c.y() - h / 2}, {c.x() + h, c.y() - h / 2}, {c.x(), c.y() + h / 2}};
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawPolygon(arrow);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setFont(captionFont(plain));
        p.setPen(Qt::black);
        const QRect text = head.adjusted(8 + kArrow, 0, -4, 0);
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(caption_, Qt::ElideRight, text.width()));
    }

    const QRect body(0, head.bottom() + 1, width(), height() - head.height());
    if (!area.intersects(body)) return;
    p.fillRect(body.intersected(area), bodyColor_);
    const int count = collapsed_ ? 0 : entryCount();
    if (count == 0) return;
    const int h = rowHeight();
    const int top = head.height() + kRowMarginY;
    const int first = std::clamp((area.top() - top) / h, 0, count - 1);
    const int last = std::clamp((area.bottom() - top) / h, 0, count - 1);
    QFont underlined = plain;
    underlined.setUnderline(true);
    const QFontMetrics fm(plain);
    for (int i = first; i <= last; ++i) {
        const GroupBarEntry* e = entries_.at(i);
        const QRect row = entryRect(i);
        const QPixmap& icon = iconPixmap(e->iconIndex());
        if (!icon.isNull()) p.drawPixmap(row.left() + kPadX, row.top() + (h - kIcon) / 2, icon);
        const QRect text = row.adjusted(kPadX + kIcon + kGap, 0, -kPadX, 0);
        p.setFont(e == hovered_.data() ? underlined : plain);
        p.setPen(e->fontColor());
        // Cut in the middle: the serial number at the end stays readable.
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, fm.elidedText(e->caption(), Qt::ElideMiddle, text.width()));
    }
    if (hasFocus() && current_ && !collapsed_) {
        const QRect row = entryRect(static_cast<int>(entries_.indexOf(current_.data())));
        if (row.intersects(area)) {
            p.setPen(QPen(Qt::black, 1, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(row.adjusted(0, 0, -1, -1));
        }
    }
}

void GroupBarGroup::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    GroupBarEntry* e = entryAt(pos);
    setHovered(e);
    setCursor(e != nullptr ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void GroupBarGroup::leaveEvent(QEvent*) { setHovered(nullptr); }

void GroupBarGroup::hideEvent(QHideEvent*) { repaintPending_ = false; }

void GroupBarGroup::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    captionPressed_ = captionRect().contains(pos);
    pressed_ = entryAt(pos);
    if (pressed_) current_ = pressed_;
}

// As a button does: the click counts when the mouse goes up over the same
// entry (or caption) it went down on.
void GroupBarGroup::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    if (std::exchange(captionPressed_, false) && captionRect().contains(pos)) {
        setCollapsed(!collapsed_);
        return;
    }
    GroupBarEntry* target = std::exchange(pressed_, nullptr).data();
    if (target != nullptr && target == entryAt(pos)) target->click();
}

void GroupBarGroup::keyPressEvent(QKeyEvent* event) {
    const int count = collapsed_ ? 0 : entryCount();
    const int at = current_ ? static_cast<int>(entries_.indexOf(current_.data())) : -1;
    switch (event->key()) {
        case Qt::Key_Up:
            if (count > 0) setCurrent(std::max(0, at - 1));
            break;
        case Qt::Key_Down:
            if (count > 0) setCurrent(std::min(count - 1, at + 1));
            break;
        case Qt::Key_Home:
            if (count > 0) setCurrent(0);
            break;
        case Qt::Key_End:
            if (count > 0) setCurrent(count - 1);
            break;
        case Qt::Key_Left:
            setCollapsed(true);
            break;
        case Qt::Key_Right:
            setCollapsed(false);
            break;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (count > 0 && current_) {
                current_->click();
            } else {
                setCollapsed(!collapsed_);
            }
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

void GroupBarGroup::focusInEvent(QFocusEvent* event) {
    if (!current_ && entryCount() > 0) current_ = entries_.first();
    update();
    QWidget::focusInEvent(event);
}

void GroupBarGroup::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

void GroupBarGroup::setCurrent(int index) {
    current_ = entry(index);
    update();
    const QRect row = entryRect(index);
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(w)) {
            const QPoint centre = mapTo(area->widget(), row.center());
            area->ensureVisible(centre.x(), centre.y(), 0, row.height());
            break;
        }
    }
}

bool GroupBarGroup::event(QEvent* event) {
    // The whole caption of the entry under the mouse, for captions cut short.
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const GroupBarEntry* e = entryAt(help->pos()))
            QToolTip::showText(help->globalPos(), e->caption(), this, entryRect(rowAt(help->pos())));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void GroupBarGroup::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) updateGeometry();
    QWidget::changeEvent(event);
}

void GroupBarGroup::setHovered(GroupBarEntry* entry) {
    if (hovered_.data() == entry) return;
    hovered_ = entry;
    update();
}

// The device icons are drawn once per index and kept.
const QPixmap& GroupBarGroup::iconPixmap(int index) {
    auto it = icons_.find(index);
    if (it == icons_.end()) it = icons_.insert(index, ImageList::icon(index).pixmap(kIcon, kIcon));
    return *it;
}

GroupBar::GroupBar(QWidget* parent) : QScrollArea(parent) {
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column_ = new GroupBarColumn(groups_);
    setWidget(column_);
}

// The column and its groups go first: the column reads the list of groups.
GroupBar::~GroupBar() { delete column_; }

GroupBarGroup* GroupBar::addGroup(const QString& caption) {
    auto* g = new GroupBarGroup(caption, column_);
    g->setObjectName(QStringLiteral("RzGroup%1").arg(groups_.size() + 1));
    groups_.append(g);
    g->show();  // the column lays it out below the others
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
