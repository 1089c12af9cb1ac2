// The page "Aşırı Akım Rölesi" of an over-current relay, inside `Panel8`: its
// serial, date, time and four currents, the three outputs to pull and the
// requests that read the values, pull the outputs and rewrite the settings.
// The relay's register reply to its selection fills the date, time and
// currents once, when it is stored; an "akimdegerleri" reply overwrites them.
#pragma once

#include <QWidget>

class QFrame;
class QPushButton;

namespace izleme {

class LedDisplay;
class PowerButton;
class RegisterTable;
class Requests;
class StatusLines;
struct DataReply;
struct PageContext;
struct Reply;
struct SharedState;

class RelayPage : public QWidget {
    Q_OBJECT
public:
    RelayPage(const PageContext& context, QFrame* panel8);

    LedDisplay* Sno;
    LedDisplay* Trh;
    LedDisplay* Saat;
    LedDisplay* akim1;
    LedDisplay* akim2;
    LedDisplay* akim3;
    LedDisplay* akimt;
    PowerButton* role1;
    PowerButton* role2;
    PowerButton* role3;
    QPushButton* VrShadowButton1;  // "Röleleri Çek"
    QPushButton* VrShadowButton2;  // "Değerleri Oku"
    QPushButton* VrShadowButton3;  // "Sabit Değerleri Yaz"

    void VrShadowButton1Click();
    void VrShadowButton2Click();
    void VrShadowButton3Click();

private:
    void buildWidgets();
    void showCurrentValues(const Reply& reply);
    void showRegisters(const DataReply& reply);

    SharedState& state_;
    const RegisterTable& table_;
    Requests& requests_;
    StatusLines& status_;
};

}  // namespace izleme
