#include "registers/ui/RegisterReplies.h"

#include <QPlainTextEdit>

#include "registers/core/RegisterReplyParser.h"
#include "registers/ui/PageContext.h"
#include "toolkit/ui/Cp1254Text.h"

namespace izleme {

RegisterReplies::RegisterReplies(const PageContext& context, QPlainTextEdit* memo1,
                                 std::function<void()> clearSerialReceiveText, QObject* parent)
    : QObject(parent),
      table_(context.table),
      refresh_(context.refresh),
      Memo1(memo1),
      clearSerialReceiveText_(std::move(clearSerialReceiveText)) {
    for (const char* kind : {"anideger", "tuketim", "sabitler", "kondasatordurum", "kondasatorgucdurum"}) {
        context.replies.subscribeData(
            kind, [this](const DataReply& reply) { store(reply); }, this);
    }
    context.requests.setCursorSink([this](int cursor) { table_.setCursor(cursor); });
    connect(&context.selection, &DeviceSelection::changed, this, [this](const ActiveDevice& device) {
        // A relay's values start over from the no-value mark; a meter leaves the table alone.
        if (!device.isMeter) table_.resetRow(1);
    });
}

void RegisterReplies::store(const DataReply& reply) {
    if (reply.route.setDeviceRow1) table_.setDeviceRow(1);
    if (reply.cursor) table_.setCursor(*reply.cursor);
    if (reply.route.showInMemo1 && Memo1 != nullptr) Memo1->setPlainText(fromCp1254(reply.text));
    if (clearSerialReceiveText_) clearSerialReceiveText_();
    parseRegisterReply(table_, reply.text);
    // The values of a reply show at once; the one-second refresh goes on as well.
    refresh_.tick();
}

}  // namespace izleme
