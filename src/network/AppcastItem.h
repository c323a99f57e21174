#pragma once

#include "core/AppLanguage.h"
#include "core/Result.h"
#include "network/VersionNumber.h"

#include <QByteArray>
#include <QList>
#include <QUrl>
#include <optional>

// One release offered by an update feed: its version and the pages where people can get it.
struct AppcastItem
{
    struct ReleaseNotes
    {
        // The xml:lang of the link, as written; empty when it names none.
        QString language;
        QUrl url;
    };

    // Absent when the release is named with a suffix ("4.0.0-beta1"): then its build alone orders it.
    std::optional<VersionNumber> version;
    // Present when the item names a build number beside its version, or a build alone; orders rebuilds
    // of one release.
    std::optional<VersionNumber> build;
    // The release as shown: the number, or the suffixed name as written.
    QString versionText;
    // The item's own page, its release notes and the download for this system; at least one is set.
    QUrl link;
    QList<ReleaseNotes> releaseNotes;
    QUrl download;

    // "2.1 (57)" when the item has a build number other than its version, otherwise "2.1".
    QString displayVersion() const;
    // The item's own page, else its release notes in `language` (else those in no language named, else
    // the first), else the download when it is a web page; empty when there is none.
    QUrl page(AppLanguage language) const;
    bool isNewerThan(const std::optional<VersionNumber> &installedVersion,
        const std::optional<VersionNumber> &installedBuild) const;
};

// Reads an RSS 2.0 appcast and returns its newest release for Linux in the default channel, or nothing
// when it offers none. Items without an enclosure for Linux (or for no system named), in a named
// channel, or without a version to order them by or an HTTPS page are passed over. Only a document that
// is not a well-formed RSS feed is an error. A document type declaration is refused so no entity can be
// expanded.
Result<std::optional<AppcastItem>> readNewestAppcastItem(const QByteArray &document);
