// Runs the steps of a script against the program's windows from the main
// event loop: a timer tick starts the next step or polls the current wait,
// and every action that reaches a handler is delivered from a queued call, so
// a handler that opens a modal window never traps the runner.
#pragma once

#include "drive/Script.h"
#include "drive/WindowSet.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <deque>

namespace izleme {

class ScriptRunner : public QObject {
    Q_OBJECT
public:
    ScriptRunner(const WindowSet& windows, const QString& scriptName, const QString& outDir, QObject* parent = nullptr);

    // Multiplies the time limits of wait, waitchange and select.
    void setTimeoutScale(double scale) { timeoutScale_ = scale > 0 ? scale : 1.0; }

    // Starts the first step on the next tick.
    void start(const QList<ScriptStep>& steps);

    // Ends a running script as failed at its current step (the program ended).
    void abandon(const QString& why);

    bool isFinished() const { return finished_; }
    bool passed() const { return passed_; }
    int stepsPassed() const { return passed_ ? int(steps_.size()) : index_; }
    // "SCRIPT:LINE: step: why" of the failed step.
    QString failure() const { return failure_; }

signals:
    void finished(bool passed);

private:
    enum class Phase { Next, Action, Wait, WaitChange, Sleep, Select, Drain };

    void tick();
    void beginStep(const ScriptStep& step);
    void pollStep(const ScriptStep& step);
    void serviceAnswers();
    void fail(const QString& why);
    void passStep();
    int limit(int ms) const;
    void defer(std::function<void()> action);

    void beginType(const ScriptStep& step);
    void beginClick(const ScriptStep& step);
    void beginKey(const ScriptStep& step);
    void beginTab(const ScriptStep& step);

    WindowSet windows_;
    QString scriptName_;
    QString outDir_;
    QList<ScriptStep> steps_;
    int index_ = 0;  // step being run
    Phase phase_ = Phase::Next;
    QTimer ticker_;
    QElapsedTimer clock_;
    int timeoutMs_ = 0;
    QString initialText_;
    std::deque<bool> answers_;  // armed answers, true for Yes
    QPointer<QWidget> lastAnswered_;
    double timeoutScale_ = 1.0;
    bool busy_ = false;
    bool finished_ = false;
    bool passed_ = false;
    QString failure_;
};

}  // namespace izleme
