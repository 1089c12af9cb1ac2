// The main window's three text outputs: the status line `LblMesaj` (protocol
// progress), the request line `LblGiden` (the last request's waiting text) and
// the heading `Label2` of the data shown on page 0.
#pragma once

#include <QString>

namespace izleme {

class StatusLines {
public:
    virtual ~StatusLines() = default;
    virtual void setStatusLine(const QString& text) = 0;   // `LblMesaj`
    virtual void setRequestLine(const QString& text) = 0;  // `LblGiden`
    virtual void setHeading(const QString& text) = 0;      // `Label2`
};

}  // namespace izleme
