// The look the energy pages share: amber-titled dark group boxes, lead and
// unit labels beside their displays, and raised blue buttons.
#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

namespace izleme::energy_style {

// The style sheet of a page's panels; a page may append rules of its own.
inline constexpr char kPanels[] = R"(
QGroupBox { color: #ffc040; font-weight: bold; background: #080a0d; border: 1px solid #2c3642;
            border-radius: 4px; margin-top: 14px; padding: 8px 6px 6px 6px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 4px; }
QLabel[role="energyLead"] { color: #e8e8e8; font-weight: bold; }
QLabel[role="energyUnit"] { color: #80d8ff; font-weight: bold; }
QPushButton { color: #ffffff; font-weight: bold; padding: 7px 14px; border: 1px solid #000;
              border-right-width: 3px; border-bottom-width: 3px; border-radius: 3px;
              background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3f5a78, stop:1 #1d2c3d); }
QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4f6f94, stop:1 #25384d); }
QPushButton:pressed { border-width: 1px; border-left-width: 3px; border-top-width: 3px; }
)";

// The label in front of a display, naming what it shows.
inline QLabel* leadLabel(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setProperty("role", "energyLead");
    return l;
}

// The label after a display, naming its unit.
inline QLabel* unitLabel(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setProperty("role", "energyUnit");
    return l;
}

}  // namespace izleme::energy_style
