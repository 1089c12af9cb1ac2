// The page "Ayarlar": the relay's settings in four groups of spin boxes, each
// group written with its "Set" button and read back, all together, with
// "Değerleri Oku" into the labels of its "Okunan Değerler" bar (a page update
// of the one-second refresh); beside them the automatic/manual mode and the
// set-up switch, which are stage commands.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

class QAbstractSpinBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace izleme {

class RegisterTable;
class Requests;
class StatusLines;
struct PageContext;
struct SharedState;

class SettingsPage : public QWidget {
    Q_OBJECT
public:
    SettingsPage(const PageContext& context, QWidget* sheet);

    QGroupBox* GroupBox15;  // "Akım-Gerilim Trafosu "
    QSpinBox* spinvt;
    QSpinBox* spinCT;
    QSpinBox* spinreaktifhesyon;
    QPushButton* Button7;
    QLabel* LBLVT;
    QLabel* LBLCT;
    QLabel* lblreaktifhesyon;

    QGroupBox* GroupBox23;  // "Ceza Sınırları-Program"
    QDoubleSpinBox* spinhedefcosind;
    QDoubleSpinBox* spinhedefcoskap;
    QSpinBox* spinkademesayisi;
    QSpinBox* spinprogram;
    QPushButton* Button17;
    QLabel* LBLhdfcosind;
    QLabel* LBLhdfcoskap;
    QLabel* lblkdmsayisi;
    QLabel* lblprogram;

    QGroupBox* GroupBox4;  // "Alma Çıkarma Süreleri"
    QSpinBox* spinalmasure;
    QSpinBox* spincikmasure;
    QSpinBox* spindesarjsure;
    QPushButton* Button5;
    QLabel* lblalmasure;
    QLabel* lblcikmasure;
    QLabel* lbldesarjsure;

    QGroupBox* GroupBox19;  // "Reaktif Kapasitif Oran"
    QSpinBox* spinreaktiforan;
    QSpinBox* spinkapasitiforan;
    QPushButton* Button11;
    QLabel* lblreaktiforan;
    QLabel* lblkapasitiforan;

    QPushButton* sabitoku;  // "Değerleri Oku"

    QRadioButton* Radiooto;
    QRadioButton* RadioManual;
    QPushButton* konmodgonder;
    QRadioButton* radioOn;
    QRadioButton* RadioOff;
    QPushButton* Button6;

public slots:
    void sabitokuClick();
    void Button7Click();
    void Button17Click();
    void Button5Click();
    void Button11Click();
    void konmodgonderClick();
    void Button6Click();

public:
    // The read-back labels from the row (the page update at register 166).
    void showReadBack(int row);

private:
    struct Setting {
        int reg;
        QAbstractSpinBox* box;
        QLabel* readBack;
    };

    QGroupBox* buildGroup(const char* name, const QString& title, int firstRegister, QPushButton*& set,
                          const char* setName);
    QWidget* buildModeGroups();
    // Sends the write of group `index` of settingsGroups() with the boxes' values.
    void write(std::size_t index, const QString& requestLine);
    // False when nothing went out (no connection, or a serial that cannot travel).
    bool sendStageCommand(int item, bool on);

    const RegisterTable& table_;
    const SharedState& state_;
    Requests& requests_;
    StatusLines& status_;
    std::vector<Setting> settings_;  // in register order
};

}  // namespace izleme
