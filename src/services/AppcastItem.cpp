#include "AppcastItem.h"

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
};

bool isSparkleElement(const QXmlStreamReader &xml, QStringView name)
{
    return xml.namespaceUri() == sparkleNamespace && xml.name() == name;
}

bool isPlainElement(const QXmlStreamReader &xml, QStringView name)
{
    return xml.namespaceUri().isEmpty() && xml.name() == name;
}

ItemFields readItemFields(QXmlStreamReader &xml)
{
    ItemFields fields;
    while (xml.readNextStartElement()) {
        if (isPlainElement(xml, u"link")) {
            fields.link = xml.readElementText().trimmed();
        } else if (isSparkleElement(xml, u"version")) {
            fields.version = xml.readElementText().trimmed();
        } else if (isSparkleElement(xml, u"shortVersionString")) {
            fields.shortVersion = xml.readElementText().trimmed();
        } else if (isPlainElement(xml, u"enclosure")) {
            const QXmlStreamAttributes attributes = xml.attributes();
            fields.enclosureVersion
                = attributes.value(sparkleNamespace, QStringLiteral("version")).trimmed().toString();
            fields.enclosureShortVersion
                = attributes.value(sparkleNamespace, QStringLiteral("shortVersionString"))
                      .trimmed()
                      .toString();
            xml.skipCurrentElement();
        } else {
            xml.skipCurrentElement();
        }
    }
    return fields;
}

Result<VersionNumber> parseVersion(const QString &text)
{
    if (const auto version = VersionNumber::parse(text))
        return *version;
    return Error { QStringLiteral("a release version \"%1\" is not a dotted number").arg(text.left(40)) };
}

Result<AppcastItem> makeItem(const ItemFields &fields)
{
    const QString version = fields.version.isEmpty() ? fields.enclosureVersion : fields.version;
    const QString shortVersion
        = fields.shortVersion.isEmpty() ? fields.enclosureShortVersion : fields.shortVersion;
    if (version.isEmpty() && shortVersion.isEmpty())
        return Error { QStringLiteral("a release has no version") };

    // With both texts, the short one is the release and the other its build; otherwise the one given is the
    // release.
    const Result<VersionNumber> release = parseVersion(shortVersion.isEmpty() ? version : shortVersion);
    if (!release)
        return Error { release.error() };
    std::optional<VersionNumber> build;
    if (!shortVersion.isEmpty() && !version.isEmpty()) {
        const Result<VersionNumber> parsedBuild = parseVersion(version);
        if (!parsedBuild)
            return Error { parsedBuild.error() };
        build = *parsedBuild;
    }

    if (fields.link.isEmpty())
        return Error { QStringLiteral("a release has no link") };
    const QUrl link(fields.link, QUrl::StrictMode);
    if (fields.link.size() > maximumLinkLength || !link.isValid() || link.scheme() != u"https"
        || link.host().isEmpty())
        return Error {
            QStringLiteral("a release link \"%1\" is not an HTTPS address").arg(fields.link.left(80))
        };

    return AppcastItem { *release, build, link };
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
    std::optional<QString> firstFault;

    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.tokenType() == QXmlStreamReader::DTD)
            return Error { QStringLiteral("the feed declares a document type, which is not accepted") };
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
        const Result<AppcastItem> item = makeItem(fields);
        if (!item) {
            if (!firstFault)
                firstFault = item.error();
            continue;
        }
        if (!newest || item->isNewerThan(newest->version, newest->build))
            newest = *item;
    }

    if (xml.hasError()) {
        return Error { QStringLiteral("the reply is not well-formed XML (line %1: %2)")
                           .arg(QString::number(xml.lineNumber()), xml.errorString()) };
    }
    if (!sawRoot)
        return Error { QStringLiteral("the reply is not an RSS feed") };
    if (!newest && firstFault)
        return Error { *firstFault };
    return newest;
}
