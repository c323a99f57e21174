#include "platform/TraySymbolIcon.h"

#include "core/SymbolGlyphs.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStandardPaths>
#include <optional>

namespace {

// Sizes offered to hosts that copy pictures instead of looking the name up; any other is drawn on demand.
const QList<QSize> offeredSizes = { QSize(22, 22), QSize(32, 32), QSize(48, 48) };

QPainterPath glyphPath(const QString &symbol)
{
    const QString glyph = SymbolGlyphs::text(symbol);
    const QString family = SymbolGlyphs::fontFamily();
    if (glyph.isEmpty() || family.isEmpty())
        return {};
    QFont font(family);
    font.setPixelSize(256);
    QPainterPath path;
    path.addText(0, 0, font, glyph);
    return path;
}

// The path scaled to fill 86 % of a square of `size`, centred.
QTransform fitting(const QPainterPath &path, qreal size)
{
    const QRectF bounds = path.boundingRect();
    const qreal scale = size * 0.86 / std::max(bounds.width(), bounds.height());
    QTransform transform;
    transform.translate(size / 2.0, size / 2.0);
    transform.scale(scale, scale);
    transform.translate(-bounds.center().x(), -bounds.center().y());
    return transform;
}

// A white glyph inside a dark rim wide enough to stand out on a light panel as well as on a dark one.
void paintGlyph(QPainter &painter, const QPainterPath &path, const QRect &rect)
{
    const qreal size = std::min(rect.width(), rect.height());
    const QPainterPath fitted = fitting(path, size).map(path);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.x() + (rect.width() - size) / 2.0, rect.y() + (rect.height() - size) / 2.0);
    painter.strokePath(fitted,
        QPen(QColor(0, 0, 0, 210), std::max(1.5, size / 8.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(fitted, QColor(250, 250, 250));
    painter.restore();
}

// Without a symbol it offers no pictures at all, only its name. The glyph's outline is taken from the font
// only when a picture is first asked for: the font waits until after the icon is on the panel.
class SymbolIconEngine : public QIconEngine
{
public:
    SymbolIconEngine(QString symbol, QString name)
        : m_symbol(std::move(symbol))
        , m_name(std::move(name))
    { }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        paintGlyph(*painter, path(), rect);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        if (m_symbol.isEmpty())
            return {};
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paintGlyph(painter, path(), pixmap.rect());
        return pixmap;
    }

    QIconEngine *clone() const override { return new SymbolIconEngine(m_symbol, m_name); }
    QString iconName() override { return m_name; }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return m_symbol.isEmpty() ? QList<QSize>() : offeredSizes;
    }

private:
    const QPainterPath &path()
    {
        if (!m_path)
            m_path = glyphPath(m_symbol);
        return *m_path;
    }

    QString m_symbol;
    QString m_name;
    std::optional<QPainterPath> m_path;
};

} // namespace

namespace TraySymbolIcon {

QString themeName(const QString &symbol)
{
    return QStringLiteral("quorvane-") + QString(symbol).replace(u'.', u'-') + QStringLiteral("-symbolic");
}

QIcon make(const QString &symbol)
{
    if (SymbolGlyphs::text(symbol).isEmpty())
        return {};
    return QIcon(new SymbolIconEngine(symbol, themeName(symbol)));
}

bool isInstalled(const QString &symbol)
{
    return !QStandardPaths::locate(QStandardPaths::GenericDataLocation,
        QStringLiteral("icons/hicolor/symbolic/apps/") + themeName(symbol) + QStringLiteral(".svg"))
                .isEmpty();
}

QIcon nameOnly(const QString &symbol)
{
    return QIcon(new SymbolIconEngine(QString(), themeName(symbol)));
}

QByteArray svg(const QString &symbol)
{
    const QPainterPath glyph = glyphPath(symbol);
    if (glyph.isEmpty())
        return {};
    const QPainterPath path = fitting(glyph, 16).map(glyph);
    QByteArray data;
    const auto number = [](qreal value) { return QByteArray::number(value, 'f', 3); };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        if (element.isMoveTo()) {
            data += 'M' + number(element.x) + ' ' + number(element.y);
        } else if (element.isLineTo()) {
            data += 'L' + number(element.x) + ' ' + number(element.y);
        } else if (element.isCurveTo()) {
            data += 'C' + number(element.x) + ' ' + number(element.y);
        } else {
            data += ' ' + number(element.x) + ' ' + number(element.y);
        }
    }
    return QByteArrayLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\" "
                             "viewBox=\"0 0 16 16\">\n  <path fill=\"#888888\" fill-rule=\"")
        + (path.fillRule() == Qt::WindingFill ? "nonzero" : "evenodd") + "\" d=\"" + data + "\"/>\n</svg>\n";
}

} // namespace TraySymbolIcon
