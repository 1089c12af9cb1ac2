// Environment lookup and text conversion for izleme-drive scripts.
#include "drive/Script.h"

#include <QtGlobal>

namespace izleme {

VariableLookup environmentLookup() {
    return [](const std::string& name) -> std::optional<std::string> {
        const char* key = name.c_str();
        if (name.empty() || !qEnvironmentVariableIsSet(key)) return std::nullopt;
        return qEnvironmentVariable(key).toStdString();
    };
}

QString argText(const ScriptStep& step, int index) { return QString::fromStdString(step.args.at(std::size_t(index))); }

QString sourceText(const ScriptStep& step) { return QString::fromStdString(step.source); }

}  // namespace izleme
