// The widget style of the client: Fusion, with passwords masked by "*" as the
// operators know them from the login window.
#pragma once

#include <QProxyStyle>

namespace izleme {

class ClientStyle : public QProxyStyle {
public:
    ClientStyle();
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

}  // namespace izleme
