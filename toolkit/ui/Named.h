// Gives a newly built widget, action or socket its object name, the name the
// windows look their controls up by, and hands it back for the assignment.
#pragma once

#include <QObject>
#include <QString>

namespace izleme {

template <typename T>
T* named(T* object, const char* name) {
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

}  // namespace izleme
