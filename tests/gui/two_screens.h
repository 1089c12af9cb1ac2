// Runs a QtTest object on the offscreen platform given two screens side by
// side with window frames: a 1366x768 laptop at the origin and a second
// screen of the given size to its right.
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QSize>
#include <QTemporaryDir>
#include <QTest>

namespace izleme::test {

template <typename Test>
int runOnTwoScreens(int argc, char** argv, QSize second) {
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) return 1;
    file.write(R"({"windowFrameMargins": true, "screens": [
        {"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96},
        {"name": "small", "x": 1366, "y": 0, "width": )" +
               QByteArray::number(second.width()) + R"(, "height": )" + QByteArray::number(second.height()) +
               R"(, "logicalDpi": 96}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace izleme::test
