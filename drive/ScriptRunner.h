// Runs the steps of a script against the program's windows from the main
// event loop: a timer tick starts the next step or polls the current wait,
// and every action that reaches a handler is delivered from a queued call, so
// a handler that opens a modal window never traps the runner.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

#include "drive/Script.h"
#include "drive/WindowSet.h"

namespace izleme {

class ScriptRunner : public QObject {
    Q_OBJECT
public:
    ScriptRunner(const WindowSet& windows, const QString& scriptName, const QString& outDir, QObject* parent = nullptr);

    // Multiplies the time limits of wait, waitchange, waitentry, select and answer.
    void setTimeoutScale(double scale);

    // Starts the first step on the next tick.
    void start(const std::vector<ScriptStep>& steps);

    // Ends a running script as failed at its current step (the program ended).
    void abandon(const QString& why);

    bool isFinished() const { return finished_; }
    bool passed() const { return passed_; }
    // "SCRIPT:LINE: step: why" of the failed step.
    QString failure() const { return failure_; }

signals:
    // A step passed after `nsecs` nanoseconds: from its start until its wait
    // was met, or its action's handler returned (or, for a handler that opens
    // a modal window, until the next step began). Emitted in step order.
    void stepTimed(const izleme::ScriptStep& step, qint64 nsecs);
    // Emitted once, at once when a step fails (the windows still show why).
    void finished(bool passed);

private:
    enum class Phase { Next, Action, Wait, WaitChange, WaitEntry, Sleep, Select, Drain };

    struct ArmedAnswer {
        bool yes = true;
        int stepIndex = 0;  // the answer step, reported when no question comes
        int limitMs = 0;
        qint64 deadlineMs = 0;  // on the script's clock
    };

    void tick();
    void beginStep(const ScriptStep& step);
    void pollStep(const ScriptStep& step);
    void serviceAnswers();
    void fail(const QString& why);
    void failAt(int stepIndex, const QString& why);
    void finishPassed();
    void passStep();
    void finishTiming(int stepIndex);
    int limit(int ms) const;
    void defer(std::function<void()> action);

    void beginType(const ScriptStep& step);
    void beginClick(const ScriptStep& step);
    void beginKey(const ScriptStep& step);
    void beginTab(const ScriptStep& step);

    WindowSet windows_;
    QString scriptName_;
    QString outDir_;
    std::vector<ScriptStep> steps_;
    int index_ = 0;  // step being run
    Phase phase_ = Phase::Next;
    QTimer ticker_;
    QElapsedTimer clock_;     // since the current step began
    QElapsedTimer runClock_;  // since the script started
    std::vector<qint64> stepStartNs_;
    int timed_ = 0;  // steps whose duration was reported
    int timeoutMs_ = 0;
    QString initialText_;
    std::deque<ArmedAnswer> answers_;
    QPointer<QWidget> lastAnswered_;
    double timeoutScale_ = 1.0;
    bool busy_ = false;
    bool finished_ = false;
    bool passed_ = false;
    QString failure_;
};

}  // namespace izleme
