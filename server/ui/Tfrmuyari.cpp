#include "server/ui/Tfrmuyari.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "toolkit/ui/Named.h"
#include "toolkit/ui/PlatformServices.h"
#include "toolkit/ui/ScrollingLabel.h"

namespace izleme {

Tfrmuyari::Tfrmuyari(std::shared_ptr<SoundPlayer> sound, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), sound_(std::move(sound)) {
    setObjectName(QStringLiteral("frmuyari"));
    setWindowTitle(QStringLiteral("Uyarı!!!"));
    setFixedSize(334, 246);
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(
        QStringLiteral("QWidget#frmuyari { background: black; }"
                       "QLabel { color: white; }"
                       "QLabel[role=\"inputName\"] { color: #e8e8e8; font-weight: bold; }"
                       "QLabel[role=\"inputValue\"] { color: #80d8ff; }"
                       "QPushButton { background: #2c3642; color: white; border: 1px solid #5a6878; border-radius: 3px;"
                       "              padding: 4px 18px; font-weight: bold; }"
                       "QPushButton:hover { background: #3a4656; }"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);
    label1 = named(new ScrollingLabel(QStringLiteral("label1"), this), "label1");
    label1->setStyleSheet(
        QStringLiteral("QLabel { color: #ff3030; background: #140000; border: 1px solid #5a0000; font-weight: bold;"
                       "         font-size: 15px; padding: 4px 0; }"));
    label1->setMinimumHeight(34);
    layout->addWidget(label1);
    layout->addStretch(1);

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(4);
    const char* shapeNames[] = {"Shape9", "Shape1", "Shape2", "Shape3"};
    const char* nameLabels[] = {"Label160", "Label2", "Label3", "Label4"};
    const char* valueLabels[] = {"Label5", "Label6", "Label7", "Label8"};
    for (int i = 0; i < 4; ++i) {
        const auto k = static_cast<std::size_t>(i);
        // Nothing feeds the inputs: the circles stay grey.
        shapes[k] = named(new QLabel(this), shapeNames[i]);
        shapes[k]->setFixedSize(34, 34);
        shapes[k]->setStyleSheet(
            QStringLiteral("QLabel { background: #808080; border: 2px solid #c0c0c0; border-radius: 17px; }"));
        inputNames[k] = named(new QLabel(QStringLiteral("İnput %1").arg(i + 1), this), nameLabels[i]);
        inputNames[k]->setProperty("role", "inputName");
        inputValues[k] = named(new QLabel(QString::fromLatin1(valueLabels[i]), this), valueLabels[i]);
        inputValues[k]->setProperty("role", "inputValue");
        grid->addWidget(shapes[k], 0, i, Qt::AlignHCenter);
        grid->addWidget(inputNames[k], 1, i, Qt::AlignHCenter);
        grid->addWidget(inputValues[k], 2, i, Qt::AlignHCenter);
    }
    layout->addLayout(grid);
    layout->addStretch(1);
    Button1 = named(new QPushButton(QStringLiteral("Kapat"), this), "Button1");
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    connect(Button1, &QPushButton::clicked, this, &Tfrmuyari::Button1Click);

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(2500);
    connect(Timer1, &QTimer::timeout, this, &Tfrmuyari::Timer1Timer);
}

void Tfrmuyari::showAlarm(const QString& text) {
    label1->setText(text);
    if (isVisible() && Timer1->isActive()) return;  // the horn goes on; the new text scrolls on
    label1->restart();
    const bool wasHidden = !isVisible();
    show();
    if (wasHidden) centreOnScreen();
    raise();
    activateWindow();
    Timer1Timer();  // the horn at once, then every 2.5 s
    Timer1->start();
}

void Tfrmuyari::Timer1Timer() {
    // Looked up in the current directory each time; a missing file is silence.
    const QString path = QDir::current().filePath(QString::fromLatin1(soundFile));
    if (sound_ && QFileInfo(path).isFile()) sound_->play(path);
}

void Tfrmuyari::Button1Click() { close(); }

void Tfrmuyari::closeEvent(QCloseEvent* event) {
    Timer1->stop();
    if (sound_) sound_->stop();
    QWidget::closeEvent(event);
}

void Tfrmuyari::centreOnScreen() {
    const QScreen* screen = this->screen();
    if (!screen) return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

}  // namespace izleme
