// The "enerjial" replies that carry register data: each stored at the device
// row and the register cursor of the request it answers, its text shown in
// `VD1KAL`'s memo for the first two kinds, and the displays refreshed at once.
// Also keeps the register table in step with the requests (the cursor a data
// request sets) and with the device selection (row 1 emptied for a relay).
#pragma once

#include <QObject>
#include <functional>

class QPlainTextEdit;

namespace izleme {

struct DataReply;
struct PageContext;
class RefreshLoop;
class RegisterTable;

class RegisterReplies : public QObject {
    Q_OBJECT
public:
    // memo1: `VD1KAL`'s memo; clearSerialReceiveText: empties `VD1KAL`'s
    // received text, as every parse does.
    RegisterReplies(const PageContext& context, QPlainTextEdit* memo1,
                    std::function<void()> clearSerialReceiveText = {}, QObject* parent = nullptr);

    // One routed reply. A malformed number throws SilentAbort out of here,
    // which ends the handling of the whole received chunk; registers stored
    // before stay, and neither the heading nor the displays change.
    void store(const DataReply& reply);

private:
    RegisterTable& table_;
    RefreshLoop& refresh_;
    QPlainTextEdit* Memo1;
    std::function<void()> clearSerialReceiveText_;
};

}  // namespace izleme
