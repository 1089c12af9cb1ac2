// The izleme-drive script parser on arbitrary bytes: whole scripts with
// ${VAR} expansion, and the line splitter's quoting read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "drive/core/Script.h"

namespace {

// Quotes a word so that the splitter gives it back unchanged.
std::string quote(std::string_view word) {
    std::string out = "\"";
    for (char c : word) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const izleme::VariableLookup lookup = [](const std::string& name) -> std::optional<std::string> {
        if (name == "IZLEME_PORT") return std::string("17816");
        if (name == "EMPTY") return std::string();
        if (name == "LOOP") return std::string("${LOOP}");  // a value is not expanded again
        return std::nullopt;
    };

    const izleme::ParsedScript script = izleme::parseScript(text, lookup);
    if (script.ok) {
        check(izleme::isValidUtf8(text));
        int previous = 0;
        for (const izleme::ScriptStep& step : script.steps) {
            check(step.line > previous);
            previous = step.line;
            check(!step.source.empty() && !step.verb.empty());
            check(step.source.find('\n') == std::string::npos);
        }
    } else {
        check(script.errorLine >= 1 && !script.error.empty() && script.steps.empty());
    }

    // Every word of a line, quoted, splits back to the same words.
    const std::string_view line = text.substr(0, text.find('\n'));
    const izleme::SplitLine split = izleme::splitScriptLine(line);
    check(split.end <= line.size());
    if (split.ok) {
        std::string again;
        for (const std::string& word : split.words) again += quote(word) + " ";
        const izleme::SplitLine back = izleme::splitScriptLine(again);
        check(back.ok && back.words == split.words);
    }
    return 0;
}
