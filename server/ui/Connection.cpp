#include "server/ui/Connection.h"

#include <QHostAddress>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpSocket>
#include <QTime>

#include "server/core/Keywords.h"
#include "server/core/LogLine.h"
#include "server/core/SharedState.h"
#include "server/core/Wire.h"
#include "server/ui/ReplyRouter.h"
#include "server/ui/RequestSender.h"
#include "server/ui/Requests.h"
#include "server/ui/ShellPort.h"
#include "server/ui/TFrmGiris.h"
#include "toolkit/ui/Cp1254Text.h"
#include "toolkit/ui/GroupBar.h"

namespace izleme {
namespace {

const QString kLoginRefused = QStringLiteral("   Giriş reddedildi: kullanıcı adı veya şifre hatalı olabilir");

// Why a connect failed, for the login window's status text.
QString connectFailureText(QAbstractSocket::SocketError error) {
    switch (error) {
        case QAbstractSocket::ConnectionRefusedError:
            return QStringLiteral("   Sunucu bağlantıyı kabul etmedi");
        case QAbstractSocket::HostNotFoundError:
            return QStringLiteral("   Sunucu bulunamadı");
        case QAbstractSocket::SocketTimeoutError:
            return QStringLiteral("   Sunucu yanıt vermedi");
        default:
            return QStringLiteral("   Bağlantı kurulamadı");
    }
}

// The meter page's box `Edit3` is the fallback server address only when it
// holds a numeric address written out in full (four dotted parts, or IPv6).
// The same box shows the last date of a meter's date-range reply, and a date
// such as "04.03.2024" must not be read as the address 4.3.7.232.
bool isNumericAddress(const QString& text) {
    QHostAddress address;
    if (!address.setAddress(text)) return false;
    return address.protocol() == QAbstractSocket::IPv6Protocol || text.count(QLatin1Char('.')) == 3;
}

}  // namespace

Connection::Connection(ShellPort& shell, TFrmGiris& login, QObject* parent)
    : QObject(parent), shell_(shell), login_(login) {
    // The server's answer to the login and the keep-alive.
    shell_.router().subscribe(
        kw::pong,
        [this](const Reply&) {
            shell_.setStatusLine(QStringLiteral("Pong"));
            login_.setProgress(100);
            login_.setStatusText(QStringLiteral("Bağlantı Kuruldu"));
        },
        this);
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(flushDelayMs);
    flushTimer_.setTimerType(Qt::PreciseTimer);  // a coarse timer may end the quiet time 5 % early
    connect(&flushTimer_, &QTimer::timeout, this, &Connection::flushKeptBytes);
    connect(&login_, &TFrmGiris::progressChanged, this, &Connection::onProgress);
    if (QTcpSocket* socket = shell_.socket()) {
        connect(socket, &QTcpSocket::connected, this, &Connection::onConnected);
        connect(socket, &QTcpSocket::disconnected, this, &Connection::ClientsoketDisconnect);
        connect(socket, &QTcpSocket::errorOccurred, this, &Connection::ClientsoketError);
        connect(socket, &QTcpSocket::readyRead, this, &Connection::ClientsoketRead);
        // What a flood brings waits in the system's buffers, not in ours.
        socket->setReadBufferSize(maxReadBytes);
    }
}

Connection::~Connection() = default;

void Connection::startConnectAndLogin() {
    if (connecting_) return;
    awaitingFirstReply_ = false;
    login_.suiButton1->setEnabled(false);
    pendingPassword_ = login_.Edit4->text();
    if (pendingPassword_.isEmpty()) pendingPassword_ = QStringLiteral(" ");
    if (login_.Edit1->text().isEmpty()) {
        stopWithoutConnection(QStringLiteral("   Kullanıcı Adı Girin"));
        return;
    }
    // A user name or password that the login message cannot carry is refused
    // before connecting, so the login window stays open to correct it.
    if (!loginMessage(login_.Edit1->text(), pendingPassword_)) {
        showRefusal();
        stopWithoutConnection(RequestSender::refusedText());
        return;
    }
    if (login_.internetAvailable()) {
        login_.setStatusText(QStringLiteral("   İnternet bağlantısı mevcut"));
    } else {
        // The server box counts as shown after F5 even while the window itself is hidden.
        if (login_.Servername->isHidden()) {
            stopWithoutConnection(QStringLiteral("   İnternet bağlantısı yok"));
            return;
        }
        login_.setStatusText(QStringLiteral("   İnternet bağlantısı yok"));
    }
    login_.setStatusText(QStringLiteral("  Nuveke Bağlanıyor"));
    login_.Timer1->start();

    if (!login_.Servername->text().isEmpty()) {
        host_ = login_.Servername->text();
    } else if (const QString address = fromCp1254(shell_.state().meterAddress); isNumericAddress(address)) {
        host_ = address;
    }

    bool portOk = false;
    const uint port = login_.edtport->text().trimmed().toUInt(&portOk);
    if (!portOk || port == 0 || port > 0xFFFF) {
        stopWithoutConnection(QStringLiteral("   Geçersiz port numarası"));
        return;
    }
    socketPort_ = static_cast<quint16>(port);
    QTcpSocket* socket = shell_.socket();
    if (socket == nullptr || host_.isEmpty()) {
        stopWithoutConnection(QStringLiteral("   Sunucu adı yok"));
        return;
    }

    pendingUser_ = login_.Edit1->text();
    shell_.state().loginUserName = toCp1254Lossy(pendingUser_);

    if (socket->state() == QAbstractSocket::ConnectedState) {
        // Already connected (an earlier login never went out): no wait.
        sendLogin();
        return;
    }
    if (socket->state() != QAbstractSocket::UnconnectedState) socket->abort();
    connecting_ = true;
    // A "pong" leaves the indicator at 100 with its timer running, so a later
    // login (a device selection after a disconnect) would end its wait at the
    // next tick: every wait counts its time from 0.
    if (login_.progress() < 0 || login_.progress() >= 100) login_.setProgress(0);
    socket->connectToHost(host_, socketPort_);
}

void Connection::onConnected() {
    ClientsoketConnect();
    if (!connecting_) return;
    connecting_ = false;
    sendLogin();
}

void Connection::onProgress(int value) {
    // The wait ends once the indicator reaches or passes 100 (about 17 s of
    // ticks, or "Kapat"), as a connection error does.
    if (connecting_ && value >= 100) endWaitWithError();
}

void Connection::endWaitWithError() {
    connecting_ = false;
    if (QTcpSocket* socket = shell_.socket()) socket->abort();
    showConnectionError();
    stopWithoutConnection(connectFailureText(QAbstractSocket::SocketTimeoutError));
}

void Connection::stopWithoutConnection(const QString& statusText) {
    login_.Timer1->stop();
    login_.suiButton1->setEnabled(true);
    login_.setStatusText(statusText);
}

// The server closed the connection without a byte after the login: it did
// not accept the user name and password. The login window shows again with
// its texts, ready for another try.
void Connection::showLoginRefused() {
    stopWithoutConnection(kLoginRefused);
    // The caption said the operator was connected: it was not so.
    shell_.setMainCaption(captionBeforeLogin_);
    login_.setProgress(0);
    login_.show();
    login_.raise();
    login_.activateWindow();
}

void Connection::showConnectionError() {
    login_.setErrorText(QStringLiteral("Bağlantı Hatası"));
    shell_.setStatusLine(QStringLiteral("Bağlantı Hatası. Bağlantınızı kontrol edin."));
}

std::optional<std::string> Connection::loginMessage(const QString& user, const QString& password) {
    const auto userBytes = toCp1254(user);
    const auto passwordBytes = toCp1254(password);
    return userBytes && passwordBytes ? wire::buildLogin(*userBytes, *passwordBytes) : std::nullopt;
}

void Connection::showRefusal() {
    login_.setStatusText(RequestSender::refusedText());
    shell_.setStatusLine(RequestSender::refusedText());
}

void Connection::sendLogin() {
    if (GroupBar* devices = shell_.deviceList()) devices->clearAllEntries();
    const auto message = loginMessage(pendingUser_, pendingPassword_);
    if (!message) {
        showRefusal();
        return;
    }
    shell_.sender().send(message);
    captionBeforeLogin_ = shell_.mainCaption();
    shell_.setMainCaption(QStringLiteral("<<<<<<<") + login_.Edit1->text() + QStringLiteral(" Bağlı.>>>>>>>>>"));
    shell_.state().loggedIn = true;
    awaitingFirstReply_ = true;
    emit loginSent();
}

void Connection::ClientsoketConnect() {
    shell_.attachTrayMenu();
    login_.close();
}

void Connection::ClientsoketDisconnect() {
    flushKeptBytes();
    shell_.setStatusLine(fromCp1254(shell_.state().loginUserName) +
                         QStringLiteral(" kullanıcısının ana bilgisayarla bağlantısı kesildi"));
    shell_.state().loggedIn = false;
    // The next connection answers only its own requests.
    shell_.requests().pending().clear();
    if (awaitingFirstReply_) {
        awaitingFirstReply_ = false;
        showLoginRefused();
        return;
    }
    // Without a connection "Bağlan" is the way back, from the login window
    // that the main menu shows.
    login_.Timer1->stop();
    login_.suiButton1->setEnabled(true);
}

void Connection::ClientsoketError() {
    const QTcpSocket* socket = shell_.socket();
    // A close by the server is the disconnect event, not an error.
    if (socket != nullptr && socket->error() == QAbstractSocket::RemoteHostClosedError) return;
    const bool wasConnecting = connecting_;
    connecting_ = false;
    showConnectionError();
    if (socket != nullptr && socket->state() == QAbstractSocket::ConnectedState) return;
    if (wasConnecting) {
        stopWithoutConnection(
            connectFailureText(socket != nullptr ? socket->error() : QAbstractSocket::UnknownSocketError));
    } else {
        login_.Timer1->stop();
        login_.suiButton1->setEnabled(true);
    }
}

void Connection::TimerPingTimer() { shell_.sender().send(wire::buildPing()); }

void Connection::ClientsoketRead() {
    QTcpSocket* socket = shell_.socket();
    if (socket == nullptr) return;
    const QByteArray bytes = socket->readAll();
    if (bytes.isEmpty()) return;
    awaitingFirstReply_ = false;
    const std::string_view chunk(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    // The log shows the read as it came, control bytes as visible symbols; a
    // long read is cut before it becomes a widget text.
    shell_.appendLogLine(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(":   ") +
                         QString::fromStdString(logline::shownText(chunk)));
    shell_.lampFlicker();
    dispatchText(reassembler_.feed(chunk));
    // Bytes after the last terminator wait for the rest of their message,
    // but only as long as more bytes keep coming.
    if (reassembler_.hasPending()) {
        flushTimer_.start();
    } else {
        flushTimer_.stop();
    }
}

void Connection::dispatchText(const std::string& text) {
    ReplyRouter& router = shell_.router();
    const std::string kind(router.dispatchKind());
    const bool complete = text.empty() || dispatcher_.dispatch(text, kind, router);
    if (complete) shell_.lampGreen();
}

void Connection::flushKeptBytes() {
    flushTimer_.stop();
    if (reassembler_.hasPending()) dispatchText(reassembler_.takePending());
}

}  // namespace izleme
