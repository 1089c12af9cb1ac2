// Script of operator actions for izleme-drive: one step per line, blanks
// between arguments, double quotes around texts with blanks, # comments,
// ${VAR} taken from the caller. Bytes are UTF-8; all the syntax is ASCII.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace izleme {

enum class StepKind { Type, Click, Key, Tab, Select, WaitEntry, Answer, Wait, WaitChange, Sleep, Snapshot };

struct ScriptStep {
    int line = 0;        // 1-based line in the script file
    std::string source;  // the step as written, without its comment
    StepKind kind = StepKind::Sleep;
    std::string verb;               // type, click, key, ... as written
    std::vector<std::string> args;  // arguments after quoting and ${VAR} expansion
};

struct ParsedScript {
    std::vector<ScriptStep> steps;
    bool ok = true;
    int errorLine = 0;
    std::string errorSource;  // the line as written, trimmed
    std::string error;
};

// The words of one line. `end` is where the step ends: the start of its
// comment, or the end of the line.
struct SplitLine {
    bool ok = true;
    std::vector<std::string> words;
    std::string error;
    std::size_t end = 0;
};

// Blanks (space, tab, CR, VT, FF) separate words, "..." groups a text (\" and
// \\ inside quotes stand for " and \), # at the start of a word starts a
// comment. Fails on an unterminated quote.
SplitLine splitScriptLine(std::string_view line);

// The value of ${NAME}, or nothing when NAME is not set.
using VariableLookup = std::function<std::optional<std::string>(const std::string& name)>;

// Expands ${VAR} and ${VAR:-default} (the default also replaces an empty
// value) in one argument. Returns nothing with the reason on an unset
// variable without a default or an unterminated ${.
std::optional<std::string> expandVariables(std::string_view text, const VariableLookup& lookup, std::string& error);

// A count of milliseconds: decimal digits only, at most 999999999.
std::optional<int> parseMilliseconds(std::string_view text);

bool isValidUtf8(std::string_view text);

// Parses and checks a whole script: UTF-8, known verbs, argument counts,
// numbers, answers and snapshot labels. Stops at the first bad line.
ParsedScript parseScript(std::string_view text, const VariableLookup& lookup);

}  // namespace izleme
