// The whole client logged in against a loopback peer that plays the server,
// with the one-second refresh stopped so that only replies move the displays,
// and the framing of the messages such a peer sends and reads.
#pragma once

#include <QByteArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "gui/shell_fixture.h"
#include "server/core/SharedState.h"
#include "support/LoopbackPeer.h"
#include "support/ShownWidgets.h"
#include "toolkit/core/Cp1254.h"
#include "toolkit/ui/GroupBar.h"

namespace izleme::test {

inline const QByteArray kEnd("\xF4\xF4\xF4");

// The text in code page 1254 as it travels; "?" for a text it cannot carry.
inline QByteArray wireText(const QString& text) {
    const auto bytes = cp1254::fromUtf8(text.toStdString());
    return bytes ? QByteArray::fromStdString(*bytes) : QByteArray("?");
}

// A message (or request) of keyword and fields, each field closed by the
// separator, then the terminator.
inline QByteArray message(const QByteArray& keyword, const QList<QByteArray>& fields) {
    QByteArray r = keyword + '\x01';
    for (const auto& f : fields) r += f + '\x01';
    return r + kEnd;
}

// A "cihazlar" reply listing one device.
inline QByteArray cihazlar(const QString& group, const QString& model, const QString& name, const QString& serial) {
    return message("cihazlar", {wireText(group), wireText(model), wireText(name), wireText(serial)});
}

// An "enerjial" reply carrying the bytes as a register reply text (address 1,
// function 3, byte count), each byte closed by "$", then the terminator.
inline QByteArray registerReply(const QList<int>& bytes) {
    QByteArray text = "1$3$" + QByteArray::number(bytes.size()) + '$';
    for (int b : bytes) text += QByteArray::number(b) + '$';
    return "enerjial\x01#\x01" + text + kEnd;
}

struct LoopbackClient {
    ShellFixture shell;
    LoopbackPeer peer;
    TFrmAna& ana = shell.ana();

    // Logs in as demo/demo on the peer's port and waits until the peer has the
    // login and the client holds itself logged in; the peer's bytes start over.
    bool logIn() {
        if (!shell.showUntilLogin()) return false;
        TFrmGiris& login = *shell.forms.FrmGiris;
        login.Edit1->setText(QStringLiteral("demo"));
        login.Edit4->setText(QStringLiteral("demo"));
        login.edtport->setText(peer.portText());
        login.suiButton1->click();
        const bool ok =
            QTest::qWaitFor([&] { return peer.received.contains("kulsifre") && ana.state().loggedIn; }, 5000);
        ana.Timer1->stop();
        peer.received.clear();
        return ok;
    }
    void send(const QByteArray& bytes) {
        peer.client->write(bytes);
        peer.client->flush();
    }
    // Waits until the peer got exactly these bytes since they last started over.
    bool waitReceived(const QByteArray& bytes) {
        return QTest::qWaitFor([&] { return peer.received == bytes; }, 5000);
    }
    // waitReceived, then the peer's bytes start over (what came instead is logged).
    bool takeReceived(const QByteArray& bytes) {
        const bool ok = waitReceived(bytes);
        if (!ok) qWarning() << "received" << peer.received << "expected" << bytes;
        peer.received.clear();
        return ok;
    }
    GroupBarEntry* entry(const QString& caption, const QString& group = {}) const {
        return entryByCaption(ana.RzGroupBar1, caption, group);
    }
    // Lists one device and selects it; the selection's request is left in `received`.
    bool listAndSelect(const QString& group, const QString& model, const QString& name, const QString& serial) {
        send(cihazlar(group, model, name, serial));
        const QString caption = name + QStringLiteral(" No: ") + serial;
        if (!QTest::qWaitFor([&] { return entry(caption) != nullptr; }, 5000)) return false;
        entry(caption)->click();
        return true;
    }
    template <typename T>
    T* child(const char* name) const {
        return ana.findChild<T*>(QString::fromLatin1(name));
    }
    QString text(const char* name) const { return shownText(ana, name); }
    QString heading() const { return ana.pages().Label2->text(); }
};

}  // namespace izleme::test
