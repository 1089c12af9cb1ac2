#include "server/ui/TFrmGiris.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "server/ui/Connection.h"
#include "server/ui/ShellPort.h"

namespace izleme {
namespace {

constexpr int kWidth = 262;
constexpr int kHeight = 206;

QLabel* makeLabel(QWidget* parent, const QString& text, const QRect& at) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(at);
    return label;
}

QLineEdit* makeEdit(QWidget* parent, const char* name, const QRect& at) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(at);
    return edit;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, const QRect& at) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(at);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TFrmGiris::TFrmGiris(ShellPort& shell, QWidget* parent, LoginSettings settings)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), shell_(shell), settings_(std::move(settings)) {
    setObjectName(QStringLiteral("FrmGiris"));
    setWindowTitle(QStringLiteral("GİRİŞ FORMU"));
    setFixedSize(kWidth, kHeight);
    setStyleSheet(
        QStringLiteral("#FrmGiris { background: #1e2430; border: 1px solid #5a6a80; }"
                       "#FrmGiris QLabel { color: #e0e6ee; }"
                       "#titleStrip { background: #2f4a6e; color: white; font-weight: bold; }"
                       "#LABEL6, #LABEL6Panel2 { border: 1px inset #5a6a80; color: #e0e6ee; }"));
    buildTitleStrip();
    buildControls();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(settings_.progressIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &TFrmGiris::Timer1Timer);

    // Keys are seen by the window before the focused control.
    installEventFilter(this);
    for (auto* child : findChildren<QWidget*>()) child->installEventFilter(this);

    connection_ = new Connection(shell_, *this, this);
}

void TFrmGiris::buildTitleStrip() {
    title_ = makeLabel(this, QStringLiteral("   NUVEK İNTERAKTİF"), QRect(0, 0, kWidth - 22, 22));
    title_->setObjectName(QStringLiteral("titleStrip"));
    titleClose_ = new QToolButton(this);
    titleClose_->setObjectName(QStringLiteral("titleClose"));
    titleClose_->setText(QStringLiteral("×"));
    titleClose_->setGeometry(kWidth - 22, 0, 22, 22);
    titleClose_->setFocusPolicy(Qt::NoFocus);
    // Closing by the title strip leaves the main window running without a connection.
    connect(titleClose_, &QToolButton::clicked, this, &QDialog::close);
}

void TFrmGiris::buildControls() {
    makeLabel(this, QStringLiteral("Kullanıcı Adı:"), QRect(12, 32, 96, 21))->setObjectName("userLabel");
    Edit1 = makeEdit(this, "Edit1", QRect(110, 32, 140, 21));
    makeLabel(this, QStringLiteral("Şifre (Üyeler)"), QRect(12, 58, 96, 21))->setObjectName("passwordLabel");
    Edit4 = makeEdit(this, "Edit4", QRect(110, 58, 140, 21));
    Edit4->setEchoMode(QLineEdit::Password);

    Servername = makeEdit(this, "Servername", QRect(110, 84, 140, 21));
    Servername->hide();
    Label2 = makeLabel(this, QStringLiteral("Portno"), QRect(12, 108, 96, 21));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->hide();
    edtport = makeEdit(this, "edtport", QRect(110, 108, 60, 21));
    edtport->setText(settings_.port);
    edtport->hide();

    RzProgressBar1 = new QProgressBar(this);
    RzProgressBar1->setObjectName(QStringLiteral("RzProgressBar1"));
    RzProgressBar1->setGeometry(12, 134, 238, 10);
    RzProgressBar1->setRange(0, 100);
    RzProgressBar1->setValue(0);
    RzProgressBar1->setTextVisible(false);

    suiButton1 = makeButton(this, "suiButton1", QStringLiteral("Bağlan"), QRect(12, 150, 74, 26));
    suiButton2 = makeButton(this, "suiButton2", QStringLiteral("İptal"), QRect(94, 150, 74, 26));
    suiButton3 = makeButton(this, "suiButton3", QStringLiteral("Kapat"), QRect(176, 150, 74, 26));
    connect(suiButton1, &QPushButton::clicked, this, &TFrmGiris::suiButton1Click);
    connect(suiButton2, &QPushButton::clicked, this, &TFrmGiris::suiButton2Click);
    connect(suiButton3, &QPushButton::clicked, this, &TFrmGiris::suiButton3Click);

    LABEL6 = makeLabel(this, QStringLiteral("   Bağlantı Yok"), QRect(1, kHeight - 22, 150, 21));
    LABEL6->setObjectName(QStringLiteral("LABEL6"));
    LABEL6Panel2 = makeLabel(this, QString(), QRect(152, kHeight - 22, kWidth - 153, 21));
    LABEL6Panel2->setObjectName(QStringLiteral("LABEL6Panel2"));
}

QString TFrmGiris::statusText() const { return LABEL6->text(); }

void TFrmGiris::setStatusText(const QString& text) {
    if (text == LABEL6->text()) return;  // every "pong" sets the same text
    LABEL6->setText(text);
    layoutStatusBar();
}

void TFrmGiris::layoutStatusBar() {
    constexpr int panelWidth = 150;
    constexpr int rowHeight = 21;
    const int top = kHeight - 22;
    const QFontMetrics metrics(LABEL6->font());
    const int margins = LABEL6->contentsMargins().left() + LABEL6->contentsMargins().right() + 2 * LABEL6->margin();
    if (metrics.horizontalAdvance(LABEL6->text()) + margins + 2 <= panelWidth) {
        LABEL6->setWordWrap(false);
        LABEL6->setGeometry(1, top, panelWidth, rowHeight);
        LABEL6Panel2->setGeometry(panelWidth + 2, top, kWidth - panelWidth - 3, rowHeight);
        setFixedSize(kWidth, kHeight);
        return;
    }
    LABEL6->setWordWrap(true);
    const int height = std::max(rowHeight, LABEL6->heightForWidth(kWidth - 2) + 4);
    LABEL6->setGeometry(1, top, kWidth - 2, height);
    LABEL6Panel2->setGeometry(1, top + height + 1, kWidth - 2, rowHeight);
    setFixedSize(kWidth, top + height + 1 + rowHeight + 1);
}

QString TFrmGiris::errorText() const { return LABEL6Panel2->text(); }

void TFrmGiris::setErrorText(const QString& text) { LABEL6Panel2->setText(text); }

void TFrmGiris::setProgress(qint16 value) {
    progress_ = value;
    RzProgressBar1->setValue(std::clamp<int>(value, 0, 100));
    emit progressChanged(value);
}

bool TFrmGiris::internetAvailable() const { return settings_.internetAvailable ? settings_.internetAvailable() : true; }

void TFrmGiris::FormShow() {
    const QScreen* screen = this->screen() ? this->screen() : QApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : kWidth;
    move(screenWidth - width(), 0);
    Servername->setText(settings_.defaultHost);
}

void TFrmGiris::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TFrmGiris::suiButton1Click() { connection_->startConnectAndLogin(); }

void TFrmGiris::suiButton2Click() {
    setProgress(0);
    suiButton1->setEnabled(true);
    connection_->resetSocketPort();
    Timer1->stop();
}

void TFrmGiris::suiButton3Click() {
    setProgress(100);
    close();
    shell_.closeMainWindow();
}

void TFrmGiris::Timer1Timer() {
    // 16-bit signed arithmetic: 32766 + 3 wraps to -32767.
    setProgress(static_cast<qint16>(static_cast<quint16>(progress_) + 3u));
}

bool TFrmGiris::FormKeyDown(int key) {
    if (key == Qt::Key_F5) {
        Servername->setText(settings_.alternateHost);
        Servername->setVisible(true);
        return true;
    }
    if (key == Qt::Key_F6) {
        edtport->setVisible(true);
        Label2->setVisible(true);
        return true;
    }
    return false;
}

bool TFrmGiris::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (FormKeyDown(key)) return true;
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (enter && watched == Edit1) {
            Edit4->setFocus();
            return true;
        }
        if (enter && watched == Edit4) {
            suiButton1->setFocus();
            return true;
        }
        if (auto* button = qobject_cast<QPushButton*>(watched); enter && button && button->isEnabled()) {
            button->click();
            return true;
        }
    }
    if (watched == title_) {
        // The title strip moves the borderless window.
        if (event->type() == QEvent::MouseButtonPress) {
            dragOffset_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - pos();
            dragging_ = true;
        } else if (event->type() == QEvent::MouseMove && dragging_) {
            move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - dragOffset_);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            dragging_ = false;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFrmGiris::keyPressEvent(QKeyEvent* event) {
    // Escape does not close the window.
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

}  // namespace izleme
