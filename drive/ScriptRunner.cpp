// The step state machine of izleme-drive.
#include "drive/ScriptRunner.h"

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
#include <algorithm>
#include <climits>
#include <cmath>

#include "drive/DeviceListAccess.h"
#include "drive/PageAccess.h"
#include "drive/Snapshot.h"
#include "drive/WidgetState.h"

namespace izleme {

namespace {

constexpr int kTickMs = 10;
constexpr int kDefaultWaitMs = 5000;

QString quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

QString stripMnemonic(QString text) { return text.remove(QLatin1Char('&')); }

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

void ScriptRunner::setTimeoutScale(double scale) { timeoutScale_ = std::isfinite(scale) && scale > 0 ? scale : 1.0; }

void ScriptRunner::start(const std::vector<ScriptStep>& steps) {
    steps_ = steps;
    index_ = 0;
    phase_ = Phase::Next;
    finished_ = false;
    passed_ = false;
    failure_.clear();
    answers_.clear();
    stepStartNs_.assign(steps_.size(), 0);
    timed_ = 0;
    runClock_.start();
    ticker_.start();
}

void ScriptRunner::abandon(const QString& why) {
    if (finished_) return;
    if (index_ < int(steps_.size())) return fail(why);
    if (!answers_.empty()) return failAt(answers_.front().stepIndex, why);
    finishPassed();
}

int ScriptRunner::limit(int ms) const {
    const double scaled = double(ms) * timeoutScale_;
    return scaled >= double(INT_MAX) ? INT_MAX : int(scaled);
}

void ScriptRunner::fail(const QString& why) { failAt(index_, why); }

void ScriptRunner::failAt(int stepIndex, const QString& why) {
    if (finished_) return;
    const ScriptStep step =
        stepIndex >= 0 && stepIndex < int(steps_.size()) ? steps_[std::size_t(stepIndex)] : ScriptStep{};
    failure_ = QStringLiteral("%1:%2: %3: %4").arg(scriptName_).arg(step.line).arg(sourceText(step), why);
    finished_ = true;
    passed_ = false;
    ticker_.stop();
    emit finished(false);
}

void ScriptRunner::finishPassed() {
    finishTiming(int(steps_.size()) - 1);
    finished_ = true;
    passed_ = true;
    ticker_.stop();
    emit finished(true);
}

void ScriptRunner::finishTiming(int stepIndex) {
    if (stepIndex != timed_ || stepIndex < 0 || stepIndex >= int(steps_.size())) return;
    ++timed_;
    emit stepTimed(steps_[std::size_t(stepIndex)], runClock_.nsecsElapsed() - stepStartNs_[std::size_t(stepIndex)]);
}

void ScriptRunner::passStep() {
    if (phase_ != Phase::Action) finishTiming(index_);
    ++index_;
    phase_ = Phase::Next;
}

void ScriptRunner::defer(std::function<void()> action) {
    // Runs from the event loop, not from the tick: if the handler opens a
    // modal window, the ticks go on inside its loop and can answer it.
    phase_ = Phase::Action;
    const int stepIndex = index_;
    QTimer::singleShot(0, this, [this, stepIndex, action = std::move(action)] {
        if (finished_ || phase_ != Phase::Action || index_ != stepIndex) return;
        passStep();
        action();
        if (!finished_) finishTiming(stepIndex);
    });
}

void ScriptRunner::tick() {
    if (finished_ || busy_) return;
    busy_ = true;
    serviceAnswers();
    if (finished_) {
        busy_ = false;
        return;
    }
    if (phase_ == Phase::Next) {
        if (index_ < int(steps_.size())) {
            finishTiming(index_ - 1);  // a handler still in its modal window
            stepStartNs_[std::size_t(index_)] = runClock_.nsecsElapsed();
            beginStep(steps_[std::size_t(index_)]);
        } else if (answers_.empty()) {
            busy_ = false;
            return finishPassed();
        } else {
            // Armed answers wait for their question until their own time is up.
            phase_ = Phase::Drain;
        }
    } else if (phase_ == Phase::Drain) {
        if (answers_.empty()) phase_ = Phase::Next;
    } else if (phase_ != Phase::Action && index_ < int(steps_.size())) {
        pollStep(steps_[std::size_t(index_)]);
    }
    busy_ = false;
}

void ScriptRunner::serviceAnswers() {
    if (answers_.empty()) return;
    QWidget* modal = QApplication::activeModalWidget();
    // A question box may be shown again for the next question.
    if (lastAnswered_ && !lastAnswered_->isVisible()) lastAnswered_ = nullptr;
    QAbstractButton* button = nullptr;
    if (modal && modal->isVisible() && modal != lastAnswered_) button = answerButton(modal, answers_.front().yes);
    if (!button) {
        for (const ArmedAnswer& armed : answers_) {
            if (runClock_.elapsed() > armed.deadlineMs) {
                return failAt(armed.stepIndex, QStringLiteral("no question was asked within %1 ms").arg(armed.limitMs));
            }
        }
        return;
    }
    answers_.pop_front();
    lastAnswered_ = modal;
    QPointer<QAbstractButton> target(button);
    QTimer::singleShot(0, this, [target] {
        if (target) target->click();
    });
}

void ScriptRunner::beginStep(const ScriptStep& step) {
    clock_.start();
    switch (step.kind) {
        case StepKind::Type:
            return beginType(step);
        case StepKind::Click:
            return beginClick(step);
        case StepKind::Key:
            return beginKey(step);
        case StepKind::Tab:
            return beginTab(step);
        case StepKind::Select:
        case StepKind::WaitEntry:
            phase_ = step.kind == StepKind::Select ? Phase::Select : Phase::WaitEntry;
            timeoutMs_ = limit(step.args.size() > 1 ? *parseMilliseconds(step.args[1]) : kDefaultWaitMs);
            return pollStep(step);
        case StepKind::Answer: {
            const int ms = limit(step.args.size() > 1 ? *parseMilliseconds(step.args[1]) : kDefaultWaitMs);
            answers_.push_back({step.args[0] == "Yes", index_, ms, runClock_.elapsed() + ms});
            return passStep();
        }
        case StepKind::Wait:
        case StepKind::WaitChange: {
            const bool change = step.kind == StepKind::WaitChange;
            const std::size_t msArg = change ? 1 : 2;
            timeoutMs_ = limit(step.args.size() > msArg ? *parseMilliseconds(step.args[msArg]) : kDefaultWaitMs);
            QString why;
            QObject* target = windows_.find(argText(step, 0), &why);
            if (!target) return fail(why);
            const auto text = readText(target);
            if (!text) return fail(QStringLiteral("%1 has no text").arg(argText(step, 0)));
            initialText_ = *text;
            phase_ = change ? Phase::WaitChange : Phase::Wait;
            return pollStep(step);
        }
        case StepKind::Sleep:
            timeoutMs_ = *parseMilliseconds(step.args[0]);
            phase_ = Phase::Sleep;
            return pollStep(step);
        case StepKind::Snapshot: {
            QString why;
            if (!writeSnapshot(windows_, outDir_, argText(step, 0), &why)) return fail(why);
            return passStep();
        }
    }
    fail(QStringLiteral("unknown step \"%1\"").arg(QString::fromStdString(step.verb)));
}

void ScriptRunner::pollStep(const ScriptStep& step) {
    const qint64 elapsed = clock_.elapsed();
    switch (phase_) {
        case Phase::Sleep:
            if (elapsed >= timeoutMs_) passStep();
            return;
        case Phase::Select:
        case Phase::WaitEntry: {
            QWidget* bar = windows_.deviceList();
            if (!bar) return fail(QStringLiteral("the main window has no device list RzGroupBar1"));
            const QString caption = argText(step, 0);
            if (QAbstractButton* entry = findDeviceEntry(bar, caption)) {
                if (phase_ == Phase::WaitEntry) return passStep();
                QPointer<QAbstractButton> target(entry);
                defer([this, target] {
                    if (!target) return fail(QStringLiteral("the device list entry went away"));
                    target->click();
                });
            } else if (elapsed > timeoutMs_) {
                fail(QStringLiteral("no device list entry %1 after %2 ms").arg(quoted(caption)).arg(timeoutMs_));
            }
            return;
        }
        case Phase::Wait:
        case Phase::WaitChange: {
            QString why;
            QObject* target = windows_.find(argText(step, 0), &why);
            if (!target) return fail(why);
            const QString text = readText(target).value_or(QString());
            const QString expected = phase_ == Phase::Wait ? argText(step, 1) : QString();
            const bool done = phase_ == Phase::Wait ? text == expected : text != initialText_;
            if (done) return passStep();
            if (elapsed > timeoutMs_) {
                if (phase_ == Phase::Wait) {
                    fail(QStringLiteral("text is %1 after %2 ms, expected %3")
                             .arg(quoted(text))
                             .arg(timeoutMs_)
                             .arg(quoted(expected)));
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
    const QString name = argText(step, 0);
    QObject* target = windows_.find(name, &why);
    if (!target) return fail(why);
    if (!canTypeInto(target)) {
        return fail(QStringLiteral("%1 (%2) does not take text")
                        .arg(name, QString::fromLatin1(target->metaObject()->className())));
    }
    QPointer<QObject> guard(target);
    const QString text = argText(step, 1);
    const int stepIndex = index_;
    defer([this, guard, text, stepIndex] {
        QString reason;
        if (!guard || !typeText(guard, text, &reason)) {
            failAt(stepIndex,
                   guard ? reason : QStringLiteral("the widget went away"));  // the type step, not the next one
        }
    });
}

void ScriptRunner::beginClick(const ScriptStep& step) {
    QString why;
    const QString name = argText(step, 0);
    QObject* target = windows_.find(name, &why);
    if (!target) return fail(why);
    if (auto* action = qobject_cast<QAction*>(target)) {
        if (!action->isEnabled()) return fail(QStringLiteral("%1 is disabled").arg(name));
        QPointer<QAction> guard(action);
        return defer([guard] {
            if (guard) guard->trigger();
        });
    }
    auto* widget = qobject_cast<QWidget*>(target);
    if (!widget) return fail(QStringLiteral("%1 cannot be clicked").arg(name));
    if (!widget->isEnabled()) return fail(QStringLiteral("%1 is disabled").arg(name));
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
    const QString name = argText(step, 0);
    const QString keyName = argText(step, 1);
    QObject* target = windows_.find(name, &why);
    if (!target) return fail(why);
    auto* widget = qobject_cast<QWidget*>(target);
    if (!widget) return fail(QStringLiteral("%1 is not a widget").arg(name));
    const QKeySequence sequence = QKeySequence::fromString(keyName, QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown) {
        return fail(QStringLiteral("unknown key %1").arg(quoted(keyName)));
    }
    const QKeyCombination combination = sequence[0];
    const Qt::Key key = combination.key();
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    QString text;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        text = QStringLiteral("\r");
    } else if (keyName.size() == 1 && !(modifiers & Qt::ControlModifier)) {
        text = keyName;
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
    const QString caption = argText(step, 0);
    int index = -1;
    for (int i = 0; i < pages->count(); ++i) {
        if (stripMnemonic(pages->tabText(i)) == caption) {
            index = i;
            break;
        }
    }
    if (index < 0) return fail(QStringLiteral("no page captioned %1").arg(quoted(caption)));
    if (!isTabShown(pages, index)) return fail(QStringLiteral("the tab %1 is hidden").arg(quoted(caption)));
    QPointer<QTabWidget> guard(pages);
    defer([guard, index] {
        if (guard) selectPage(guard, index);
    });
}

}  // namespace izleme
