// The upper panel of the consumption page "Analizör-Tüketim Değerleri": the
// consumption request, the relay's own ratios and energy counters (shown by
// the one-second refresh from registers 70 to 89) and the pre-reset values
// of its "Sycdegerleri" reply.
#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "energy/core/ConsumptionTotals.h"

class QGroupBox;
class QPushButton;

namespace izleme {

class LedDisplay;
class RegisterTable;
class Requests;
struct PageContext;
struct SharedState;

class ConsumptionPage : public QWidget {
    Q_OBJECT
public:
    // Builds the panel into totals, the container above the date-range panel.
    ConsumptionPage(const PageContext& context, QWidget* totals);

    QPushButton* VrShadowButton8;  // "Enerji Değerlerini İste"
    LedDisplay* Toplamindoran;
    LedDisplay* Toplamkaporan;
    QGroupBox* GroupBox10;
    LedDisplay* Ewh;
    QGroupBox* GroupBox5;
    LedDisplay* Elh;
    QGroupBox* GroupBox6;
    LedDisplay* ECh;
    QGroupBox* GroupBox27;
    LedDisplay* SayacAktif;
    LedDisplay* Sayacind;
    LedDisplay* SayacKap;

public slots:
    void VrShadowButton8Click();  // the consumption request

public:
    // The page update of the refresh at register 70: the five displays from row.
    void showRow(int row);

private:
    // The three values from before the last reset, until a reply brings them.
    void zeroPreResetValues();
    void build();

    Requests& requests_;
    const RegisterTable& table_;
    const SharedState& state_;
    std::array<LedDisplay*, kConsumptionDisplays.size()> displays_{};
};

}  // namespace izleme
