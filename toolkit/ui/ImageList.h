// The main window's small icons: device list icons by index (0 compensation
// relay, 3 over-current relay, 4 meter; others empty) and the tray frames.
#pragma once

#include <QIcon>

namespace izleme {

class ImageList {
public:
    static constexpr int trayFrameCount = 5;

    // Icon of a device list entry; a null icon for indexes without a picture.
    static QIcon icon(int index);
    // One frame of the tray animation, index taken modulo the frame count.
    static QIcon trayFrame(int frame);
};

}  // namespace izleme
