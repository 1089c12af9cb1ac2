#include "registers/ui/RegisterReplies.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QString>

#include "app/core/SharedState.h"
#include "registers/core/RegisterReplyParser.h"
#include "registers/core/RegisterTable.h"
#include "server/ui/Cp1254Text.h"

namespace izleme {

void RegisterReplies::enerjial(const EnerjialRoute& route, std::string_view text) {
    if (route.setDeviceRow1) p_.table->setDeviceRow(1);
    if (route.target == EnerjialTarget::Waveform) {
        // The waveform reader comes with the harmonics page; until then only the heading.
        setHeading(route);
        return;
    }
    if (route.showInMemo1 && p_.Memo1 != nullptr) p_.Memo1->setPlainText(fromCp1254(text));
    if (p_.clearSerialReceiveText) p_.clearSerialReceiveText();
    parseRegisterReply(*p_.table, text);
    setHeading(route);
    if (p_.refreshNow) p_.refreshNow();
}

void RegisterReplies::setHeading(const EnerjialRoute& route) {
    if (p_.Label2 == nullptr) return;
    p_.Label2->setText(QString::number(p_.state->activeSerial) + fromCp1254(route.headingText));
}

}  // namespace izleme
