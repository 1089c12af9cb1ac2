// Script of operator actions for izleme-drive: one step per line, blanks
// between arguments, double quotes around texts with blanks, # comments.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace izleme {

struct ScriptStep {
    int line = 0;         // 1-based line in the script file
    QString source;       // the line as written
    QString verb;         // type, click, key, tab, select, answer, wait, ...
    QStringList args;     // arguments after quoting and ${VAR} expansion
};

struct ParsedScript {
    QList<ScriptStep> steps;
    bool ok = true;
    int errorLine = 0;
    QString errorSource;
    QString error;
};

// Looks up ${VAR}; returns false when VAR is not set.
using VariableLookup = std::function<bool(const QString& name, QString& value)>;

// Splits one line into arguments: blanks separate, "..." groups a text
// (\" and \\ inside quotes), # at the start of an argument starts a comment.
// Returns false with a reason on an unterminated quote.
bool splitScriptLine(const QString& line, QStringList& args, QString& error);

// Expands ${VAR} and ${VAR:-default} in one argument.
bool expandVariables(const QString& text, const VariableLookup& lookup, QString& out, QString& error);

// Parses and checks a whole script: known verbs, argument counts, numbers.
ParsedScript parseScript(const QString& text, const VariableLookup& lookup);

// Lookup in the process environment.
VariableLookup environmentLookup();

}  // namespace izleme
