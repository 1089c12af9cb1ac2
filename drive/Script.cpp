// Parsing and checking of izleme-drive scripts.
#include "drive/Script.h"

#include <QProcessEnvironment>
#include <QRegularExpression>

namespace izleme {

namespace {

struct VerbRule {
    const char* verb;
    int minArgs;
    int maxArgs;
    int numberFrom;  // index of the first argument that must be a number (-1: none)
};

constexpr VerbRule kVerbs[] = {
    {"type", 2, 2, -1},   {"click", 1, 1, -1}, {"key", 2, 2, -1},      {"tab", 1, 1, -1},
    {"select", 1, 1, -1}, {"answer", 1, 1, -1}, {"wait", 2, 3, 2},     {"waitchange", 1, 2, 1},
    {"sleep", 1, 1, 0},   {"snapshot", 1, 1, -1},
};

const VerbRule* findVerb(const QString& verb) {
    for (const VerbRule& rule : kVerbs) {
        if (verb == QLatin1String(rule.verb)) return &rule;
    }
    return nullptr;
}

QString checkStep(const ScriptStep& step) {
    const VerbRule* rule = findVerb(step.verb);
    if (!rule) return QStringLiteral("unknown step \"%1\"").arg(step.verb);
    const int n = int(step.args.size());
    if (n < rule->minArgs || n > rule->maxArgs) {
        return rule->minArgs == rule->maxArgs
                   ? QStringLiteral("expects %1 argument(s), got %2").arg(rule->minArgs).arg(n)
                   : QStringLiteral("expects %1 to %2 arguments, got %3").arg(rule->minArgs).arg(rule->maxArgs).arg(n);
    }
    if (rule->numberFrom >= 0 && rule->numberFrom < n) {
        bool ok = false;
        const int ms = step.args[rule->numberFrom].toInt(&ok);
        if (!ok || ms < 0) return QStringLiteral("\"%1\" is not a number of milliseconds").arg(step.args[rule->numberFrom]);
    }
    if (step.verb == QLatin1String("answer") && step.args[0] != QLatin1String("Yes") && step.args[0] != QLatin1String("No")) {
        return QStringLiteral("answer is Yes or No, not \"%1\"").arg(step.args[0]);
    }
    if (step.verb == QLatin1String("snapshot")) {
        static const QRegularExpression safe(QStringLiteral("^[A-Za-z0-9_.-]+$"));
        const QString& label = step.args[0];
        if (!safe.match(label).hasMatch() || label.startsWith(QLatin1Char('.'))) {
            return QStringLiteral("label \"%1\" must be letters, digits, '_', '-', '.'").arg(label);
        }
    }
    return {};
}

}  // namespace

bool splitScriptLine(const QString& line, QStringList& args, QString& error) {
    args.clear();
    int i = 0;
    const int n = int(line.size());
    while (i < n) {
        while (i < n && line[i].isSpace()) ++i;
        if (i >= n || line[i] == QLatin1Char('#')) break;
        QString arg;
        while (i < n && !line[i].isSpace()) {
            if (line[i] == QLatin1Char('"')) {
                ++i;
                bool closed = false;
                while (i < n) {
                    const QChar c = line[i];
                    if (c == QLatin1Char('\\') && i + 1 < n && (line[i + 1] == QLatin1Char('"') || line[i + 1] == QLatin1Char('\\'))) {
                        arg += line[i + 1];
                        i += 2;
                    } else if (c == QLatin1Char('"')) {
                        closed = true;
                        ++i;
                        break;
                    } else {
                        arg += c;
                        ++i;
                    }
                }
                if (!closed) {
                    error = QStringLiteral("unterminated quoted text");
                    return false;
                }
            } else {
                arg += line[i++];
            }
        }
        args << arg;
    }
    return true;
}

bool expandVariables(const QString& text, const VariableLookup& lookup, QString& out, QString& error) {
    out.clear();
    int i = 0;
    const int n = int(text.size());
    while (i < n) {
        if (text[i] == QLatin1Char('$') && i + 1 < n && text[i + 1] == QLatin1Char('{')) {
            const int close = int(text.indexOf(QLatin1Char('}'), i + 2));
            if (close < 0) {
                error = QStringLiteral("unterminated ${ in \"%1\"").arg(text);
                return false;
            }
            const QString body = text.mid(i + 2, close - i - 2);
            const int dflt = int(body.indexOf(QLatin1String(":-")));
            const QString name = dflt >= 0 ? body.left(dflt) : body;
            QString value;
            if (!lookup || !lookup(name, value) || (dflt >= 0 && value.isEmpty())) {
                if (dflt < 0) {
                    error = QStringLiteral("variable %1 is not set").arg(name);
                    return false;
                }
                value = body.mid(dflt + 2);
            }
            out += value;
            i = close + 1;
        } else {
            out += text[i++];
        }
    }
    return true;
}

ParsedScript parseScript(const QString& text, const VariableLookup& lookup) {
    ParsedScript result;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int index = 0; index < lines.size(); ++index) {
        QString raw = lines[index];
        if (raw.endsWith(QLatin1Char('\r'))) raw.chop(1);
        QStringList parts;
        QString error;
        auto fail = [&](const QString& why) {
            result.ok = false;
            result.errorLine = index + 1;
            result.errorSource = raw.trimmed();
            result.error = why;
        };
        if (!splitScriptLine(raw, parts, error)) {
            fail(error);
            return result;
        }
        if (parts.isEmpty()) continue;
        ScriptStep step;
        step.line = index + 1;
        step.verb = parts.takeFirst();
        for (const QString& part : parts) {
            QString expanded;
            if (!expandVariables(part, lookup, expanded, error)) {
                fail(error);
                return result;
            }
            step.args << expanded;
        }
        step.source = raw.trimmed();
        const QString why = checkStep(step);
        if (!why.isEmpty()) {
            fail(why);
            return result;
        }
        result.steps << step;
    }
    return result;
}

VariableLookup environmentLookup() {
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    return [env](const QString& name, QString& value) {
        if (!env.contains(name)) return false;
        value = env.value(name);
        return true;
    };
}

}  // namespace izleme
