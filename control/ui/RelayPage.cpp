#include "control/ui/RelayPage.h"

#include <QFrame>
#include <QLayout>
#include <QVBoxLayout>

#include "registers/ui/PageContext.h"
#include "toolkit/ui/LedDisplay.h"

namespace izleme {

RelayPage::RelayPage(const PageContext& context, QFrame* panel8) : QWidget(panel8) {
    setObjectName(QStringLiteral("Panel8Values"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    Sno = new LedDisplay(QStringLiteral("0"), 10, this);
    Sno->setObjectName(QStringLiteral("Sno"));
    layout->addWidget(Sno, 0, Qt::AlignLeft);
    layout->addStretch(1);
    QLayout* outer = panel8->layout();
    if (outer == nullptr) outer = new QVBoxLayout(panel8);
    outer->addWidget(this);

    connect(&context.selection, &DeviceSelection::changed, this, [this](const ActiveDevice& device) {
        if (!device.isMeter) Sno->setText(device.serialText);
    });
}

}  // namespace izleme
