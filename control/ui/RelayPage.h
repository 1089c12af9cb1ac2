// The page "Aşırı Akım Rölesi" of an over-current relay, inside `Panel8`. For
// now it carries the relay's serial display `Sno`, which every selection of a
// relay writes with the serial text as it stands in the entry's caption.
#pragma once

#include <QWidget>

class QFrame;

namespace izleme {

class LedDisplay;
struct PageContext;

class RelayPage : public QWidget {
    Q_OBJECT
public:
    RelayPage(const PageContext& context, QFrame* panel8);

    LedDisplay* Sno;
};

}  // namespace izleme
