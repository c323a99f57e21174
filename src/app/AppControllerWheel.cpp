// What the break screen shows of the wheel and the drawn activity, ready for display.

#include "app/AppController.h"
#include "core/StringTable.h"
#include "core/Uuid.h"
#include "session/WheelEntryVariant.h"
#include "session/WheelLayout.h"
#include "session/WheelProbabilityEngine.h"

QVariantList AppController::wheelEntries() const
{
    // The draw walks the same eligible list in the same order, so the slices match the stop angle.
    return WheelEntryVariant::fromEntries(WheelProbabilityEngine::eligibleItems(m_weightedItems));
}

double AppController::wheelBaseWeightTotal() const
{
    return WheelLayout::baseWeightTotal(m_preferences.items);
}

bool AppController::hasSelectedItem() const
{
    return m_selectedItem.has_value();
}

QString AppController::selectedItemID() const
{
    return m_selectedItem ? Uuid::upperText(m_selectedItem->id()) : QString();
}

QString AppController::selectedItemTitle() const
{
    return m_selectedItem ? m_selectedItem->item.title : QString();
}

QString AppController::selectedItemSymbol() const
{
    return m_selectedItem ? m_selectedItem->item.symbol : QString();
}

QString AppController::selectedItemScoreText() const
{
    if (!m_selectedItem)
        return {};
    return StringTable::text(QStringLiteral("+%lld"), language())
        .replace(QStringLiteral("%lld"), QString::number(m_selectedItem->item.healthScore));
}
