#include "app/LaunchRequest.h"

#include <array>

namespace {

using View = LaunchRequest::View;

constexpr std::array<std::pair<View, const char *>, 4> viewNames { {
    { View::none, "none" },
    { View::mainWindow, "main-window" },
    { View::statistics, "statistics" },
    { View::journal, "journal" },
} };

} // namespace

QByteArray LaunchRequest::encode() const
{
    for (const auto &[candidate, name] : viewNames) {
        if (candidate == view)
            return QByteArray(name) + '\n' + activationToken;
    }
    return {};
}

LaunchRequest LaunchRequest::decode(const QByteArray &data)
{
    const qsizetype lineEnd = data.indexOf('\n');
    const QByteArray name = data.left(lineEnd);
    LaunchRequest request;
    for (const auto &[candidate, candidateName] : viewNames) {
        if (name == candidateName)
            request.view = candidate;
    }
    // A token is one line of printable ASCII; anything else would reach the X server or compositor.
    const QByteArray token = lineEnd < 0 ? QByteArray() : data.mid(lineEnd + 1);
    if (std::all_of(token.cbegin(), token.cend(), [](char c) { return c > ' ' && c < 127; }))
        request.activationToken = token;
    return request;
}
