#include "app/ui/ShellStyle.h"

namespace izleme {

QString shellStyleSheet() {
    return QStringLiteral(R"(
QMainWindow, QWidget#PanelAna { background: #0b0d10; }
QMenuBar { background: #16191e; color: #e0e0e0; }
QMenuBar::item:selected { background: #2a3340; }
QMenu { background: #16191e; color: #e0e0e0; border: 1px solid #3a4350; }
QMenu::item:selected { background: #2a3340; }
QMenu::item:disabled { color: #6a6f78; }
QFrame#ToolBar1 { background: #050607; border-bottom: 1px solid #2a2f36; }
QLabel#LblMesaj { color: #00ffff; font-weight: bold; }
QFrame#Panel1 { background: #050607; border: 1px solid #2a2f36; border-top-color: #000; border-left-color: #000; }
QLabel#LblGiden { color: #00ff00; font-weight: bold; }
QLabel#LblVersiyon { color: #ffff00; font-weight: bold; }
QWidget#Panel2 { background: #0b0d10; }
QScrollArea#RzGroupBar1 { background: #1a1d22; border: 1px solid #2a2f36; }
QWidget#GroupBarColumn { background: #1a1d22; }
QTabWidget::pane { border: 1px solid #2a2f36; background: #12151a; }
QTabBar::tab { background: #1a1d22; color: #b8c0cc; padding: 5px 12px; border: 1px solid #2a2f36;
               border-bottom: none; margin-right: 1px; }
QTabBar::tab:selected { background: #12151a; color: #ffffff; border-top: 2px solid #00c000; }
QWidget[objectName^="suiTabSheet"] { background: #12151a; color: #d8d8d8; }
QFrame#Panel7, QFrame#Panel8 { background: #12151a; border: none; }
QFrame#Panel7Strip { background: #1c2129; border: 1px solid #2a2f36; }
QLabel { color: #d8d8d8; }
QLabel[role="heading"] { color: #ffffff; font-weight: bold; font-size: 13px; }
QLabel[role="serial"] { color: #00ff00; font-weight: bold; }
QLineEdit, QDateEdit { background: #000; color: #00ff00; border: 1px solid #3a4350; padding: 1px 3px; }
QLineEdit:disabled, QDateEdit:disabled { color: #4a7a4a; }
)");
}

}  // namespace izleme
