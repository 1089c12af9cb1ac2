// The step state machine of izleme-drive.
#include "drive/ScriptRunner.h"

#include "drive/DeviceListAccess.h"
#include "drive/PageAccess.h"
#include "drive/Snapshot.h"
#include "drive/WidgetState.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMessageBox>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>

namespace izleme {

namespace {

constexpr int kTickMs = 10;
constexpr int kDefaultWaitMs = 5000;

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString stripMnemonic(QString text) {
    return text.remove(QLatin1Char('&'));
}

// The Yes or No button of a question dialog: a message box, a button box,
// or a button captioned Yes/Evet or No/Hayır.
QAbstractButton* answerButton(QWidget* dialog, bool yes) {
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        if (QAbstractButton* b = box->button(yes ? QMessageBox::Yes : QMessageBox::No)) return b;
    }
    for (auto* buttons : dialog->findChildren<QDialogButtonBox*>()) {
        if (QAbstractButton* b = buttons->button(yes ? QDialogButtonBox::Yes : QDialogButtonBox::No)) return b;
    }
    const QStringList captions = yes ? QStringList{QStringLiteral("Yes"), QStringLiteral("Evet")}
                                     : QStringList{QStringLiteral("No"), QStringLiteral("Hayır")};
    for (auto* b : dialog->findChildren<QAbstractButton*>()) {
        if (captions.contains(stripMnemonic(b->text()), Qt::CaseInsensitive)) return b;
    }
    return nullptr;
}

// A click as the mouse gives it, for widgets without a click() of their own.
void clickWidget(QWidget* w) {
    const int method = w->metaObject()->indexOfMethod("click()");
    if (method >= 0) {
        w->metaObject()->method(method).invoke(w, Qt::DirectConnection);
        return;
    }
    const QPointF local = QPointF(w->rect().center());
    const QPointF global = QPointF(w->mapToGlobal(local.toPoint()));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QPointer<QWidget> guard(w);
    if (!guard) return;
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

}  // namespace

ScriptRunner::ScriptRunner(const WindowSet& windows, const QString& scriptName, const QString& outDir, QObject* parent)
    : QObject(parent), windows_(windows), scriptName_(scriptName), outDir_(outDir) {
    ticker_.setInterval(kTickMs);
    connect(&ticker_, &QTimer::timeout, this, &ScriptRunner::tick);
}

void ScriptRunner::start(const QList<ScriptStep>& steps) {
    steps_ = steps;
    index_ = 0;
    phase_ = Phase::Next;
    finished_ = false;
    passed_ = false;
    ticker_.start();
}

void ScriptRunner::abandon(const QString& why) {
    if (finished_) return;
    if (index_ >= steps_.size()) {
        finished_ = true;
        passed_ = true;
        ticker_.stop();
        emit finished(true);
        return;
    }
    fail(why);
}

int ScriptRunner::limit(int ms) const {
    return int(double(ms) * timeoutScale_);
}

void ScriptRunner::fail(const QString& why) {
    if (finished_) return;
    const ScriptStep step = index_ < steps_.size() ? steps_[index_] : ScriptStep{};
    failure_ = QStringLiteral("%1:%2: %3: %4").arg(scriptName_).arg(step.line).arg(step.source, why);
    finished_ = true;
    passed_ = false;
    ticker_.stop();
    emit finished(false);
}

void ScriptRunner::passStep() {
    ++index_;
    phase_ = Phase::Next;
}

void ScriptRunner::defer(std::function<void()> action) {
    // Runs from the event loop, not from the tick: if the handler opens a
    // modal window, the ticks go on inside its loop and can answer it.
    phase_ = Phase::Action;
    QTimer::singleShot(0, this, [this, action = std::move(action)] {
        if (finished_ || phase_ != Phase::Action) return;
        passStep();
        action();
    });
}

void ScriptRunner::tick() {
    if (finished_ || busy_) return;
    busy_ = true;
    serviceAnswers();
    if (phase_ == Phase::Next) {
        if (index_ < steps_.size()) {
            beginStep(steps_[index_]);
        } else if (answers_.empty()) {
            finished_ = true;
            passed_ = true;
            ticker_.stop();
            busy_ = false;
            emit finished(true);
            return;
        } else {
            // Give armed answers the usual time to meet their question.
            phase_ = Phase::Drain;
            timeoutMs_ = limit(kDefaultWaitMs);
            clock_.start();
        }
    } else if (phase_ == Phase::Drain) {
        if (answers_.empty() || clock_.elapsed() > timeoutMs_) {
            answers_.clear();
            phase_ = Phase::Next;
        }
    } else if (phase_ != Phase::Action && index_ < steps_.size()) {
        pollStep(steps_[index_]);
    }
    busy_ = false;
}

void ScriptRunner::serviceAnswers() {
    if (answers_.empty()) return;
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    if (modal == lastAnswered_) return;
    QAbstractButton* button = answerButton(modal, answers_.front());
    if (!button) return;
    answers_.pop_front();
    lastAnswered_ = modal;
    QPointer<QAbstractButton> target(button);
    QTimer::singleShot(0, this, [target] {
        if (target) target->click();
    });
}

void ScriptRunner::beginStep(const ScriptStep& step) {
    const QString& verb = step.verb;
    clock_.start();
    if (verb == QLatin1String("type")) {
        beginType(step);
    } else if (verb == QLatin1String("click")) {
        beginClick(step);
    } else if (verb == QLatin1String("key")) {
        beginKey(step);
    } else if (verb == QLatin1String("tab")) {
        beginTab(step);
    } else if (verb == QLatin1String("select")) {
        phase_ = Phase::Select;
        timeoutMs_ = limit(kDefaultWaitMs);
        pollStep(step);
    } else if (verb == QLatin1String("answer")) {
        answers_.push_back(step.args[0] == QLatin1String("Yes"));
        passStep();
    } else if (verb == QLatin1String("wait") || verb == QLatin1String("waitchange")) {
        const bool change = verb == QLatin1String("waitchange");
        const int msArg = change ? 1 : 2;
        timeoutMs_ = limit(step.args.size() > msArg ? step.args[msArg].toInt() : kDefaultWaitMs);
        QString why;
        QObject* target = windows_.find(step.args[0], &why);
        if (!target) return fail(why);
        const auto text = readText(target);
        if (!text) return fail(QStringLiteral("%1 has no text").arg(step.args[0]));
        initialText_ = *text;
        phase_ = change ? Phase::WaitChange : Phase::Wait;
        pollStep(step);
    } else if (verb == QLatin1String("sleep")) {
        timeoutMs_ = step.args[0].toInt();
        phase_ = Phase::Sleep;
        pollStep(step);
    } else if (verb == QLatin1String("snapshot")) {
        QString why;
        if (!writeSnapshot(windows_, outDir_, step.args[0], &why)) return fail(why);
        passStep();
    } else {
        fail(QStringLiteral("unknown step \"%1\"").arg(verb));
    }
}

void ScriptRunner::pollStep(const ScriptStep& step) {
    const qint64 elapsed = clock_.elapsed();
    switch (phase_) {
    case Phase::Sleep:
        if (elapsed >= timeoutMs_) passStep();
        return;
    case Phase::Select: {
        QWidget* bar = windows_.deviceList();
        if (!bar) return fail(QStringLiteral("the main window has no device list RzGroupBar1"));
        if (QAbstractButton* entry = findDeviceEntry(bar, step.args[0])) {
            QPointer<QAbstractButton> target(entry);
            defer([this, target] {
                if (!target) return fail(QStringLiteral("the device list entry went away"));
                target->click();
            });
        } else if (elapsed > timeoutMs_) {
            fail(QStringLiteral("no device list entry %1 after %2 ms").arg(quoted(step.args[0])).arg(timeoutMs_));
        }
        return;
    }
    case Phase::Wait:
    case Phase::WaitChange: {
        QString why;
        QObject* target = windows_.find(step.args[0], &why);
        if (!target) return fail(why);
        const QString text = readText(target).value_or(QString());
        const bool done = phase_ == Phase::Wait ? text == step.args[1] : text != initialText_;
        if (done) return passStep();
        if (elapsed > timeoutMs_) {
            if (phase_ == Phase::Wait) {
                fail(QStringLiteral("text is %1 after %2 ms, expected %3").arg(quoted(text)).arg(timeoutMs_).arg(quoted(step.args[1])));
            } else {
                fail(QStringLiteral("text stayed %1 for %2 ms").arg(quoted(text)).arg(timeoutMs_));
            }
        }
        return;
    }
    default:
        return;
    }
}

void ScriptRunner::beginType(const ScriptStep& step) {
    QString why;
    QObject* target = windows_.find(step.args[0], &why);
    if (!target) return fail(why);
    if (!canTypeInto(target)) {
        return fail(QStringLiteral("%1 (%2) does not take text").arg(step.args[0], QString::fromLatin1(target->metaObject()->className())));
    }
    QPointer<QObject> guard(target);
    const QString text = step.args[1];
    const int stepIndex = index_;
    defer([this, guard, text, stepIndex] {
        QString reason;
        if (!guard || !typeText(guard, text, &reason)) {
            index_ = stepIndex;  // report the type step, not the next one
            fail(guard ? reason : QStringLiteral("the widget went away"));
        }
    });
}

void ScriptRunner::beginClick(const ScriptStep& step) {
    QString why;
    QObject* target = windows_.find(step.args[0], &why);
    if (!target) return fail(why);
    if (auto* action = qobject_cast<QAction*>(target)) {
        if (!action->isEnabled()) return fail(QStringLiteral("%1 is disabled").arg(step.args[0]));
        QPointer<QAction> guard(action);
        return defer([guard] {
            if (guard) guard->trigger();
        });
    }
    auto* widget = qobject_cast<QWidget*>(target);
    if (!widget) return fail(QStringLiteral("%1 cannot be clicked").arg(step.args[0]));
    if (!widget->isEnabled()) return fail(QStringLiteral("%1 is disabled").arg(step.args[0]));
    QPointer<QWidget> guard(widget);
    defer([guard] {
        if (!guard) return;
        if (auto* button = qobject_cast<QAbstractButton*>(guard.data())) {
            button->click();
        } else {
            clickWidget(guard);
        }
    });
}

void ScriptRunner::beginKey(const ScriptStep& step) {
    QString why;
    QObject* target = windows_.find(step.args[0], &why);
    if (!target) return fail(why);
    auto* widget = qobject_cast<QWidget*>(target);
    if (!widget) return fail(QStringLiteral("%1 is not a widget").arg(step.args[0]));
    const QKeySequence sequence = QKeySequence::fromString(step.args[1], QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown) {
        return fail(QStringLiteral("unknown key %1").arg(quoted(step.args[1])));
    }
    const QKeyCombination combination = sequence[0];
    const Qt::Key key = combination.key();
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    QString text;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        text = QStringLiteral("\r");
    } else if (step.args[1].size() == 1 && !(modifiers & Qt::ControlModifier)) {
        text = step.args[1];
    }
    QPointer<QWidget> guard(widget);
    defer([guard, key, modifiers, text] {
        if (!guard) return;
        // A window takes the key through its focused control, as the keyboard gives it.
        QWidget* receiver = guard->isWindow() && guard->focusWidget() ? guard->focusWidget() : guard.data();
        QPointer<QWidget> alive(receiver);
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(receiver, &press);
        if (!alive) return;
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(receiver, &release);
    });
}

void ScriptRunner::beginTab(const ScriptStep& step) {
    QTabWidget* pages = windows_.pageControl();
    if (!pages) return fail(QStringLiteral("the main window has no page control suiPageControl1"));
    int index = -1;
    for (int i = 0; i < pages->count(); ++i) {
        if (stripMnemonic(pages->tabText(i)) == step.args[0]) {
            index = i;
            break;
        }
    }
    if (index < 0) return fail(QStringLiteral("no page captioned %1").arg(quoted(step.args[0])));
    if (!isTabShown(pages, index)) return fail(QStringLiteral("the tab %1 is hidden").arg(quoted(step.args[0])));
    QPointer<QTabWidget> guard(pages);
    defer([guard, index] {
        if (guard) selectPage(guard, index);
    });
}

}  // namespace izleme
