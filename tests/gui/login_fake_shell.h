// A main window stand-in for the login and connection tests: a real socket and
// device list, and a record of every text the connection puts on the shell.
#pragma once

#include <QStringList>
#include <QTcpSocket>

#include "server/core/Keywords.h"
#include "server/core/SharedState.h"
#include "server/ui/ReplyRouter.h"
#include "server/ui/RequestSender.h"
#include "server/ui/Requests.h"
#include "server/ui/ShellPort.h"
#include "toolkit/ui/GroupBar.h"

namespace izleme::test {

class FakeShell : public ShellPort {
public:
    FakeShell()
        : sender_(&sock, [this](const QString& text) { statusLine = text; }),
          requests_(sender_, shared, *this, [this] { return activeSerialText; }),
          router_(shared, *this, requests_.pending()) {
        router_.subscribe(kw::yenimesaj, [this](const Reply&) { newMessageLink = true; });
    }

    SharedState& state() override { return shared; }
    QTcpSocket* socket() override { return &sock; }
    RequestSender& sender() override { return sender_; }
    ReplyRouter& router() override { return router_; }
    Requests& requests() override { return requests_; }
    GroupBar* deviceList() override { return &devices; }

    void setStatusLine(const QString& text) override { statusLine = text; }
    void setRequestLine(const QString& text) override { requestLine = text; }
    void setHeading(const QString& text) override { heading = text; }
    QString mainCaption() const override { return caption; }
    void setMainCaption(const QString& text) override { caption = text; }

    void attachTrayMenu() override { ++trayAttached; }
    void appendLogLine(const QString& line) override { log << line; }
    void lampFlicker() override {
        lampIsGreen = false;
        ++flickers;
    }
    void lampGreen() override { lampIsGreen = true; }
    void closeMainWindow() override { ++mainClosed; }

    SharedState shared;
    QTcpSocket sock;
    GroupBar devices;
    QString statusLine, requestLine, heading, caption, activeSerialText;
    QStringList log;
    int trayAttached = 0, flickers = 0, mainClosed = 0;
    bool lampIsGreen = false, newMessageLink = false;

private:
    RequestSender sender_;
    Requests requests_;
    ReplyRouter router_;
};

}  // namespace izleme::test
