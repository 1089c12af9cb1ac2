// The page "Harmonikler": one column per phase with its waveform request, the
// voltage and current traces of one period, and a bar chart of orders 1..31
// for each quantity with its order selector, value box and distortion figure.
#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "control/core/HarmonicAnalysis.h"
#include "control/core/Waveform.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace izleme {

class ImageCanvas;
class Requests;
class StatusLines;
struct DataReply;
struct PageContext;
struct SharedState;

class HarmonicsPage : public QWidget {
    Q_OBJECT
public:
    HarmonicsPage(const PageContext& context, QWidget* sheet);

    // Waveform requests of phases 1, 2, 3.
    QPushButton* VrShadowButton5;
    QPushButton* VrShadowButton6;
    QPushButton* VrShadowButton7;
    // Waveform images of phases 1..3; voltage and current charts 4/5, 6/7, 8/9.
    ImageCanvas* Image1;
    ImageCanvas* Image2;
    ImageCanvas* Image3;
    ImageCanvas* Image4;
    ImageCanvas* Image5;
    ImageCanvas* Image6;
    ImageCanvas* Image7;
    ImageCanvas* Image8;
    ImageCanvas* Image9;
    // Order selectors and value boxes: phase 1 voltage SpinEdit2/EditH22,
    // current SpinEdit1/EditH2; phase 2 SpinEdit3/EditH11, SpinEdit4/EditH12;
    // phase 3 SpinEdit5/EditH31, SpinEdit6/EditH32.
    QSpinBox* SpinEdit1;
    QSpinBox* SpinEdit2;
    QSpinBox* SpinEdit3;
    QSpinBox* SpinEdit4;
    QSpinBox* SpinEdit5;
    QSpinBox* SpinEdit6;
    QLineEdit* EditH2;
    QLineEdit* EditH22;
    QLineEdit* EditH11;
    QLineEdit* EditH12;
    QLineEdit* EditH31;
    QLineEdit* EditH32;
    // Total harmonic distortion beside each chart.
    QLabel* LblTHDV1;
    QLabel* LblTHDI1;
    QLabel* LblTHDV2;
    QLabel* LblTHDI2;
    QLabel* LblTHDV3;
    QLabel* LblTHDI3;
    // Hidden buttons that carry the analysis of phases 1, 2, 3.
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;

    void VrShadowButton5Click() { request(0); }
    void VrShadowButton6Click() { request(1); }
    void VrShadowButton7Click() { request(2); }
    void Button2Click() { analyse(0); }
    void Button3Click() { analyse(1); }
    void Button4Click() { analyse(2); }
    void SpinEdit1Change() { selectOrder(phases_[0].current); }
    void SpinEdit2Change() { selectOrder(phases_[0].voltage); }
    void SpinEdit3Change() { selectOrder(phases_[1].voltage); }
    void SpinEdit4Change() { selectOrder(phases_[1].current); }
    void SpinEdit5Change() { selectOrder(phases_[2].voltage); }
    void SpinEdit6Change() { selectOrder(phases_[2].current); }

    // The samples the last waveform reply left, shared by the three phases.
    const SampleBuffers& sampleBuffers() const { return buffers_; }

private:
    struct Quantity {
        bool current = false;
        ImageCanvas* chart = nullptr;
        QSpinBox* selector = nullptr;
        QLineEdit* box = nullptr;
        QLabel* thd = nullptr;
        std::optional<HarmonicList> list;  // none before the phase's first analysis
    };
    struct Phase {
        int number = 1;
        ImageCanvas* wave = nullptr;
        Quantity voltage;
        Quantity current;
    };

    QWidget* buildColumn(Phase& phase, QPushButton*& requestButton);
    QWidget* buildChartSide(Quantity& q, const char* selectorName, const char* boxName, const char* thdName,
                            QWidget* parent);
    void forgetDevice();
    void request(int phase);
    void readWaveform(int phase, const DataReply& reply);
    void analyse(int phase);
    void analyse(const Phase& phase, Quantity& q, const std::array<double, 66>& samples);
    void selectOrder(Quantity& q);

    SharedState& state_;
    Requests& requests_;
    StatusLines& status_;
    SampleBuffers buffers_;
    std::array<Phase, 3> phases_;
};

}  // namespace izleme
