// The eight sheets of the main window and the controls on them that the shell
// itself uses: the top strip of page 0 (heading, serial, row box), the two
// value panels, the active serial box `Edit111` that every request reads, the
// date boxes that the show step sets, and the meter page's serial and address
// boxes (the menu caption follows `Edit5`, a login falls back on `Edit3`).
// Everything else on a sheet belongs to the page built on it.
#pragma once

#include <array>

class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QWidget;

namespace izleme {

class PageControl;

struct ShellPages {
    static constexpr int count = 8;
    std::array<QWidget*, count> sheets{};  // suiTabSheet1 .. suiTabSheet8

    // Page 0 "Analizör-Ani Değerler": Panel7 with its top strip.
    QFrame* Panel7 = nullptr;
    QLabel* Label2 = nullptr;    // heading of the data shown
    QLabel* Label17 = nullptr;   // active device serial
    QLineEdit* Edit1 = nullptr;  // register table row shown
    // An empty strip at the foot of Panel7 that the stage summary fills.
    QWidget* stageSummary = nullptr;
    // Page 1 "Analizör-Tüketim Değerleri": the consumption totals above the
    // date-range panel; each is an empty container that its page fills.
    QWidget* consumptionTotals = nullptr;
    QWidget* consumptionRange = nullptr;  // already holds Edit111 and the two dates
    QLineEdit* Edit111 = nullptr;         // serial of the active device
    QDateEdit* DateTimePicker1 = nullptr;
    QDateEdit* DateTimePicker2 = nullptr;
    // Page 2 "Aşırı Akım Rölesi".
    QFrame* Panel8 = nullptr;
    // Page 6 "Sayaç Okuma": a black left half with the index displays above the
    // date-range panel, and the readout text on the right.
    QWidget* meterIndexes = nullptr;
    QWidget* meterRange = nullptr;  // already holds Edit5, Edit3 and the two dates
    QWidget* meterReadout = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QDateEdit* dtsycilktarih = nullptr;
    QDateEdit* dtsycsontarih = nullptr;
};

// Adds the eight pages with their captions to the page control.
ShellPages buildShellPages(PageControl* pages);

}  // namespace izleme
