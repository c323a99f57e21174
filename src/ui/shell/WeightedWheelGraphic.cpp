#include "ui/shell/WeightedWheelGraphic.h"

#include "core/AppLanguage.h"
#include "core/SymbolGlyphs.h"
#include "core/Tones.h"
#include "core/Uuid.h"
#include "session/WheelEntryVariant.h"
#include "session/WheelLayout.h"
#include "ui/common/InterfaceFonts.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QQuickWindow>
#include <QTextLayout>
#include <QTransform>
#include <cmath>
#include <tuple>
#include <utility>

namespace {

constexpr double labelSpacing = 4;
constexpr double shareLineSpacing = 1;
constexpr double titleWidth = 108;
constexpr int titleLineLimit = 2;
// Where a slice has the room, its title runs on over as many lines as this before it is cut short.
constexpr int roomyTitleLineLimit = 4;
constexpr double centreDiscFactor = 0.2;
constexpr double hubDiameter = 13;
constexpr double pointerCentreY = 17;
// The pointer is the filled down-pointing triangle of a 28-point symbol.
constexpr double pointerWidth = 22;
constexpr double pointerHeight = 19;

QFont fontOf(const QString &family, int pixelSize, QFont::Weight weight)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

// The title in at most `lineLimit` lines of at most `titleWidth`, the last cut short with an ellipsis
// when the title runs on.
QStringList titleLines(const QString &title, const QFont &font, int lineLimit)
{
    QTextLayout layout(title, font);
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(titleWidth);
        if (lines.size() == lineLimit - 1) {
            const QString rest = title.mid(line.textStart());
            lines.append(QFontMetricsF(font).elidedText(rest, Qt::ElideRight, titleWidth));
            break;
        }
        lines.append(title.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();
    if (lines.isEmpty())
        lines.append(QString());
    return lines;
}

QPainterPath circle(const QPointF &centre, double diameter)
{
    QPainterPath path;
    path.addEllipse(centre, diameter / 2, diameter / 2);
    return path;
}

QPainterPath pointerTriangle(double width)
{
    const double top = pointerCentreY - pointerHeight / 2;
    QPainterPath path(QPointF(width / 2 - pointerWidth / 2, top));
    path.lineTo(width / 2 + pointerWidth / 2, top);
    path.lineTo(width / 2, top + pointerHeight);
    path.closeSubpath();
    return path;
}

void fillPointer(QPainter &painter, const QPainterPath &triangle, const QColor &colour)
{
    // A round-joined outline of the same colour softens the corners the way a symbol's are.
    painter.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(colour);
    painter.drawPath(triangle);
}

} // namespace

WeightedWheelGraphic::WeightedWheelGraphic(QQuickItem *parent)
    : QQuickPaintedItem(parent)
    , m_symbolFont(fontOf(InterfaceFonts::symbolFamily(), 22, QFont::Medium))
    , m_titleFont(InterfaceFonts::interfaceFont(InterfaceFonts::nameFamilies(), 16, QFont::DemiBold))
    , m_currentFont(InterfaceFonts::interfaceFont(QGuiApplication::font().families(), 11, QFont::DemiBold))
    , m_baseFont(InterfaceFonts::interfaceFont(QGuiApplication::font().families(), 10, QFont::Medium))
    , m_dropShadow(new WheelDropShadow(this))
{
    setAntialiasing(true);
}

void WeightedWheelGraphic::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickPaintedItem::geometryChange(newGeometry, oldGeometry);
    refreshDropShadow();
}

void WeightedWheelGraphic::itemChange(ItemChange change, const ItemChangeData &value)
{
    QQuickPaintedItem::itemChange(change, value);
    if (change == ItemSceneChange || change == ItemDevicePixelRatioHasChanged)
        refreshDropShadow();
}

void WeightedWheelGraphic::refreshDropShadow()
{
    const QSizeF size(width(), height());
    const qreal devicePixelRatio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    const bool hasSlices = !m_items.isEmpty();
    if (size == m_dropShadowSize && devicePixelRatio == m_dropShadowPixelRatio
        && hasSlices == m_dropShadowHasSlices)
        return;
    m_dropShadowSize = size;
    m_dropShadowPixelRatio = devicePixelRatio;
    m_dropShadowHasSlices = hasSlices;
    if (size.isEmpty()) {
        m_dropShadow->setShadow({});
        return;
    }
    // The turning slices together are one disc, whose shadow is the same at every angle.
    const QRectF frame(QPointF(0, 0), size);
    const QPainterPath wheel = hasSlices
        ? WheelSlice { -90, 270 }.path(frame)
        : circle(frame.center(), std::min(size.width(), size.height()) * centreDiscFactor);
    m_dropShadow->setShadow(ShadowImage(
        wheel.boundingRect(),
        [&wheel](QPainter &painter) { painter.fillPath(wheel, Tones::black(Tones::opaque())); },
        Tones::black(Tones::shadowDeep()), 20, QPointF(0, 10), devicePixelRatio));
}

void WeightedWheelGraphic::setItems(const QVariantList &items)
{
    if (items == m_itemMaps)
        return;
    m_itemMaps = items;
    m_items = WheelEntryVariant::toEntries(items);
    labelsChanged();
    refreshDropShadow();
    emit itemsChanged();
}

void WeightedWheelGraphic::setBaseWeightTotal(double total)
{
    if (total == m_baseWeightTotal)
        return;
    m_baseWeightTotal = total;
    labelsChanged();
    emit baseWeightTotalChanged();
}

void WeightedWheelGraphic::setWheelBaseColor(const QColor &colour)
{
    if (colour == m_wheelBaseColor)
        return;
    m_wheelBaseColor = colour;
    update();
    emit paletteChanged();
}

void WeightedWheelGraphic::setAccentColor(const QColor &colour)
{
    if (colour == m_accentColor)
        return;
    m_accentColor = colour;
    update();
    emit paletteChanged();
}

void WeightedWheelGraphic::setTextColor(const QColor &colour)
{
    if (colour == m_textColor)
        return;
    m_textColor = colour;
    update();
    emit paletteChanged();
}

void WeightedWheelGraphic::setEnglish(bool english)
{
    if (english == m_english)
        return;
    m_english = english;
    labelsChanged();
    emit englishChanged();
}

void WeightedWheelGraphic::setWheelRotation(double degrees)
{
    if (degrees == m_wheelRotation)
        return;
    m_wheelRotation = degrees;
    update();
    emit wheelRotationChanged();
}

void WeightedWheelGraphic::setSelectedID(const QString &id)
{
    if (id == m_selectedIDText)
        return;
    m_selectedIDText = id;
    m_selectedID = Uuid::parse(id).value_or(QUuid());
    update();
    emit selectedIDChanged();
}

void WeightedWheelGraphic::setShowResult(bool show)
{
    if (show == m_showResult)
        return;
    m_showResult = show;
    update();
    emit showResultChanged();
}

void WeightedWheelGraphic::labelsChanged()
{
    m_labelsReady = false;
    update();
}

void WeightedWheelGraphic::prepareLabels()
{
    if (m_labelsReady)
        return;
    const AppLanguage language = m_english ? AppLanguage::english : AppLanguage::chinese;
    const WheelLayout layout = WheelLayout::compute(m_items, m_baseWeightTotal, QSizeF(1, 1), QUuid(), false);
    m_labels.clear();
    for (qsizetype index = 0; index < m_items.size(); ++index) {
        const WeightedWheelItem &item = m_items[index];
        Label roomy;
        roomy.symbol = SymbolGlyphs::text(item.item.symbol);
        roomy.titleLines = titleLines(item.item.title, m_titleFont, roomyTitleLineLimit);
        roomy.current = WheelLayout::currentShareText(layout.entries[index].currentShare, language);
        roomy.base = WheelLayout::baseShareText(layout.entries[index].baseShare, language);
        roomy.discounted = item.discountLabel.has_value();
        Label full = roomy;
        full.titleLines = titleLines(item.item.title, m_titleFont, titleLineLimit);
        Label oneLine = full;
        oneLine.titleLines
            = { QFontMetricsF(m_titleFont).elidedText(item.item.title, Qt::ElideRight, titleWidth) };
        oneLine.base.clear();
        Label symbolAndShare = oneLine;
        symbolAndShare.titleLines.clear();
        Label symbol = symbolAndShare;
        symbol.current.clear();
        m_labels.append({ measured(roomy), measured(full), measured(oneLine), measured(symbolAndShare),
            measured(symbol), Label() });
    }
    m_labelsReady = true;
}

void WeightedWheelGraphic::prepareShadows(const QSizeF &size, qreal devicePixelRatio)
{
    if (size == m_shadowSize && devicePixelRatio == m_shadowPixelRatio)
        return;
    m_shadowSize = size;
    m_shadowPixelRatio = devicePixelRatio;
    const QRectF frame(QPointF(0, 0), size);
    const QPointF centre = frame.center();
    const double side = std::min(size.width(), size.height());

    const QPainterPath disc = circle(centre, side * centreDiscFactor + 2);
    m_centreShadow = ShadowImage(
        disc.boundingRect(), [this, centre, side](QPainter &painter) { drawCentre(painter, centre, side); },
        Tones::black(Tones::scrim()), 16, QPointF(0, 6), devicePixelRatio);
    const QPainterPath triangle = pointerTriangle(size.width());
    m_pointerShadow = ShadowImage(
        triangle.boundingRect().adjusted(-1, -1, 1, 1),
        [&triangle](QPainter &painter) { fillPointer(painter, triangle, Tones::black(Tones::opaque())); },
        Tones::black(Tones::shadeMid()), 6, QPointF(0, 3), devicePixelRatio);
}

void WeightedWheelGraphic::paint(QPainter *painter)
{
    const QSizeF size(width(), height());
    if (size.isEmpty())
        return;
    painter->setRenderHints(
        QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    prepareLabels();
    prepareShadows(
        size, window() ? window()->effectiveDevicePixelRatio() : painter->device()->devicePixelRatioF());

    const QRectF frame(QPointF(0, 0), size);
    const QPointF centre = frame.center();
    const double side = std::min(size.width(), size.height());
    const WheelLayout layout
        = WheelLayout::compute(m_items, m_baseWeightTotal, size, m_selectedID, m_showResult);
    QList<QList<QSizeF>> labelSizes;
    for (const QList<Label> &forms : std::as_const(m_labels)) {
        QList<QSizeF> sizes;
        for (const Label &form : forms)
            sizes.append(form.size);
        labelSizes.append(sizes);
    }
    const QList<qsizetype> labelForms
        = layout.fittingLabelForms(labelSizes, pointerCentreY + pointerHeight / 2);
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(m_wheelRotation);
    turn.translate(-centre.x(), -centre.y());

    for (qsizetype index = 0; index < layout.entries.size(); ++index) {
        const WheelLayout::Entry &entry = layout.entries[index];
        const QPainterPath slice = turn.map(entry.slice.path(frame));
        painter->fillPath(slice, Tones::tinted(m_wheelBaseColor, entry.fillOpacity));
        QPen outline(
            Tones::tinted(m_accentColor, entry.selected ? Tones::accentSelected() : Tones::accentArea()),
            entry.selected ? 2.2 : 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        // Qt measures a miter from the join point, half the length of the usual miter-limit ratio of 10.
        outline.setMiterLimit(5);
        painter->strokePath(slice, outline);
        // The label rides with its slice but is drawn upright.
        drawLabel(*painter, m_labels[index][labelForms[index]], turn.map(entry.labelCentre));
    }
    m_centreShadow.draw(*painter);
    drawCentre(*painter, centre, side);
    painter->setPen(QPen(Tones::white(Tones::textNavigation()), 1));
    painter->setBrush(Tones::tinted(m_accentColor, Tones::accentStrong()));
    painter->drawEllipse(centre, hubDiameter / 2, hubDiameter / 2);

    m_pointerShadow.draw(*painter);
    fillPointer(*painter, pointerTriangle(size.width()), m_accentColor);
}

void WeightedWheelGraphic::drawCentre(QPainter &painter, const QPointF &centre, double side) const
{
    const double radius = side * centreDiscFactor / 2;
    painter.setPen(QPen(Tones::tinted(m_accentColor, Tones::accentMarkStrong()), 2));
    painter.setBrush(Tones::black(Tones::shadeMid()));
    painter.drawEllipse(centre, radius, radius);
}

QList<std::tuple<QString, const QFont *, QColor, double>> WeightedWheelGraphic::labelLines(
    const Label &label) const
{
    const QColor foreground = Tones::tinted(m_textColor, Tones::textPrimary());
    QList<std::tuple<QString, const QFont *, QColor, double>> lines;
    if (!label.symbol.isEmpty())
        lines.append(
            { label.symbol, &m_symbolFont, foreground, QFontMetricsF(m_symbolFont).height() + labelSpacing });
    const QFontMetricsF titleMetrics(m_titleFont);
    for (qsizetype line = 0; line < label.titleLines.size(); ++line) {
        const bool last = line + 1 == label.titleLines.size();
        lines.append({ label.titleLines[line], &m_titleFont, foreground,
            last ? titleMetrics.height() + labelSpacing : titleMetrics.lineSpacing() });
    }
    if (!label.current.isEmpty())
        lines.append({ label.current, &m_currentFont,
            label.discounted ? Tones::white(Tones::textSubtitle())
                             : Tones::tinted(m_accentColor, Tones::accentBright()),
            QFontMetricsF(m_currentFont).height() + shareLineSpacing });
    if (!label.base.isEmpty())
        lines.append({ label.base, &m_baseFont, Tones::white(Tones::textTertiary()), 0 });
    return lines;
}

WeightedWheelGraphic::Label WeightedWheelGraphic::measured(Label label) const
{
    const auto lines = labelLines(label);
    double width = 0;
    double height = 0;
    for (qsizetype line = 0; line < lines.size(); ++line) {
        const auto &[text, font, colour, advance] = lines[line];
        const QFontMetricsF metrics(*font);
        width = std::max(width, metrics.horizontalAdvance(text));
        height += line + 1 < lines.size() ? advance : metrics.height();
    }
    label.size = QSizeF(width, height);
    return label;
}

void WeightedWheelGraphic::drawLabel(QPainter &painter, const Label &label, const QPointF &centre) const
{
    double top = centre.y() - label.size.height() / 2;
    for (const auto &[text, font, colour, advance] : labelLines(label)) {
        const QFontMetricsF metrics(*font);
        painter.setFont(*font);
        painter.setPen(colour);
        painter.drawText(
            QPointF(centre.x() - metrics.horizontalAdvance(text) / 2, top + metrics.ascent()), text);
        top += advance;
    }
}
