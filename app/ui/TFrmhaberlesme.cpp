#include "app/ui/TFrmhaberlesme.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace izleme {

TFrmhaberlesme::TFrmhaberlesme(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Frmhaberlesme"));
    setWindowTitle(QStringLiteral("Frmhaberlesme"));
    resize(696, 480);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setUniformItemSizes(true);
    layout->addWidget(ListBox1);
}

void TFrmhaberlesme::appendLine(const QString& line) {
    ListBox1->addItem(line);
    while (ListBox1->count() > maxLines) delete ListBox1->takeItem(0);
}

}  // namespace izleme
