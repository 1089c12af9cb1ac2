// Reading and setting the state of any widget the way an operator sees it:
// its text, check state and colour, through a small set of adapters.
#pragma once

#include <QColor>
#include <QString>
#include <optional>

class QObject;

namespace izleme {

// The text shown by a widget or action: line edits, labels, buttons, text
// boxes, combo and spin boxes, date pickers (dd.MM.yyyy), list boxes (current
// item), progress bars, windows (caption), and any object with a `text`
// property or an invokable text(). Empty optional when none applies.
std::optional<QString> readText(const QObject* object);

// Whether setText can type into object (checked before the step runs).
bool canTypeInto(const QObject* object);

// Sets the text as typing would, firing the change handlers. Returns false
// with the reason when the text does not fit the widget (a bad number or date).
bool typeText(QObject* object, const QString& text, QString* why);

// Check state of check boxes, radio and power buttons and checkable actions.
std::optional<bool> readChecked(const QObject* object);

// The colour an operator sees: the brush of a lamp, the font colour of a
// device list entry, otherwise the widget's foreground (text) colour.
std::optional<QColor> readColor(const QObject* object);

// "#rrggbb".
QString colorName(const QColor& color);

}  // namespace izleme
