// Our code page 1254 table held against Qt's own windows-1254 codec.
#include "toolkit/core/Cp1254.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtTest>

class Cp1254Qt : public QObject {
    Q_OBJECT

private slots:
    void everyByteDecodesAlike() {
        // The bytes the code page leaves unassigned (0x81, 0x8D, 0x8E, 0x8F,
        // 0x90, 0x9D, 0x9E) decode to the C1 control of the same value on
        // both sides: nothing is lost and every byte comes back.
        for (int b = 0; b < 256; ++b) {
            QStringDecoder decoder("windows-1254");
            QVERIFY(decoder.isValid());
            const char byte = static_cast<char>(b);
            const QString qt = decoder.decode(QByteArrayView(&byte, 1));
            QVERIFY2(!decoder.hasError(), qPrintable(QString::number(b, 16)));
            QCOMPARE(qt.size(), 1);
            QCOMPARE(static_cast<char32_t>(qt.at(0).unicode()), izleme::cp1254::toUnicode(static_cast<unsigned char>(b)));
        }
    }

    void everyCharacterEncodesAlike() {
        // Over the whole basic plane: where Qt refuses a character we give
        // nothing, elsewhere both give the same byte.
        int representable = 0;
        for (char32_t cp = 0; cp <= 0xFFFF; ++cp) {
            if (cp >= 0xD800 && cp <= 0xDFFF) continue;
            QStringEncoder encoder("windows-1254");
            const QByteArray qt = encoder.encode(QString(QChar(static_cast<char16_t>(cp))));
            const auto ours = izleme::cp1254::fromUnicode(cp);
            if (encoder.hasError()) {
                QVERIFY2(!ours.has_value(), qPrintable(QString::number(cp, 16)));
                continue;
            }
            QVERIFY2(ours.has_value(), qPrintable(QString::number(cp, 16)));
            QCOMPARE(qt.size(), 1);
            QCOMPARE(static_cast<unsigned char>(qt.at(0)), *ours);
            ++representable;
        }
        QCOMPARE(representable, 256);
    }

    void wholeTextsAlike() {
        const QString text = QStringLiteral("Kullanıcı Adı: ŞEN Ğ İ ç ö ü € ‰ ô");
        QStringEncoder encoder("windows-1254");
        const QByteArray qt = encoder.encode(text);
        const QByteArray utf8 = text.toUtf8();
        const auto ours = izleme::cp1254::fromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
        QVERIFY(ours.has_value());
        QCOMPARE(QByteArray::fromStdString(*ours), qt);
        QCOMPARE(QString::fromStdString(izleme::cp1254::toUtf8(*ours)), text);
    }
};

QTEST_MAIN(Cp1254Qt)
#include "cp1254_qt.moc"
