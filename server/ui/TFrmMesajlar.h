// The messages window FrmMesajlar: the server's messages for the operator,
// one line per message, and the body of the selected one.
#pragma once

#include <QWidget>

class QListWidget;
class QPushButton;
class QTextEdit;

namespace izleme {

class TFrmMesajlar : public QWidget {
    Q_OBJECT
public:
    explicit TFrmMesajlar(QWidget* parent = nullptr);

    QListWidget* RzListBox1;
    QTextEdit* RichEdit1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn1;
};

}  // namespace izleme
