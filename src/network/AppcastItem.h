#pragma once

#include "core/Result.h"
#include "network/VersionNumber.h"

#include <QByteArray>
#include <QUrl>
#include <optional>

// One release offered by an update feed: its version and the page where people can get it.
struct AppcastItem
{
    VersionNumber version;
    // Present when the item names a build number beside its version; orders rebuilds of one release.
    std::optional<VersionNumber> build;
    QUrl link;

    // "2.1 (57)" when the item has a build number, otherwise "2.1".
    QString displayVersion() const;
    bool isNewerThan(
        const VersionNumber &installedVersion, const std::optional<VersionNumber> &installedBuild) const;
};

// Reads an RSS 2.0 appcast and returns its newest release for Linux in the default channel, or nothing
// when it offers none. Items for another system, in a named channel, or without a readable version or an
// HTTPS page are passed over. Only a document that is not a well-formed RSS feed is an error. A document
// type declaration is refused so no entity can be expanded.
Result<std::optional<AppcastItem>> readNewestAppcastItem(const QByteArray &document);
