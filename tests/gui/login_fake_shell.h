// A main window stand-in for the login and connection tests: a real socket and
// device list, and a record of every text the connection puts on the shell.
#pragma once

#include <QStringList>
#include <QTcpSocket>

#include "app/core/SharedState.h"
#include "server/ui/RequestSender.h"
#include "server/ui/ShellPort.h"
#include "toolkit/ui/GroupBar.h"

namespace izleme::test {

class FakeShell : public ShellPort {
public:
    FakeShell() : sender_(&sock, [this](const QString& text) { statusLine = text; }) {}

    SharedState& state() override { return shared; }
    QTcpSocket* socket() override { return &sock; }
    RequestSender& sender() override { return sender_; }
    GroupBar* deviceList() override { return &devices; }

    void setStatusLine(const QString& text) override { statusLine = text; }
    void setRequestLine(const QString& text) override { requestLine = text; }
    void setMainCaption(const QString& text) override { caption = text; }
    QString meterAddressText() const override { return meterAddress; }

    void attachTrayMenu() override { ++trayAttached; }
    void appendLogLine(const QString& line) override { log << line; }
    void lampFlicker() override {
        lampIsGreen = false;
        ++flickers;
    }
    void lampGreen() override { lampIsGreen = true; }
    void showNewMessageLink() override { newMessageLink = true; }
    void closeMainWindow() override { ++mainClosed; }

    SharedState shared;
    QTcpSocket sock;
    GroupBar devices;
    QString statusLine, requestLine, caption, meterAddress;
    QStringList log;
    int trayAttached = 0, flickers = 0, mainClosed = 0;
    bool lampIsGreen = false, newMessageLink = false;

private:
    RequestSender sender_;
};

}  // namespace izleme::test
