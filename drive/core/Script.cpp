// Parsing and checking of izleme-drive scripts.
#include "drive/core/Script.h"

#include <cstdint>

namespace izleme {

namespace {

struct VerbRule {
    std::string_view verb;
    StepKind kind;
    int minArgs;
    int maxArgs;
    int msArg;  // index of the argument that is a number of milliseconds (-1: none)
};

constexpr VerbRule kVerbs[] = {
    {"type", StepKind::Type, 2, 2, -1},
    {"click", StepKind::Click, 1, 1, -1},
    {"key", StepKind::Key, 2, 2, -1},
    {"tab", StepKind::Tab, 1, 1, -1},
    {"select", StepKind::Select, 1, 2, 1},
    {"waitentry", StepKind::WaitEntry, 1, 2, 1},
    {"answer", StepKind::Answer, 1, 2, 1},
    {"wait", StepKind::Wait, 2, 3, 2},
    {"waitchange", StepKind::WaitChange, 1, 2, 1},
    {"sleep", StepKind::Sleep, 1, 1, 0},
    {"snapshot", StepKind::Snapshot, 1, 1, -1},
};

constexpr int kMaxMillisecondDigits = 9;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

const VerbRule* findVerb(std::string_view verb) {
    for (const VerbRule& rule : kVerbs) {
        if (verb == rule.verb) return &rule;
    }
    return nullptr;
}

bool isLabelChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
           c == '.';
}

// A snapshot label names files in the output directory: it may not leave it.
bool isSafeLabel(std::string_view label) {
    if (label.empty() || label.front() == '.') return false;
    for (char c : label) {
        if (!isLabelChar(c)) return false;
    }
    return true;
}

std::string quoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out.push_back('"');
    out.append(text);
    out.push_back('"');
    return out;
}

// Empty when the step is well formed, otherwise why not.
std::string checkStep(const VerbRule& rule, const ScriptStep& step) {
    const int n = int(step.args.size());
    if (n < rule.minArgs || n > rule.maxArgs) {
        const std::string got = ", got " + std::to_string(n);
        if (rule.minArgs == rule.maxArgs) {
            return "expects " + std::to_string(rule.minArgs) + " argument(s)" + got;
        }
        return "expects " + std::to_string(rule.minArgs) + " to " + std::to_string(rule.maxArgs) + " arguments" + got;
    }
    if (rule.msArg >= 0 && rule.msArg < n && !parseMilliseconds(step.args[rule.msArg])) {
        return quoted(step.args[rule.msArg]) + " is not a number of milliseconds";
    }
    if (rule.kind == StepKind::Answer && step.args[0] != "Yes" && step.args[0] != "No") {
        return "answer is Yes or No, not " + quoted(step.args[0]);
    }
    if (rule.kind == StepKind::Snapshot && !isSafeLabel(step.args[0])) {
        return "label " + quoted(step.args[0]) + " must be letters, digits, '_', '-', '.' and not start with '.'";
    }
    return {};
}

}  // namespace

SplitLine splitScriptLine(std::string_view line) {
    SplitLine out;
    std::size_t i = 0;
    const std::size_t n = line.size();
    out.end = n;
    while (i < n) {
        while (i < n && isBlank(line[i])) ++i;
        if (i >= n) break;
        if (line[i] == '#') {
            out.end = i;
            break;
        }
        std::string word;
        while (i < n && !isBlank(line[i])) {
            if (line[i] != '"') {
                word += line[i++];
                continue;
            }
            ++i;
            bool closed = false;
            while (i < n) {
                const char c = line[i];
                if (c == '\\' && i + 1 < n && (line[i + 1] == '"' || line[i + 1] == '\\')) {
                    word += line[i + 1];
                    i += 2;
                } else if (c == '"') {
                    closed = true;
                    ++i;
                    break;
                } else {
                    word += c;
                    ++i;
                }
            }
            if (!closed) {
                out.ok = false;
                out.error = "unterminated quoted text";
                out.words.clear();
                return out;
            }
        }
        out.words.push_back(std::move(word));
    }
    return out;
}

std::optional<std::string> expandVariables(std::string_view text, const VariableLookup& lookup, std::string& error) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '$' || i + 1 >= text.size() || text[i + 1] != '{') {
            out += text[i++];
            continue;
        }
        const std::size_t close = text.find('}', i + 2);
        if (close == std::string_view::npos) {
            error = "unterminated ${ in " + quoted(text);
            return std::nullopt;
        }
        const std::string_view body = text.substr(i + 2, close - i - 2);
        const std::size_t dflt = body.find(":-");
        const std::string name(dflt == std::string_view::npos ? body : body.substr(0, dflt));
        std::optional<std::string> value = lookup ? lookup(name) : std::nullopt;
        if (dflt != std::string_view::npos && (!value || value->empty())) value = std::string(body.substr(dflt + 2));
        if (!value) {
            error = "variable " + name + " is not set";
            return std::nullopt;
        }
        out += *value;
        i = close + 1;
    }
    return out;
}

std::optional<int> parseMilliseconds(std::string_view text) {
    if (text.empty() || text.size() > kMaxMillisecondDigits) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = std::uint8_t(text[i]);
        int more = 0;
        std::uint32_t cp = 0;
        if (b < 0x80) {
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            more = 1;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            more = 2;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            more = 3;
            cp = b & 0x07;
        } else {
            return false;
        }
        if (i + std::size_t(more) >= text.size()) return false;
        for (int k = 1; k <= more; ++k) {
            const auto c = std::uint8_t(text[i + std::size_t(k)]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        constexpr std::uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kSmallest[more] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += std::size_t(more) + 1;
    }
    return true;
}

ParsedScript parseScript(std::string_view text, const VariableLookup& lookup) {
    ParsedScript result;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t newline = text.find('\n', start);
        const std::size_t stop = newline == std::string_view::npos ? text.size() : newline;
        const std::string_view raw = text.substr(start, stop - start);
        start = stop + 1;
        ++lineNumber;

        auto fail = [&](std::string why) {
            result.ok = false;
            result.errorLine = lineNumber;
            result.errorSource = std::string(trimmed(raw));
            result.error = std::move(why);
            result.steps.clear();
            return result;
        };
        if (!isValidUtf8(raw)) return fail("the line is not UTF-8");
        SplitLine split = splitScriptLine(raw);
        if (!split.ok) return fail(split.error);
        if (split.words.empty()) continue;

        const VerbRule* rule = findVerb(split.words.front());
        if (!rule) return fail("unknown step " + quoted(split.words.front()));
        ScriptStep step;
        step.line = lineNumber;
        step.source = std::string(trimmed(raw.substr(0, split.end)));
        step.kind = rule->kind;
        step.verb = split.words.front();
        for (std::size_t w = 1; w < split.words.size(); ++w) {
            std::string error;
            std::optional<std::string> expanded = expandVariables(split.words[w], lookup, error);
            if (!expanded) return fail(error);
            step.args.push_back(std::move(*expanded));
        }
        const std::string why = checkStep(*rule, step);
        if (!why.empty()) return fail(why);
        result.steps.push_back(std::move(step));
    }
    return result;
}

}  // namespace izleme
