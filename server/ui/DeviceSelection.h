// The active device changed: the device list tells whoever listens (the shell
// applies the page layout, each page resets what it shows).
#pragma once

#include <QObject>
#include <QString>

namespace izleme {

struct ActiveDevice {
    int kind = 0;        // device kind (icon index of the entry)
    QString serialText;  // the up to 10 characters after the caption's ":", unchanged
    bool isMeter = false;
    bool kindChanged = false;  // the kind differs from the previous active device's
};

class DeviceSelection : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Called by the device list once the selection has set the active kind and
    // `Edit111`, before the first data request goes out.
    void announce(const ActiveDevice& device) { emit changed(device); }

signals:
    void changed(const izleme::ActiveDevice& device);
};

}  // namespace izleme
