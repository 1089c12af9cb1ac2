// The messages window FrmMesajlar: the server's messages for the operator,
// one line per message, and the body of the selected one. Every showing asks
// the server for the waiting messages; each "mesajvar" adds one.
#pragma once

#include <QWidget>
#include <string_view>

class QListWidget;
class QPushButton;
class QTextEdit;

namespace izleme {

class ReplyRouter;
class Requests;
class StatusLines;
struct SharedState;

class TFrmMesajlar : public QWidget {
    Q_OBJECT
public:
    explicit TFrmMesajlar(QWidget* parent = nullptr);

    // The shared state that keeps the messages, where requests go, where the
    // "mesajvar" messages come from and the status line; set once at start-up.
    void attach(SharedState& state, Requests& requests, ReplyRouter& replies, StatusLines& status);

    // The "mesajvar" handler: one message stored and listed.
    void mesajvar(std::string_view heading, std::string_view body);

    QListWidget* RzListBox1;
    QTextEdit* RichEdit1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn1;

public slots:
    void FormShow();
    void BitBtn2Click();
    void BitBtn1Click();
    void RzListBox1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fitToScreen();

    SharedState* state_ = nullptr;
    Requests* requests_ = nullptr;
    StatusLines* status_ = nullptr;
};

}  // namespace izleme
