#pragma once

#include "core/AppLanguage.h"
#include "core/WeightedWheelItem.h"
#include "session/WheelSlice.h"

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QUuid>

// Where and how each entry of the break wheel is drawn while the wheel stands at rotation 0. The slices
// follow each other clockwise from the top in the entries' order, the same order the draw walks, so the
// draw's stop angle brings the drawn slice's midpoint under the pointer.
struct WheelLayout
{
    struct Entry
    {
        WheelSlice slice;
        // Degrees, halfway between the slice's start and end.
        double midpoint = 0;
        // Centre of the label, in the unturned wheel.
        QPointF labelCentre;
        // Percent of the wheel this entry takes now.
        double currentShare = 0;
        // Percent of all configured weight this entry's own weight makes.
        double baseShare = 0;
        bool selected = false;
        double fillOpacity = 0;
    };

    QList<Entry> entries;
    QPointF centre;
    // How far the labels' centres and the slices' rim lie from the centre.
    double labelRadius = 0;
    double rimRadius = 0;

    // `items` are the entries on the wheel (all with a positive effective weight); `baseWeightTotal` is the
    // denominator of the base shares; a null `selectedID` selects nothing.
    static WheelLayout compute(const QList<WeightedWheelItem> &items, double baseWeightTotal,
        const QSizeF &size, const QUuid &selectedID, bool showResult);

    // The sum of the items' weights, a weight that is not ≥ 0 counting as 0.
    static double baseWeightTotal(const QList<WheelItem> &items);

    // The drawn slice shines once the result shows; the others cycle through three shades.
    static double fillOpacity(qsizetype index, bool selected, bool showResult);

    // Which form of each entry's label to draw: for each entry, the sizes of its label's forms, the fullest
    // first; an empty size is a label left out. Labels stay upright while the wheel turns, so every rule
    // holds at every turn: a label keeps inside the rim and below `clearTop` (where the pointer ends), and
    // two labels that could touch give way in turn: the one in the fuller form, else the one of the
    // smaller slice, else both, so that a larger slice never shows less than a smaller one beside it;
    // slices of one size show the same form.
    QList<qsizetype> fittingLabelForms(const QList<QList<QSizeF>> &formSizes, double clearTop) const;

    static QString currentShareText(double share, AppLanguage language);
    static QString baseShareText(double share, AppLanguage language);
};
