// The alarm window frmuyari: a scrolling alarm text, four input indicators
// and a horn that repeats while the window is open.
#pragma once

#include <QWidget>
#include <array>
#include <memory>

class QLabel;
class QPushButton;
class QTimer;

namespace izleme {

class SoundPlayer;

class Tfrmuyari : public QWidget {
    Q_OBJECT
public:
    explicit Tfrmuyari(std::shared_ptr<SoundPlayer> sound, QWidget* parent = nullptr);

    QLabel* label1;
    std::array<QLabel*, 4> shapes{};       // Shape9, Shape1, Shape2, Shape3
    std::array<QLabel*, 4> inputNames{};   // Label160, Label2, Label3, Label4
    std::array<QLabel*, 4> inputValues{};  // Label5 .. Label8
    QPushButton* Button1;
    QTimer* Timer1;

    SoundPlayer* sound() const { return sound_.get(); }

private:
    std::shared_ptr<SoundPlayer> sound_;
};

}  // namespace izleme
