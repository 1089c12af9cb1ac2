// The login window FrmGiris: user name and password, the hidden server and
// port boxes, the connect progress and the login status texts.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class QToolButton;

namespace izleme {

class Connection;
class ShellPort;

// Deployment values and platform hooks of the login window.
struct LoginSettings {
    QString defaultHost = QStringLiteral("127.0.0.1");
    QString alternateHost = QStringLiteral("localhost");  // F5
    QString port = QStringLiteral("17816");
    std::function<bool()> internetAvailable;  // empty: always available
    int progressIntervalMs = 500;             // `Timer1`
};

class TFrmGiris : public QDialog {
    Q_OBJECT

public:
    explicit TFrmGiris(ShellPort& shell, QWidget* parent = nullptr, LoginSettings settings = {});

    // The connection lifecycle that this window starts; it lives as long as the window.
    Connection& connection() { return *connection_; }

    // The two panels of the status bar `LABEL6`.
    QString statusText() const;
    void setStatusText(const QString& text);
    QString errorText() const;
    void setErrorText(const QString& text);

    // `RzProgressBar1`, a 16-bit signed value; the bar shows it clamped to 0..100.
    qint16 progress() const { return progress_; }
    void setProgress(qint16 value);

    bool internetAvailable() const;

    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Servername = nullptr;
    QLineEdit* edtport = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* suiButton1 = nullptr;
    QPushButton* suiButton2 = nullptr;
    QPushButton* suiButton3 = nullptr;
    QProgressBar* RzProgressBar1 = nullptr;
    QLabel* LABEL6 = nullptr;
    QLabel* LABEL6Panel2 = nullptr;
    QTimer* Timer1 = nullptr;

signals:
    void progressChanged(int value);

public slots:
    void FormShow();
    void suiButton1Click();
    void suiButton2Click();
    void suiButton3Click();
    void Timer1Timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildTitleStrip();
    void buildControls();
    // The status bar's two panels on one row while the status text fits its
    // panel; a longer text gets the whole width, on as many lines as it needs,
    // and the window grows by them, so the operator reads it whole.
    void layoutStatusBar();
    bool FormKeyDown(int key);

    ShellPort& shell_;
    LoginSettings settings_;
    Connection* connection_ = nullptr;
    QLabel* title_ = nullptr;
    QToolButton* titleClose_ = nullptr;
    qint16 progress_ = 0;
    QPoint dragOffset_;
    bool dragging_ = false;
};

}  // namespace izleme
