#include "network/AppcastItem.h"

#include <QXmlStreamReader>

namespace {

const QString sparkleNamespace = QStringLiteral("http://www.andymatuschak.org/xml-namespaces/sparkle");
constexpr qsizetype maximumLinkLength = 2048;

// The raw texts of one <item>; elements win over the enclosure's attributes of the same name.
struct ItemFields
{
    QString version;
    QString shortVersion;
    QString enclosureVersion;
    QString enclosureShortVersion;
    QString link;
    QString releaseNotesLink;
    QString enclosureUrl;
    QString operatingSystem;
    QString channel;
};

bool isSparkleElement(const QXmlStreamReader &xml, QStringView name)
{
    return xml.namespaceUri() == sparkleNamespace && xml.name() == name;
}

bool isPlainElement(const QXmlStreamReader &xml, QStringView name)
{
    return xml.namespaceUri().isEmpty() && xml.name() == name;
}

QString sparkleAttribute(const QXmlStreamAttributes &attributes, const QString &name)
{
    return attributes.value(sparkleNamespace, name).trimmed().toString();
}

ItemFields readItemFields(QXmlStreamReader &xml)
{
    ItemFields fields;
    bool sawEnclosure = false;
    // <sparkle:deltas> holds enclosures too, but patches from older builds; it is skipped whole.
    while (xml.readNextStartElement()) {
        if (isPlainElement(xml, u"link")) {
            fields.link = xml.readElementText().trimmed();
        } else if (isSparkleElement(xml, u"releaseNotesLink")) {
            fields.releaseNotesLink = xml.readElementText().trimmed();
        } else if (isSparkleElement(xml, u"version")) {
            fields.version = xml.readElementText().trimmed();
        } else if (isSparkleElement(xml, u"shortVersionString")) {
            fields.shortVersion = xml.readElementText().trimmed();
        } else if (isSparkleElement(xml, u"channel")) {
            fields.channel = xml.readElementText().trimmed();
        } else if (isPlainElement(xml, u"enclosure") && !std::exchange(sawEnclosure, true)) {
            const QXmlStreamAttributes attributes = xml.attributes();
            fields.enclosureVersion = sparkleAttribute(attributes, QStringLiteral("version"));
            fields.enclosureShortVersion = sparkleAttribute(attributes, QStringLiteral("shortVersionString"));
            fields.operatingSystem = sparkleAttribute(attributes, QStringLiteral("os"));
            fields.enclosureUrl = attributes.value(QStringLiteral("url")).trimmed().toString();
            xml.skipCurrentElement();
        } else {
            xml.skipCurrentElement();
        }
    }
    return fields;
}

// Release tags are often written "v1.4.43".
std::optional<VersionNumber> parseVersion(QStringView text)
{
    if (text.startsWith(u'v', Qt::CaseInsensitive))
        text = text.sliced(1);
    return VersionNumber::parse(text);
}

std::optional<QUrl> httpsAddress(const QString &text)
{
    const QUrl url(text, QUrl::StrictMode);
    if (text.isEmpty() || text.size() > maximumLinkLength || !url.isValid() || url.scheme() != u"https"
        || url.host().isEmpty())
        return std::nullopt;
    return url;
}

bool isForThisSystem(const ItemFields &fields)
{
    return fields.channel.isEmpty()
        && (fields.operatingSystem.isEmpty()
            || fields.operatingSystem.compare(u"linux", Qt::CaseInsensitive) == 0);
}

std::optional<AppcastItem> makeItem(const ItemFields &fields)
{
    if (!isForThisSystem(fields))
        return std::nullopt;
    const QString version = fields.version.isEmpty() ? fields.enclosureVersion : fields.version;
    const QString shortVersion
        = fields.shortVersion.isEmpty() ? fields.enclosureShortVersion : fields.shortVersion;

    // With both texts, the short one is the release and the other its build; otherwise the one given is the
    // release.
    const std::optional<VersionNumber> release
        = parseVersion(shortVersion.isEmpty() ? version : shortVersion);
    if (!release)
        return std::nullopt;
    std::optional<VersionNumber> build;
    if (!shortVersion.isEmpty() && !version.isEmpty()) {
        build = parseVersion(version);
        if (!build)
            return std::nullopt;
    }

    // Most feeds name no page of their own: then the release notes, else the download itself.
    for (const QString *candidate : { &fields.link, &fields.releaseNotesLink, &fields.enclosureUrl }) {
        if (const std::optional<QUrl> link = httpsAddress(*candidate))
            return AppcastItem { *release, build, *link };
    }
    return std::nullopt;
}

} // namespace

QString AppcastItem::displayVersion() const
{
    if (!build)
        return version.toString();
    return QStringLiteral("%1 (%2)").arg(version.toString(), build->toString());
}

bool AppcastItem::isNewerThan(
    const VersionNumber &installedVersion, const std::optional<VersionNumber> &installedBuild) const
{
    if (version != installedVersion)
        return version > installedVersion;
    return build && installedBuild && *build > *installedBuild;
}

Result<std::optional<AppcastItem>> readNewestAppcastItem(const QByteArray &document)
{
    QXmlStreamReader xml(document);
    bool sawRoot = false;
    std::optional<AppcastItem> newest;

    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.tokenType() == QXmlStreamReader::DTD)
            return Error { QStringLiteral("the feed declares a document type") };
        if (xml.tokenType() != QXmlStreamReader::StartElement)
            continue;
        if (!sawRoot) {
            if (!isPlainElement(xml, u"rss"))
                return Error { QStringLiteral("the reply is not an RSS feed") };
            sawRoot = true;
            continue;
        }
        if (!isPlainElement(xml, u"item"))
            continue;

        const ItemFields fields = readItemFields(xml);
        if (xml.hasError())
            break;
        const std::optional<AppcastItem> item = makeItem(fields);
        if (item && (!newest || item->isNewerThan(newest->version, newest->build)))
            newest = item;
    }

    if (xml.hasError()) {
        return Error { QStringLiteral("the reply is not well-formed XML (line %1: %2)")
                           .arg(QString::number(xml.lineNumber()), xml.errorString()) };
    }
    if (!sawRoot)
        return Error { QStringLiteral("the reply is not an RSS feed") };
    return newest;
}
