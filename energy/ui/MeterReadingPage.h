// The upper half of the meter page "Sayaç Okuma": the plain and the utility
// reading buttons, the six index displays on the black left half, and the
// readout text on the right. It shows the meter's "sayacal" replies and
// starts over on each reading and on the selection of a meter.
#pragma once

#include <QWidget>
#include <functional>

#include "energy/core/MeterReadout.h"

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace izleme {

class LedDisplay;
class Requests;
class StatusLines;
struct PageContext;

class MeterReadingPage : public QWidget {
    Q_OBJECT
public:
    // Asks the operator whether the utility reading is to be recorded: true
    // for Yes, false for No or a dialog closed otherwise.
    using Question = std::function<bool(QWidget* parent, const QString& text)>;

    // The confirmation of the utility reading, four lines.
    static QString utilityQuestionText();

    // Builds the index displays and buttons into indexes (the top of the
    // black left half) and the readout into readout (the right half).
    // question defaults to a modal Yes/No warning dialog.
    MeterReadingPage(const PageContext& context, QWidget* indexes, QWidget* readout, Question question = {});

    QPushButton* VrShadowButton11;  // "Sayaç Oku"
    QPushButton* VrShadowButton13;  // "Tedaş Okuma"
    QGroupBox* GroupBox26;
    LedDisplay* Rzsycakttop;
    LedDisplay* Rzsycindtop;
    LedDisplay* Rzsyckaptop;
    QGroupBox* GroupBox28;
    LedDisplay* RzsycT1;
    LedDisplay* RzsycT2;
    LedDisplay* RzsycT3;
    QLabel* Panel69;
    QPlainTextEdit* Memo3;

signals:
    // A reading went out and this page was reset: the date-range panel of the
    // meter page clears its dated displays (and for a utility reading its
    // ratios too).
    void readingRequested(bool utility);

public slots:
    void VrShadowButton11Click();  // plain reading
    void VrShadowButton13Click();  // utility reading, after its question

private:
    void buildIndexes(QWidget* indexes);
    void buildReadout(QWidget* readout);
    void sayacal(std::string_view readout);
    void reset();
    void showReadout();

    Requests& requests_;
    StatusLines& status_;
    Question question_;
    meter::MeterReadout readout_;
};

}  // namespace izleme
