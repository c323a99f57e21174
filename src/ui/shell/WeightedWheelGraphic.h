#pragma once

#include "core/WeightedWheelItem.h"
#include "ui/effects/ShadowImage.h"
#include "ui/shell/WheelDropShadow.h"

#include <QColor>
#include <QFont>
#include <QQuickPaintedItem>
#include <QSizeF>
#include <QStringList>
#include <QUuid>
#include <QVariantList>
#include <tuple>

// The break wheel: one slice per entry sized by its effective weight, a label on each, a centre disc
// and hub, and a fixed pointer at the top. It draws what its properties say and keeps no state of its
// own. Only the slices turn with `wheelRotation`; labels stay upright, and the pointer and the shadows
// stand still, so the shadows are blurred once per size rather than once per frame. The disc's drop
// shadow is a child item behind the wheel, so that it is not cut off at the wheel's edges.
class WeightedWheelGraphic : public QQuickPaintedItem
{
    Q_OBJECT
    // The wheel's entries as the controller publishes them (see WheelEntryVariant), in drawing order.
    Q_PROPERTY(QVariantList items READ items WRITE setItems NOTIFY itemsChanged FINAL)
    Q_PROPERTY(double baseWeightTotal READ baseWeightTotal WRITE setBaseWeightTotal NOTIFY
            baseWeightTotalChanged FINAL)
    Q_PROPERTY(QColor wheelBaseColor READ wheelBaseColor WRITE setWheelBaseColor NOTIFY paletteChanged FINAL)
    Q_PROPERTY(QColor accentColor READ accentColor WRITE setAccentColor NOTIFY paletteChanged FINAL)
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor NOTIFY paletteChanged FINAL)
    Q_PROPERTY(bool english READ english WRITE setEnglish NOTIFY englishChanged FINAL)
    // Degrees clockwise; named apart from the item's own rotation, which would turn the pointer too.
    Q_PROPERTY(
        double wheelRotation READ wheelRotation WRITE setWheelRotation NOTIFY wheelRotationChanged FINAL)
    // The drawn entry's id; empty when nothing is drawn.
    Q_PROPERTY(QString selectedID READ selectedID WRITE setSelectedID NOTIFY selectedIDChanged FINAL)
    Q_PROPERTY(bool showResult READ showResult WRITE setShowResult NOTIFY showResultChanged FINAL)

public:
    explicit WeightedWheelGraphic(QQuickItem *parent = nullptr);

    const QVariantList &items() const { return m_itemMaps; }
    void setItems(const QVariantList &items);
    double baseWeightTotal() const { return m_baseWeightTotal; }
    void setBaseWeightTotal(double total);
    QColor wheelBaseColor() const { return m_wheelBaseColor; }
    void setWheelBaseColor(const QColor &colour);
    QColor accentColor() const { return m_accentColor; }
    void setAccentColor(const QColor &colour);
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor &colour);
    bool english() const { return m_english; }
    void setEnglish(bool english);
    double wheelRotation() const { return m_wheelRotation; }
    void setWheelRotation(double degrees);
    QString selectedID() const { return m_selectedIDText; }
    void setSelectedID(const QString &id);
    bool showResult() const { return m_showResult; }
    void setShowResult(bool show);

    void paint(QPainter *painter) override;

protected:
    void geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry) override;
    void itemChange(ItemChange change, const ItemChangeData &value) override;

signals:
    void itemsChanged();
    void baseWeightTotalChanged();
    void paletteChanged();
    void englishChanged();
    void wheelRotationChanged();
    void selectedIDChanged();
    void showResultChanged();

private:
    // One form of an entry's label, laid out once and drawn upright wherever the wheel has carried it.
    // A part left out is empty.
    struct Label
    {
        QString symbol;
        QStringList titleLines;
        QString current;
        QString base;
        bool discounted = false;
        QSizeF size;
    };

    void labelsChanged();
    void prepareLabels();
    void prepareShadows(const QSizeF &size, qreal devicePixelRatio);
    // On the GUI thread, as it moves an item: the drop shadow follows the wheel's size and slices.
    void refreshDropShadow();
    // Each line of the label with the distance to the next one's top.
    QList<std::tuple<QString, const QFont *, QColor, double>> labelLines(const Label &label) const;
    Label measured(Label label) const;
    void drawLabel(QPainter &painter, const Label &label, const QPointF &centre) const;
    void drawCentre(QPainter &painter, const QPointF &centre, double side) const;
    void drawPointer(QPainter &painter, double width) const;

    QVariantList m_itemMaps;
    QList<WeightedWheelItem> m_items;
    double m_baseWeightTotal = 0;
    QColor m_wheelBaseColor;
    QColor m_accentColor;
    QColor m_textColor;
    bool m_english = false;
    double m_wheelRotation = 0;
    QString m_selectedIDText;
    QUuid m_selectedID;
    bool m_showResult = false;

    QFont m_symbolFont;
    QFont m_titleFont;
    QFont m_currentFont;
    QFont m_baseFont;
    // Each entry's label forms, the fullest first: the whole title over up to four lines, the full label
    // with two, one title line, the symbol with the current share, the symbol alone, nothing; a slice
    // without the room for the fuller ones draws shorter ones.
    QList<QList<Label>> m_labels;
    bool m_labelsReady = false;
    QSizeF m_shadowSize;
    qreal m_shadowPixelRatio = 0;
    WheelDropShadow *m_dropShadow = nullptr;
    QSizeF m_dropShadowSize;
    qreal m_dropShadowPixelRatio = 0;
    bool m_dropShadowHasSlices = false;
    ShadowImage m_centreShadow;
    ShadowImage m_pointerShadow;
};
