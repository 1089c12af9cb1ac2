#include "server/ui/TFrmMesajlar.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "server/core/Keywords.h"
#include "server/core/SharedState.h"
#include "server/ui/ReplyRouter.h"
#include "server/ui/Requests.h"
#include "server/ui/StatusLines.h"
#include "toolkit/ui/Cp1254Text.h"
#include "toolkit/ui/Named.h"

namespace izleme {
namespace {

const QString headingMark = QStringLiteral("//");

// The list in grouping mode: a line that begins with "//" is drawn as a group
// heading (bold on a shaded band, the "//" left out); other lines as they are.
class GroupingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QString text = index.data(Qt::DisplayRole).toString();
        if (!text.startsWith(headingMark)) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        painter->save();
        painter->fillRect(option.rect, selected ? option.palette.highlight() : QBrush(QColor(0xE8, 0xE0, 0xCC)));
        painter->setPen(QColor(0xB0, 0xA0, 0x80));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        QFont bold = option.font;
        bold.setBold(true);
        painter->setFont(bold);
        painter->setPen(selected ? option.palette.highlightedText().color() : QColor(0x40, 0x30, 0x10));
        painter->drawText(
            option.rect.adjusted(6, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
            option.fontMetrics.elidedText(text.mid(headingMark.size()), Qt::ElideRight, option.rect.width() - 10));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (index.data(Qt::DisplayRole).toString().startsWith(headingMark)) size.setHeight(size.height() + 6);
        return size;
    }
};

}  // namespace

TFrmMesajlar::TFrmMesajlar(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FrmMesajlar"));
    setWindowTitle(QStringLiteral("Mesajlar"));
    resize(674, 563);
    auto* layout = new QVBoxLayout(this);
    RzListBox1 = named(new QListWidget(this), "RzListBox1");
    RzListBox1->setFixedHeight(161);
    RzListBox1->setItemDelegate(new GroupingDelegate(RzListBox1));
    RzListBox1->setUniformItemSizes(true);
    layout->addWidget(RzListBox1);
    RichEdit1 = named(new QTextEdit(this), "RichEdit1");
    RichEdit1->setReadOnly(true);
    RichEdit1->setAcceptRichText(false);
    RichEdit1->setStyleSheet(QStringLiteral("QTextEdit { color: #804000; background: #FFFBF0; }"));
    layout->addWidget(RichEdit1, 1);
    auto* buttons = new QHBoxLayout;
    BitBtn2 = named(new QPushButton(QStringLiteral("Yeni Mesajları Kontrol Et"), this), "BitBtn2");
    BitBtn1 = named(new QPushButton(QStringLiteral("Kapat"), this), "BitBtn1");
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    layout->addLayout(buttons);

    connect(BitBtn2, &QPushButton::clicked, this, &TFrmMesajlar::BitBtn2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TFrmMesajlar::BitBtn1Click);
    connect(RzListBox1, &QListWidget::itemClicked, this, &TFrmMesajlar::RzListBox1Click);
    // Moving through the lines with the keyboard shows their bodies as clicks do.
    connect(RzListBox1, &QListWidget::currentRowChanged, this, [this] {
        if (RzListBox1->hasFocus()) RzListBox1Click();
    });
}

void TFrmMesajlar::attach(SharedState& state, Requests& requests, ReplyRouter& replies, StatusLines& status) {
    state_ = &state;
    requests_ = &requests;
    status_ = &status;
    replies.subscribe(
        kw::mesajvar, [this](const Reply& r) { mesajvar(r.fields[0], r.fields[1]); }, this);
}

void TFrmMesajlar::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window the window system gives back (restored from the task bar) asks nothing.
    if (event->spontaneous()) return;
    fitToScreen();
    FormShow();
}

// Within the available area of its screen: smaller where the screen is smaller.
void TFrmMesajlar::fitToScreen() {
    const QScreen* where = screen();
    if (where == nullptr) return;
    const QRect area = where->availableGeometry();
    const QSize frameExtra = frameGeometry().size() - geometry().size();
    const QSize room = area.size() - frameExtra;
    if (width() > room.width() || height() > room.height())
        resize(std::min(width(), room.width()), std::min(height(), room.height()));
    QRect frame = frameGeometry();
    if (frame.right() > area.right()) frame.moveRight(area.right());
    if (frame.bottom() > area.bottom()) frame.moveBottom(area.bottom());
    if (frame.left() < area.left()) frame.moveLeft(area.left());
    if (frame.top() < area.top()) frame.moveTop(area.top());
    if (frame.topLeft() != frameGeometry().topLeft()) move(frame.topLeft());
}

void TFrmMesajlar::FormShow() { BitBtn2Click(); }

void TFrmMesajlar::BitBtn2Click() {
    if (requests_ == nullptr || state_ == nullptr) return;
    requests_->send(kw::yenimesajiste, {state_->loginUserName});
}

void TFrmMesajlar::BitBtn1Click() { hide(); }

void TFrmMesajlar::RzListBox1Click() {
    if (state_ == nullptr) return;
    const ServerMessage* message = state_->messages.at(RzListBox1->currentRow());
    if (message != nullptr) RichEdit1->setPlainText(fromCp1254(message->body));
}

void TFrmMesajlar::mesajvar(std::string_view heading, std::string_view body) {
    if (state_ == nullptr) return;
    MessageList& messages = state_->messages;
    if (status_ != nullptr)
        status_->setStatusLine(QStringLiteral("Yeni mesajlarınız alınıyor...  Mesaj No: ") +
                               QString::number(messages.received() + 1));
    const bool first = messages.received() == 0;
    if (messages.add({std::string(heading), std::string(body)})) {
        // The oldest message went: its line goes with it, so lines and positions stay aligned.
        delete RzListBox1->takeItem(0);
    }
    if (first) RichEdit1->setPlainText(fromCp1254(body));
    RzListBox1->addItem(headingMark + fromCp1254(heading));
}

}  // namespace izleme
