// The date-range panel: two dates, the device's active, inductive and
// capacitive counters at each, the inductive and capacitive ratios between
// them and their penalty classes. The consumption page and the meter page
// each have one, with their own controls, request and reply.
#pragma once

#include <QObject>
#include <QString>
#include <array>

#include "energy/core/EnergyRange.h"

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace izleme {

struct ActiveDevice;
struct PageContext;
struct Reply;
class LedDisplay;
class Requests;
class StatusLines;
struct SharedState;

enum class RangePanelKind {
    Consumption,  // page "Analizör-Tüketim Değerleri": "reaktifener" / "reaktifenerji", counters in Wh
    Meter,        // page "Sayaç Okuma": "sycreaktfener" / "tedassycal", counters in displayed units
};

// The controls the shell already placed in the panel's container.
struct RangePanelSheet {
    QWidget* container = nullptr;      // consumptionRange / meterRange
    QLineEdit* serialBox = nullptr;    // Edit111 / Edit5
    QDateEdit* firstDate = nullptr;    // DateTimePicker1 / dtsycilktarih
    QDateEdit* lastDate = nullptr;     // DateTimePicker2 / dtsycsontarih
    QLineEdit* lastDateBox = nullptr;  // Edit3 on the meter page; the consumption page's Edit333 is made here
};

class EnergyRangePanel : public QObject {
    Q_OBJECT
public:
    EnergyRangePanel(const PageContext& ctx, RangePanelKind kind, const RangePanelSheet& sheet);

    RangePanelKind kind() const { return kind_; }

    QLabel* title;            // Label3 / Label266
    QLineEdit* serialBox;     // Edit111 / Edit5
    QLineEdit* timeBox;       // Edit4 / Edit6
    QDateEdit* firstDate;     // DateTimePicker1 / dtsycilktarih
    QDateEdit* lastDate;      // DateTimePicker2 / dtsycsontarih
    QPushButton* button;      // VrShadowButton9 / VrShadowButton12
    QLineEdit* firstDateBox;  // Edit222 / Edit2
    QLineEdit* lastDateBox;   // Edit333 / Edit3
    // A1, A2, I1, I2, C1, C2: ak1, ak2, in1, in2, kap1, kap2 / RzLEDak1 ...
    std::array<LedDisplay*, 6> counters{};
    std::array<LedDisplay*, 2> ratios{};  // indoran, kaporan / RzLEDsycinoran, RzLEDsyckaporan
    std::array<QLabel*, 2> classes{};     // inddurum, Kapdurum / lblsycindurum, lblsyckapdurum

public slots:
    // The consumption page's request: nothing without a serial in Edit111.
    void BitBtn1Click();
    // The meter page's request: sent when Edit111 holds a serial; the dated
    // displays, the classes and the ratios are emptied in any case.
    void VrShadowButton12Click();
    // The meter reading's reset: the six dated displays and the two classes,
    // and the two ratio displays too when ratiosToo.
    void clearForReading(bool ratiosToo);

signals:
    // A class label became "CEZA": "<serial> Seri Nolu cihaz CEZA sınırında: ...".
    void penaltyAlarm(const QString& text);

private:
    void build(QWidget* container);
    void sendRequest();
    void showReply(const Reply& reply);
    void clearRatios();
    void deviceSelected(const ActiveDevice& device);

    RangePanelKind kind_;
    SharedState& state_;
    Requests& requests_;
    StatusLines& status_;
};

}  // namespace izleme
