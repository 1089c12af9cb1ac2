// The page "Analizör-Ani Değerler": the LED displays of the instantaneous
// values inside Panel7, and the refresh step that fills them from the register table.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "registers/core/InstantValues.h"

class QFrame;
class QLabel;
class QLineEdit;

namespace izleme {

class LedDisplay;
class RegisterTable;
struct PageContext;
struct SharedState;

class InstantValuesPage : public QWidget {
    Q_OBJECT
public:
    // Builds the displays inside panel7, below its top strip. isPageActive
    // tells whether page 0 is the active page of the main page control. The
    // table and the state must outlive the page.
    InstantValuesPage(QFrame* panel7, QLineEdit* edit1, QLabel* label17, std::function<bool()> isPageActive,
                      const RegisterTable& table, const SharedState& state);
    // The page in the main window: it gives the one-second refresh its row
    // (the row box `Edit1`) and shows the values as the update at register 0.
    InstantValuesPage(const PageContext& context, QFrame* panel7, QLineEdit* edit1, QLabel* label17);

    // The displays in refresh order (the order of instantDisplays()).
    const std::array<LedDisplay*, kInstantDisplayCount>& displays() const { return displays_; }
    // A display by objectName, or null.
    LedDisplay* display(const QString& name) const;

    // Displays (objectName = member name).
    LedDisplay* V1;
    LedDisplay* V2;
    LedDisplay* V3;
    LedDisplay* akm1;
    LedDisplay* akm2;
    LedDisplay* akm3;
    LedDisplay* kW1;
    LedDisplay* Kw2;
    LedDisplay* kW3;
    LedDisplay* kr1;
    LedDisplay* kr2;
    LedDisplay* kr3;
    LedDisplay* KVA1;
    LedDisplay* KVA2;
    LedDisplay* KVA3;
    LedDisplay* Cos1;
    LedDisplay* Cos2;
    LedDisplay* Cos3;
    LedDisplay* toplamaktif;
    LedDisplay* toplamreaktif;
    LedDisplay* toplamgorunen;
    LedDisplay* CosE_ind;
    LedDisplay* cose_kap;
    LedDisplay* Fr;
    LedDisplay* gracisi_r;
    LedDisplay* gracisi_s;
    LedDisplay* gracisi_t;
    LedDisplay* akacisi_r;
    LedDisplay* akacisi_s;
    LedDisplay* akacisi_t;
    LedDisplay* sicaklik;

public slots:
    // The register display refresh of this page, one Timer1 tick: while
    // Panel7 is shown, Edit1 back to "1" on page 0, Label17 := active serial,
    // then every display from the row in Edit1. A row text that is not an
    // integer ends the tick silently with the displays as they were.
    void Timer1Timer();

public:
    // The row a tick shows: while Panel7 is shown, Edit1 back to "1" on page 0,
    // Label17 := active serial, then the row in Edit1; nothing while Panel7 is
    // hidden or Edit1 holds no integer.
    std::optional<int> shownRow();
    // Every display from the row.
    void showRow(int row);

private:
    void buildDisplays();
    void showTexts(const std::vector<DisplayText>& texts);

    QFrame* Panel7;
    QLineEdit* Edit1;
    QLabel* Label17;
    std::function<bool()> isPageActive_;
    const RegisterTable& table_;
    const SharedState& state_;
    std::array<LedDisplay*, kInstantDisplayCount> displays_{};
    std::array<std::string, kInstantDisplayCount> shown_{};  // code page 1254 text last set on each display
};

}  // namespace izleme
