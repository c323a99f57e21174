#include "network/AppcastItem.h"

#include <QXmlStreamReader>
#include <array>

namespace {

// Generators bind the prefix to either address; some bind it to an address of their own.
const std::array sparkleNamespaces { QStringLiteral("http://www.andymatuschak.org/xml-namespaces/sparkle"),
    QStringLiteral("http://www.sparkle-project.org/xml-namespaces/sparkle") };
constexpr qsizetype maximumLinkLength = 2048;
constexpr qsizetype maximumVersionTextLength = 64;

struct Enclosure
{
    QString version;
    QString shortVersion;
    QString url;
    QString operatingSystem;
};

// The raw texts of one <item>; elements win over the enclosure's attributes of the same name.
struct ItemFields
{
    QString version;
    QString shortVersion;
    QString link;
    // Each link's language and address, in the feed's order.
    QList<std::pair<QString, QString>> releaseNotes;
    QList<Enclosure> enclosures;
    QString channel;
};

bool isSparkle(QStringView namespaceUri, QStringView prefix)
{
    return prefix == u"sparkle"
        || std::find(sparkleNamespaces.begin(), sparkleNamespaces.end(), namespaceUri)
        != sparkleNamespaces.end();
}

bool isSparkleElement(const QXmlStreamReader &xml, QStringView name)
{
    return xml.name() == name && isSparkle(xml.namespaceUri(), xml.prefix());
}

bool isPlainElement(const QXmlStreamReader &xml, QStringView name)
{
    return xml.namespaceUri().isEmpty() && xml.name() == name;
}

QString sparkleAttribute(const QXmlStreamAttributes &attributes, QStringView name)
{
    for (const QXmlStreamAttribute &attribute : attributes) {
        if (attribute.name() == name && isSparkle(attribute.namespaceUri(), attribute.prefix()))
            return attribute.value().trimmed().toString();
    }
    return {};
}

ItemFields readItemFields(QXmlStreamReader &xml)
{
    ItemFields fields;
    // <sparkle:deltas> holds enclosures too, but patches from older builds; it is skipped whole.
    while (xml.readNextStartElement()) {
        if (isPlainElement(xml, u"link")) {
            fields.link = xml.readElementText().trimmed();
        } else if (isSparkleElement(xml, u"releaseNotesLink")) {
            const QString language = xml.attributes().value(QStringLiteral("xml:lang")).trimmed().toString();
            fields.releaseNotes.append({ language, xml.readElementText().trimmed() });
        } else if (isSparkleElement(xml, u"version")) {
            fields.version = xml.readElementText().trimmed();
        } else if (isSparkleElement(xml, u"shortVersionString")) {
            fields.shortVersion = xml.readElementText().trimmed();
        } else if (isSparkleElement(xml, u"channel")) {
            fields.channel = xml.readElementText().trimmed();
        } else if (isPlainElement(xml, u"enclosure")) {
            const QXmlStreamAttributes attributes = xml.attributes();
            fields.enclosures.append({ sparkleAttribute(attributes, u"version"),
                sparkleAttribute(attributes, u"shortVersionString"),
                attributes.value(QStringLiteral("url")).trimmed().toString(),
                sparkleAttribute(attributes, u"os") });
            xml.skipCurrentElement();
        } else {
            xml.skipCurrentElement();
        }
    }
    return fields;
}

// Release tags are often written "v1.4.43".
QStringView withoutTag(QStringView text)
{
    return text.startsWith(u'v', Qt::CaseInsensitive) ? text.sliced(1) : text;
}

// A download that a browser shows rather than saves: no file name extension, or a web page's.
bool isWebPage(const QUrl &url)
{
    const QString name = url.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    static const QStringList pageSuffixes { QStringLiteral("html"), QStringLiteral("htm"),
        QStringLiteral("xhtml"), QStringLiteral("php"), QStringLiteral("asp"), QStringLiteral("aspx") };
    return dot < 0 || pageSuffixes.contains(name.sliced(dot + 1).toLower());
}

std::optional<QUrl> httpsAddress(const QString &text)
{
    const QUrl url(text, QUrl::StrictMode);
    if (text.isEmpty() || text.size() > maximumLinkLength || !url.isValid() || url.scheme() != u"https"
        || url.host().isEmpty())
        return std::nullopt;
    return url;
}

// The first enclosure for Linux or for no system named; an item without enclosures is for every system.
std::optional<Enclosure> enclosureForThisSystem(const ItemFields &fields)
{
    if (fields.enclosures.isEmpty())
        return Enclosure {};
    for (const Enclosure &enclosure : fields.enclosures) {
        if (enclosure.operatingSystem.isEmpty()
            || enclosure.operatingSystem.compare(u"linux", Qt::CaseInsensitive) == 0)
            return enclosure;
    }
    return std::nullopt;
}

std::optional<AppcastItem> makeItem(const ItemFields &fields)
{
    const std::optional<Enclosure> enclosure = enclosureForThisSystem(fields);
    if (!fields.channel.isEmpty() || !enclosure)
        return std::nullopt;
    const QString version = fields.version.isEmpty() ? enclosure->version : fields.version;
    const QString shortVersion
        = fields.shortVersion.isEmpty() ? enclosure->shortVersion : fields.shortVersion;

    // With both texts, the short one is the release and the other its build; otherwise the one given is the
    // release, or the build when it is not a plain number ("830b"). A release named with a suffix is
    // ordered by its build alone, as the updaters do.
    AppcastItem item;
    const QString releaseText = shortVersion.isEmpty() ? version : shortVersion;
    item.version = VersionNumber::parse(withoutTag(releaseText));
    if (!version.isEmpty() && (!shortVersion.isEmpty() || !item.version))
        item.build = VersionNumber::parseBuild(withoutTag(version));
    if (!item.version && (!item.build || releaseText.size() > maximumVersionTextLength))
        return std::nullopt;
    item.versionText = item.version ? item.version->toString() : releaseText;

    item.link = httpsAddress(fields.link).value_or(QUrl());
    for (const auto &[language, text] : fields.releaseNotes) {
        if (const std::optional<QUrl> url = httpsAddress(text))
            item.releaseNotes.append({ language, *url });
    }
    item.download = httpsAddress(enclosure->url).value_or(QUrl());
    if (item.link.isEmpty() && item.releaseNotes.isEmpty() && item.download.isEmpty())
        return std::nullopt;
    return item;
}

} // namespace

QString AppcastItem::displayVersion() const
{
    if (!build || build->toString() == versionText)
        return versionText;
    return QStringLiteral("%1 (%2)").arg(versionText, build->toString());
}

QUrl AppcastItem::page(AppLanguage language) const
{
    // Most feeds name no page of their own: then the release notes, else the download where a browser
    // shows it; an archive would only be saved.
    if (!link.isEmpty())
        return link;
    if (releaseNotes.isEmpty())
        return isWebPage(download) ? download : QUrl();
    const QString wanted = language == AppLanguage::chinese ? QStringLiteral("zh") : QStringLiteral("en");
    for (const ReleaseNotes &notes : releaseNotes) {
        if (notes.language.startsWith(wanted, Qt::CaseInsensitive))
            return notes.url;
    }
    for (const ReleaseNotes &notes : releaseNotes) {
        if (notes.language.isEmpty())
            return notes.url;
    }
    return releaseNotes.constFirst().url;
}

bool AppcastItem::isNewerThan(const std::optional<VersionNumber> &installedVersion,
    const std::optional<VersionNumber> &installedBuild) const
{
    // By the release numbers where both have one and they differ, else by the builds.
    if (version && installedVersion && *version != *installedVersion)
        return *version > *installedVersion;
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
