// The main window on its screen: never larger than the screen's available
// area (a 1366×768 laptop included) and placed inside it. The pages scroll
// (PageControl) and the status line gives way, so the window can shrink.
#include <QLabel>
#include <QScreen>
#include <algorithm>

#include "app/ui/TFrmAna.h"

namespace izleme {

void TFrmAna::fitToScreen() {
    // A long status text is cut rather than widening the window.
    LblMesaj->setSizePolicy(QSizePolicy::Ignored, LblMesaj->sizePolicy().verticalPolicy());
    const QScreen* where = screen();
    if (where == nullptr) return;
    const QRect area = where->availableGeometry();
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    // Decorations as the platform reports them once shown.
    const QMargins decoration(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                              frame.bottom() - inner.bottom());
    const QSize room = area.size().shrunkBy(decoration);
    const QSize fitted = size().boundedTo(room);
    if (fitted != size()) resize(fitted);
    if (!isVisible()) return;  // an unshown window is placed by the platform, inside the screen
    const QSize outer = fitted.grownBy(decoration);
    const int x = std::clamp(frame.x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width()));
    const int y = std::clamp(frame.y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height()));
    if (QPoint(x, y) != frame.topLeft()) move(x, y);
}

}  // namespace izleme
