// The page "Kondansatör Durumları": the twelve capacitor stages in "Grup1"
// (1..6) and "Grup2" (7..12), each with its power `CA1`..`CA6`/`ca7`..`ca12`,
// its phase `ca<n>_faz`, its state box `Kondrm<n>` and its switch `C<n>`; the
// two read requests; and the stage summary `durum1`..`durum12` on page 0.
// The states, powers and phases follow the register table through the
// one-second refresh.
#pragma once

#include <QWidget>
#include <array>

#include "control/core/CapacitorStages.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

namespace izleme {

class LedDisplay;
class PowerButton;
class RegisterTable;
class Requests;
class StatusLines;
struct PageContext;
struct SharedState;

class StagesPage : public QWidget {
    Q_OBJECT
public:
    // How long the twelve stage switches stay disabled after a stage command,
    // the pace the relay needs between two switchings.
    static constexpr int kStagePaceMs = 2500;

    // sheet: page 4; summary: the container on page 0 that gets `durum1`..`durum12`.
    StagesPage(const PageContext& context, QWidget* sheet, QWidget* summary);

    using Row = std::array<LedDisplay*, kStageCount>;
    Row ca{};      // stage powers; objectNames `CA1`..`CA6`, `ca7`..`ca12`
    Row ca_faz{};  // stage phases `ca1_faz`..`ca12_faz`
    std::array<QCheckBox*, kStageCount> Kondrm{};
    std::array<QCheckBox*, kStageCount> durum{};
    std::array<PowerButton*, kStageCount> C{};
    QGroupBox* Grup1;
    QGroupBox* Grup2;
    QLabel* hint;
    QPushButton* BitBtn2;         // "Kondansatör güç değerlerini oku"
    QPushButton* Kondansatorcek;  // "Kondansatör Durum Oku"
    QTimer* stagePace;            // re-enables the stage switches

public slots:
    void KondansatorcekClick();
    void BitBtn2Click();
    // Shared by `C1`..`C12`: the switch that was clicked names its stage.
    void C1Click();

public:
    // The page updates of the refresh: the state boxes (at register 67) and
    // the powers and phases (at register 192) from the row.
    void showStates(int row);
    void showPowersAndPhases(int row);

private:
    QGroupBox* buildGroup(const QString& title, int firstStage);
    void buildSummary(QWidget* summary);
    void setSwitchesEnabled(bool enabled);

    const RegisterTable& table_;
    const SharedState& state_;
    Requests& requests_;
    StatusLines& status_;
};

}  // namespace izleme
