#include "server/core/Wire.h"

#include "server/core/Keywords.h"

namespace izleme::wire {
namespace {

template <typename Fields>
std::optional<std::string> build(std::string_view keyword, const Fields& fields) {
    std::string out;
    out.reserve(keyword.size() + 8);
    out.append(keyword);
    out.push_back(fieldSeparator);
    for (const auto& f : fields) {
        if (!isSafeField(f)) return std::nullopt;
        out.append(f);
        out.push_back(fieldSeparator);
    }
    out.append(terminator);
    return out;
}

}  // namespace

bool isSafeField(std::string_view field) {
    return field.find_first_of(std::string_view("\x01\x02\xF4", 3)) == std::string_view::npos;
}

std::optional<std::string> buildMessage(std::string_view keyword, std::initializer_list<std::string_view> fields) {
    return build(keyword, fields);
}

std::optional<std::string> buildMessage(std::string_view keyword, const std::vector<std::string>& fields) {
    return build(keyword, fields);
}

std::string buildPing() {
    return std::string(kw::ping).append(terminator);
}

std::optional<std::string> buildLogin(std::string_view user, std::string_view password) {
    if (!isSafeField(user) || !isSafeField(password)) return std::nullopt;
    std::string out(kw::kulsifre);
    out.push_back(fieldSeparator);
    out.append(user);
    out.push_back(fieldSeparator);
    out.append(password);
    out.push_back(loginEnd);
    out.append(terminator);
    return out;
}

bool startsWithKeyword(std::string_view text, std::string_view keyword) {
    return text.substr(0, keyword.size()) == keyword;
}

void skip(std::string_view& text, std::size_t n) {
    text.remove_prefix(n < text.size() ? n : text.size());
}

std::string_view takeField(std::string_view& text) {
    const auto p = text.find(fieldSeparator);
    if (p == std::string_view::npos) return {};
    const auto field = text.substr(0, p);
    text.remove_prefix(p + 1);
    return field;
}

std::string_view takeFieldAndSkipOne(std::string_view& text) {
    const auto p = text.find(fieldSeparator);
    if (p == std::string_view::npos) {
        skip(text, 1);
        return {};
    }
    const auto field = text.substr(0, p);
    skip(text, p + 2);
    return field;
}

}  // namespace izleme::wire
