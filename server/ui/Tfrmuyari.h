// The alarm window frmuyari: a scrolling alarm text, four input indicators
// and a horn ("AirHornL.wav" in the current directory) that repeats every
// 2.5 s from the moment an alarm shows the window until it is closed.
#pragma once

#include <QWidget>
#include <array>
#include <memory>

class QLabel;
class QPushButton;
class QTimer;

namespace izleme {

class ScrollingLabel;
class SoundPlayer;

class Tfrmuyari : public QWidget {
    Q_OBJECT
public:
    explicit Tfrmuyari(std::shared_ptr<SoundPlayer> sound, QWidget* parent = nullptr);

    static constexpr const char* soundFile = "AirHornL.wav";

    ScrollingLabel* label1;
    std::array<QLabel*, 4> shapes{};       // Shape9, Shape1, Shape2, Shape3
    std::array<QLabel*, 4> inputNames{};   // Label160, Label2, Label3, Label4
    std::array<QLabel*, 4> inputValues{};  // Label5 .. Label8
    QPushButton* Button1;
    QTimer* Timer1;

    SoundPlayer* sound() const { return sound_.get(); }

public slots:
    // Shows the window on top of the others with this text scrolling and
    // sounds the horn until the operator closes it; while it is open, a new
    // alarm only replaces the text.
    void showAlarm(const QString& text);
    // Every 2.5 s while the horn is on: the horn from the start, when its file is there.
    void Timer1Timer();
    void Button1Click();

protected:
    void closeEvent(QCloseEvent* event) override;  // FormClose: the horn stops

private:
    void centreOnScreen();

    std::shared_ptr<SoundPlayer> sound_;
};

}  // namespace izleme
