#include "server/ui/Tfrmuyari.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace izleme {

Tfrmuyari::Tfrmuyari(std::shared_ptr<SoundPlayer> sound, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), sound_(std::move(sound)) {
    setObjectName(QStringLiteral("frmuyari"));
    setWindowTitle(QStringLiteral("Uyarı!!!"));
    resize(334, 246);
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral("QWidget#frmuyari { background: black; } QLabel { color: white; }"));

    auto* layout = new QVBoxLayout(this);
    label1 = new QLabel(QStringLiteral("label1"), this);
    label1->setObjectName(QStringLiteral("label1"));
    label1->setStyleSheet(QStringLiteral("QLabel { color: yellow; font-weight: bold; font-size: 14px; }"));
    layout->addWidget(label1);

    auto* grid = new QGridLayout;
    const char* shapeNames[] = {"Shape9", "Shape1", "Shape2", "Shape3"};
    const char* nameLabels[] = {"Label160", "Label2", "Label3", "Label4"};
    const char* valueLabels[] = {"Label5", "Label6", "Label7", "Label8"};
    for (int i = 0; i < 4; ++i) {
        const auto k = static_cast<std::size_t>(i);
        shapes[k] = new QLabel(this);
        shapes[k]->setObjectName(QString::fromLatin1(shapeNames[i]));
        shapes[k]->setFixedSize(32, 32);
        shapes[k]->setStyleSheet(QStringLiteral("QLabel { background: grey; border-radius: 16px; }"));
        inputNames[k] = new QLabel(QStringLiteral("İnput %1").arg(i + 1), this);
        inputNames[k]->setObjectName(QString::fromLatin1(nameLabels[i]));
        inputValues[k] = new QLabel(QString::fromLatin1(valueLabels[i]), this);
        inputValues[k]->setObjectName(QString::fromLatin1(valueLabels[i]));
        grid->addWidget(shapes[k], 0, i, Qt::AlignHCenter);
        grid->addWidget(inputNames[k], 1, i, Qt::AlignHCenter);
        grid->addWidget(inputValues[k], 2, i, Qt::AlignHCenter);
    }
    layout->addLayout(grid);
    layout->addStretch(1);
    Button1 = new QPushButton(QStringLiteral("Kapat"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    layout->addWidget(Button1, 0, Qt::AlignHCenter);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(2500);
}

}  // namespace izleme
