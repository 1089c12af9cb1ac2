#include "app/ui/ClientStyle.h"

#include <QStyleFactory>

namespace izleme {

ClientStyle::ClientStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

int ClientStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                           QStyleHintReturn* returnData) const {
    if (hint == SH_LineEdit_PasswordCharacter) return '*';
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace izleme
