#include "server/ui/TFrmMesajlar.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace izleme {

TFrmMesajlar::TFrmMesajlar(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FrmMesajlar"));
    setWindowTitle(QStringLiteral("Mesajlar"));
    resize(674, 563);
    auto* layout = new QVBoxLayout(this);
    RzListBox1 = new QListWidget(this);
    RzListBox1->setObjectName(QStringLiteral("RzListBox1"));
    RzListBox1->setFixedHeight(161);
    layout->addWidget(RzListBox1);
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setStyleSheet(QStringLiteral("QTextEdit { color: #804000; background: #FFFBF0; }"));
    layout->addWidget(RichEdit1, 1);
    auto* buttons = new QHBoxLayout;
    BitBtn2 = new QPushButton(QStringLiteral("Yeni Mesajları Kontrol Et"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn1 = new QPushButton(QStringLiteral("Kapat"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    layout->addLayout(buttons);
}

}  // namespace izleme
