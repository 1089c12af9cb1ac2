// Adapters from Qt widget classes to the texts, checks and colours that
// izleme-drive waits for and records.
#include "drive/WidgetState.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QTextEdit>

// The shell's own widgets keep their colours and texts in plain accessors.
#include "app/ui/ActivityLamp.h"
#include "app/ui/UrlLabel.h"
#include "toolkit/ui/GroupBar.h"
#include "toolkit/ui/LedDisplay.h"

namespace izleme {

namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");

// Reads a getter exposed as a Q_PROPERTY or an invokable method, if any.
template <typename T>
std::optional<T> metaGetter(const QObject* object, const char* name) {
    const QMetaObject* meta = object->metaObject();
    if (meta->indexOfProperty(name) >= 0) {
        const QVariant v = object->property(name);
        if (v.canConvert<T>()) return v.value<T>();
    }
    const int method = meta->indexOfMethod(QByteArray(name) + "()");
    if (method >= 0) {
        const QMetaMethod m = meta->method(method);
        if (m.returnMetaType() == QMetaType::fromType<T>()) {
            T value{};
            if (m.invoke(const_cast<QObject*>(object), Qt::DirectConnection, Q_RETURN_ARG(T, value))) return value;
        }
    }
    return std::nullopt;
}

bool metaSetText(QObject* object, const QString& text) {
    const QMetaObject* meta = object->metaObject();
    const int prop = meta->indexOfProperty("text");
    if (prop >= 0 && meta->property(prop).isWritable()) return object->setProperty("text", text);
    const int method = meta->indexOfMethod("setText(QString)");
    if (method >= 0) return meta->method(method).invoke(object, Qt::DirectConnection, Q_ARG(QString, text));
    return false;
}

bool hasMetaSetText(const QObject* object) {
    const QMetaObject* meta = object->metaObject();
    const int prop = meta->indexOfProperty("text");
    return (prop >= 0 && meta->property(prop).isWritable()) || meta->indexOfMethod("setText(QString)") >= 0;
}

std::optional<double> parseDecimal(const QString& text) {
    bool ok = false;
    double v = QLocale().toDouble(text, &ok);
    if (!ok) v = QLocale::c().toDouble(QString(text).replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

}  // namespace

std::optional<QString> readText(const QObject* object) {
    if (!object) return std::nullopt;
    if (auto* w = qobject_cast<const QLineEdit*>(object)) return w->text();
    if (auto* w = qobject_cast<const QLabel*>(object)) return w->text();
    if (auto* w = qobject_cast<const QAbstractButton*>(object)) return w->text();
    if (auto* w = qobject_cast<const QAction*>(object)) return w->text();
    if (auto* w = qobject_cast<const QTextEdit*>(object)) return w->toPlainText();
    if (auto* w = qobject_cast<const QPlainTextEdit*>(object)) return w->toPlainText();
    if (auto* w = qobject_cast<const QComboBox*>(object)) return w->currentText();
    if (auto* w = qobject_cast<const QDateEdit*>(object)) return w->date().toString(kDateFormat);
    if (auto* w = qobject_cast<const QSpinBox*>(object)) return w->cleanText();
    if (auto* w = qobject_cast<const QDoubleSpinBox*>(object)) return w->cleanText();
    if (auto* w = qobject_cast<const QListWidget*>(object)) return w->currentItem() ? w->currentItem()->text() : QString();
    if (auto* w = qobject_cast<const QProgressBar*>(object)) return QString::number(w->value());
    if (auto* w = qobject_cast<const QGroupBox*>(object)) return w->title();
    if (auto* w = qobject_cast<const LedDisplay*>(object)) return w->text();
    if (auto text = metaGetter<QString>(object, "text")) return text;
    if (auto* w = qobject_cast<const QWidget*>(object); w && w->isWindow()) return w->windowTitle();
    return std::nullopt;
}

bool canTypeInto(const QObject* object) {
    // Labels and buttons show text but an operator cannot type into them.
    if (qobject_cast<const QLabel*>(object) || qobject_cast<const QAbstractButton*>(object)) return false;
    return qobject_cast<const QLineEdit*>(object) || qobject_cast<const QTextEdit*>(object) ||
           qobject_cast<const QPlainTextEdit*>(object) || qobject_cast<const QComboBox*>(object) ||
           qobject_cast<const QDateEdit*>(object) || qobject_cast<const QSpinBox*>(object) ||
           qobject_cast<const QDoubleSpinBox*>(object) || (object && hasMetaSetText(object));
}

bool typeText(QObject* object, const QString& text, QString* why) {
    auto fail = [why](const QString& reason) {
        if (why) *why = reason;
        return false;
    };
    if (auto* w = qobject_cast<QLineEdit*>(object)) {
        // setText fires textChanged; textEdited is what typing adds on top.
        w->setText(text);
        emit w->textEdited(w->text());
        return true;
    }
    if (auto* w = qobject_cast<QTextEdit*>(object)) {
        w->setPlainText(text);
        return true;
    }
    if (auto* w = qobject_cast<QPlainTextEdit*>(object)) {
        w->setPlainText(text);
        return true;
    }
    if (auto* w = qobject_cast<QComboBox*>(object)) {
        if (w->isEditable()) {
            w->setEditText(text);
            return true;
        }
        const int index = w->findText(text);
        if (index < 0) return fail(QStringLiteral("\"%1\" is not an item of the combo box").arg(text));
        w->setCurrentIndex(index);
        return true;
    }
    if (auto* w = qobject_cast<QDateEdit*>(object)) {
        const QDate date = QDate::fromString(text, kDateFormat);
        if (!date.isValid()) return fail(QStringLiteral("\"%1\" is not a date dd.MM.yyyy").arg(text));
        w->setDate(date);
        return true;
    }
    if (auto* w = qobject_cast<QSpinBox*>(object)) {
        bool ok = false;
        const int v = text.trimmed().toInt(&ok);
        if (!ok) return fail(QStringLiteral("\"%1\" is not a whole number").arg(text));
        w->setValue(v);
        return true;
    }
    if (auto* w = qobject_cast<QDoubleSpinBox*>(object)) {
        const auto v = parseDecimal(text.trimmed());
        if (!v) return fail(QStringLiteral("\"%1\" is not a number").arg(text));
        w->setValue(*v);
        return true;
    }
    if (object && metaSetText(object, text)) return true;
    return fail(QStringLiteral("%1 does not take text").arg(object ? object->metaObject()->className() : "null"));
}

std::optional<bool> readChecked(const QObject* object) {
    if (auto* w = qobject_cast<const QAbstractButton*>(object); w && w->isCheckable()) return w->isChecked();
    if (auto* a = qobject_cast<const QAction*>(object); a && a->isCheckable()) return a->isChecked();
    return std::nullopt;
}

std::optional<QColor> readColor(const QObject* object) {
    if (!object) return std::nullopt;
    if (auto* w = qobject_cast<const ActivityLamp*>(object)) return w->brushColor();
    if (auto* w = qobject_cast<const UrlLabel*>(object)) return w->shownColor();
    if (auto* w = qobject_cast<const GroupBarEntry*>(object)) return w->fontColor();
    if (auto c = metaGetter<QColor>(object, "brushColor")) return c;
    if (auto c = metaGetter<QColor>(object, "fontColor")) return c;
    if (auto* w = qobject_cast<const QWidget*>(object)) {
        const_cast<QWidget*>(w)->ensurePolished();
        return w->palette().color(w->foregroundRole());
    }
    return std::nullopt;
}

QString colorName(const QColor& color) {
    return color.name(QColor::HexRgb);
}

}  // namespace izleme
