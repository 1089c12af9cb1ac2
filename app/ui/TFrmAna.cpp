#include "app/ui/TFrmAna.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDateEdit>
#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTcpSocket>
#include <QTimer>
#include <QVBoxLayout>
#include <QtDebug>
#include <exception>

#include "app/ui/ActivityLamp.h"
#include "app/ui/PageControl.h"
#include "app/ui/ShellStyle.h"
#include "app/ui/TFrmhaberlesme.h"
#include "app/ui/UrlLabel.h"
#include "server/core/DeviceLayout.h"
#include "server/core/Keywords.h"
#include "server/ui/DeviceSelection.h"
#include "server/ui/ReplyRouter.h"
#include "server/ui/RequestSender.h"
#include "server/ui/Requests.h"
#include "toolkit/core/Cp1254.h"
#include "toolkit/core/SilentAbort.h"
#include "toolkit/ui/Cp1254Text.h"
#include "toolkit/ui/GroupBar.h"
#include "toolkit/ui/Named.h"
#include "toolkit/ui/PlatformServices.h"

namespace izleme {
namespace {

const QColor lime(0, 255, 0);
const QColor yellow(255, 255, 0);

}  // namespace

TFrmAna::TFrmAna(std::shared_ptr<PlatformServices> services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
    setObjectName(QStringLiteral("FrmAna"));
    setWindowTitle(QStringLiteral("FrmAna"));
    resize(1024, 700);
    setStyleSheet(shellStyleSheet());

    Clientsoket = named(new QTcpSocket(this), "Clientsoket");
    sender_ = std::make_unique<RequestSender>(Clientsoket, [this](const QString& text) { setStatusLine(text); });
    selection_ = named(new DeviceSelection(this), "DeviceSelection");

    auto* central = named(new QWidget(this), "PanelAna");
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buildTopBar());
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(2);
    body->addWidget(buildLeftColumn());
    suiPageControl1 = named(new PageControl(central), "suiPageControl1");
    pages_ = buildShellPages(suiPageControl1);
    body->addWidget(suiPageControl1, 1);
    column->addLayout(body, 1);
    setCentralWidget(central);

    connect(pages_.Edit111, &QLineEdit::textChanged, this, &TFrmAna::Edit111Change);
    connect(pages_.Edit3, &QLineEdit::textChanged, this,
            [this](const QString& text) { state_.meterAddress = toCp1254Lossy(text); });
    requests_ = std::make_unique<Requests>(
        *sender_, state_, *this, [this] { return pages_.Edit111->text(); }, this);
    router_ = std::make_unique<ReplyRouter>(state_, *this, requests_->pending());
    router_->subscribe(kw::yenimesaj, [this](const Reply&) { showNewMessageLink(); });
    connect(selection_, &DeviceSelection::changed, this, &TFrmAna::applyLayout);
    refresh_.setFailureReport([](const char* what) { qWarning("%s", what); });
    connect(pages_.Edit5, &QLineEdit::textChanged, this, &TFrmAna::Edit111Change);

    buildMenus();
    buildTray();
    buildTimers();
    fitToScreen();
}

TFrmAna::~TFrmAna() {
    for (auto it = ownedWindows_.rbegin(); it != ownedWindows_.rend(); ++it) delete it->data();
}

void TFrmAna::ownWindows(const QList<QWidget*>& windows) {
    for (QWidget* w : windows) ownedWindows_.append(w);
}

void TFrmAna::setCompanions(QDialog* login, TFrmhaberlesme* log, QWidget* serialPoll, QWidget* messages) {
    login_ = login;
    log_ = log;
    serialPoll_ = serialPoll;
    messages_ = messages;
}

QWidget* TFrmAna::buildTopBar() {
    auto* bar = named(new QFrame(this), "ToolBar1");
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(6);
    row->addSpacing(6);
    Shape1 = named(new ActivityLamp(bar), "Shape1");
    row->addWidget(Shape1);
    row->addSpacing(8);
    LblMesaj = named(new QLabel(bar), "LblMesaj");
    row->addWidget(LblMesaj, 1);
    auto* sunken = named(new QFrame(bar), "Panel1");
    sunken->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* sunkenRow = new QHBoxLayout(sunken);
    sunkenRow->setContentsMargins(6, 0, 6, 0);
    LblGiden = named(new QLabel(sunken), "LblGiden");
    sunkenRow->addWidget(LblGiden);
    sunken->setMinimumWidth(220);
    row->addWidget(sunken);
    row->addWidget(named(new QLabel(QStringLiteral("Versiyon Tav8-2-1"), bar), "LblVersiyon"));
    return bar;
}

QWidget* TFrmAna::buildLeftColumn() {
    auto* left = named(new QWidget(this), "Panel2");
    left->setFixedWidth(241);
    auto* layout = new QVBoxLayout(left);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    RzURLLabel1 =
        named(new UrlLabel(QStringLiteral("Yeni mesajınız var.Okumak için tıklayın... "), left), "RzURLLabel1");
    RzURLLabel1->hide();
    connect(RzURLLabel1, &UrlLabel::clicked, this, &TFrmAna::RzURLLabel1Click);
    layout->addWidget(RzURLLabel1);
    RzGroupBar1 = named(new GroupBar(left), "RzGroupBar1");
    layout->addWidget(RzGroupBar1, 1);
    return left;
}

void TFrmAna::buildTimers() {
    const auto timer = [this](const char* name, int interval, void (TFrmAna::*slot)()) {
        auto* t = named(new QTimer(this), name);
        t->setInterval(interval);
        connect(t, &QTimer::timeout, this, slot);
        t->start();
        return t;
    };
    TimerPing = timer("TimerPing", 60000, &TFrmAna::TimerPingTimer);
    Timer1 = timer("Timer1", 1000, &TFrmAna::Timer1Timer);
    Timer2 = timer("Timer2", 1000, &TFrmAna::Timer2Timer);
    Timer3 = timer("Timer3", 1000, &TFrmAna::Timer3Timer);
}

RequestSender& TFrmAna::sender() { return *sender_; }

void TFrmAna::setStatusLine(const QString& text) { LblMesaj->setText(text); }

void TFrmAna::setRequestLine(const QString& text) { LblGiden->setText(text); }

void TFrmAna::setHeading(const QString& text) { pages_.Label2->setText(text); }

// The pages a device kind shows: applied when the kind changed, and on every
// selection of a meter.
void TFrmAna::applyLayout(const ActiveDevice& device) {
    const std::optional<DeviceLayout> layout = layoutOfKind(device.kind);
    if (!layout || !(layout->alwaysApplied || device.kindChanged)) return;
    const bool analyzer = layout->panel == DeviceLayout::Panel::Analyzer;
    pages_.Panel7->setVisible(analyzer);
    pages_.Panel8->setVisible(!analyzer);
    for (int page = 0; page < kPageCount; ++page) {
        if (layout->tabVisible[static_cast<std::size_t>(page)]) suiPageControl1->setTabVisible(page, true);
    }
    for (int page = 0; page < kPageCount; ++page) {
        if (!layout->tabVisible[static_cast<std::size_t>(page)]) suiPageControl1->setTabVisible(page, false);
    }
    suiPageControl1->selectPage(layout->page);
}

void TFrmAna::setMainCaption(const QString& text) { setWindowTitle(text); }

void TFrmAna::appendLogLine(const QString& line) {
    if (log_) log_->appendLine(line);
}

void TFrmAna::lampFlicker() { Shape1->flicker(); }

void TFrmAna::lampGreen() { Shape1->setBrushColor(lime); }

void TFrmAna::showNewMessageLink() { RzURLLabel1->show(); }

void TFrmAna::closeMainWindow() { close(); }

void TFrmAna::setPingAction(std::function<void()> action) { pingAction_ = std::move(action); }

// A silent abort ends the handler quietly; any other error is reported and the
// program keeps running.
void TFrmAna::runGuarded(const std::function<void()>& work) {
    try {
        work();
    } catch (const SilentAbort&) {
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
    }
}

void TFrmAna::Timer1Timer() { refresh_.tick(); }

void TFrmAna::TimerPingTimer() {
    if (pingAction_) runGuarded(pingAction_);
}

void TFrmAna::Timer2Timer() { RzURLLabel1->setLinkColor(RzURLLabel1->linkColor() == lime ? yellow : lime); }

void TFrmAna::Timer3Timer() { Shape1->setBrushColor(Qt::white); }

void TFrmAna::RzURLLabel1Click() {
    RzURLLabel1->setVisited(true);
    Oku1Click();
}

void TFrmAna::Oku1Click() {
    if (messages_) messages_->show();
}

void TFrmAna::Haberlesme1Click() {
    if (log_) log_->show();
}

void TFrmAna::Veri1Click() {
    if (serialPoll_) serialPoll_->show();
}

void TFrmAna::Edit111Change() { AktifCihaz1->setText(QStringLiteral("Aktif Cihaz: ") + pages_.Edit111->text()); }

void TFrmAna::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    // The frame is known once the window is on its screen.
    QMetaObject::invokeMethod(this, &TFrmAna::fitToScreen, Qt::QueuedConnection);
    QMetaObject::invokeMethod(this, &TFrmAna::FormShow, Qt::QueuedConnection);
}

// The show step: locale decimal separator, the login window modally (the
// window stays responsive), and once it closes the dates and the start layout.
void TFrmAna::FormShow() {
    const QString point = QLocale().decimalPoint();
    const auto byte = point.isEmpty() ? std::nullopt : cp1254::fromUnicode(point.at(0).unicode());
    state_.decimalSeparator = byte ? static_cast<char>(*byte) : '.';
    if (!login_) {
        finishShowStep();
        return;
    }
    connect(login_, &QDialog::finished, this, &TFrmAna::finishShowStep, Qt::SingleShotConnection);
    login_->setWindowModality(Qt::ApplicationModal);
    login_->show();  // open() would make it window-modal, blocking nothing without a parent
}

void TFrmAna::finishShowStep() {
    const QDate today = QDate::currentDate();
    pages_.DateTimePicker1->setDate(today.addDays(-7));
    pages_.dtsycilktarih->setDate(today.addDays(-7));
    pages_.DateTimePicker2->setDate(today);
    pages_.dtsycsontarih->setDate(today);
    suiPageControl1->setTabVisible(2, true);
    suiPageControl1->setTabVisible(2, true);
    suiPageControl1->setTabVisible(2, false);
    suiPageControl1->selectPage(0);
    emit startLayoutReady();
}

// Closing the main window ends the program, whatever other windows are open.
void TFrmAna::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) QCoreApplication::exit(0);
}

}  // namespace izleme
