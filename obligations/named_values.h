#pragma once

#include <QLatin1String>
#include <QString>

#include <array>
#include <optional>
#include <utility>

// A small fixed table of values and the text that names each: the codes the
// database stores, the words the batch tool takes.
namespace obligations {

template <typename Value, std::size_t N>
using NamedValues = std::array<std::pair<Value, const char*>, N>;

template <typename Value, std::size_t N>
QString nameOf(const NamedValues<Value, N>& names, Value value) {
    for (const auto& [each, name] : names)
        if (each == value)
            return QLatin1String(name);
    return {};
}

template <typename Value, std::size_t N>
std::optional<Value> valueNamed(const NamedValues<Value, N>& names, const QString& name) {
    for (const auto& [value, each] : names)
        if (name == QLatin1String(each))
            return value;
    return std::nullopt;
}

}  // namespace obligations
