#include "app/FocusConsoleDocking.h"

#include "core/FocusConsoleDockGeometry.h"

#include <algorithm>

namespace {

FocusConsoleDock otherSide(FocusConsoleDock dock)
{
    return dock == FocusConsoleDock::leading ? FocusConsoleDock::trailing : FocusConsoleDock::leading;
}

double usableDistance(double travelDistance)
{
    return travelDistance > 0 ? travelDistance : 0;
}

} // namespace

FocusConsoleDocking::FocusConsoleDocking(std::unique_ptr<OneShotTimer> timer,
    std::function<FocusConsoleDock()> storedDock, std::function<void(FocusConsoleDock)> storeDock,
    QObject *parent)
    : QObject(parent)
    , m_timer(std::move(timer))
    , m_storedDock(std::move(storedDock))
    , m_storeDock(std::move(storeDock))
{ }

FocusConsoleDocking::~FocusConsoleDocking()
{
    m_timer->cancel();
}

QString FocusConsoleDocking::pendingConsoleDockName() const
{
    return m_pendingDock ? rawValue(*m_pendingDock) : QString();
}

void FocusConsoleDocking::dragChanged(double translation, double travelDistance)
{
    if (m_isSnapping)
        return;
    const FocusConsoleDock dock = m_storedDock();
    const double d = usableDistance(travelDistance);
    setDragging(true);
    // The console never moves towards the wall it already touches.
    setDragTranslation(dock == FocusConsoleDock::leading ? std::clamp(translation, 0.0, d)
                                                         : std::clamp(translation, -d, 0.0));
    setPendingDock(FocusConsoleDockGeometry::resolvedDock(dock, translation, d));
}

void FocusConsoleDocking::dragEnded(double translation, double travelDistance)
{
    if (m_isSnapping)
        return;
    const FocusConsoleDock dock = m_storedDock();
    const double d = usableDistance(travelDistance);
    snap(FocusConsoleDockGeometry::resolvedDock(dock, translation, d), dock, d);
}

void FocusConsoleDocking::tapped(double travelDistance)
{
    if (m_isDragging || m_isSnapping)
        return;
    const FocusConsoleDock dock = m_storedDock();
    snap(otherSide(dock), dock, usableDistance(travelDistance));
}

void FocusConsoleDocking::snap(FocusConsoleDock target, FocusConsoleDock current, double travelDistance)
{
    if (m_isSnapping)
        return;
    // Snapping first, so that a view animates the offset change that follows.
    setSnapping(true);
    setPendingDock(target);
    if (target == current)
        setDragTranslation(0);
    else
        setDragTranslation(current == FocusConsoleDock::leading ? travelDistance : -travelDistance);
    m_timer->start(snapDuration, [this, target, current] { finishSnap(target, current); });
}

void FocusConsoleDocking::finishSnap(FocusConsoleDock target, FocusConsoleDock current)
{
    // The snap ends without animation: the console already sits in the far corner, and stays there
    // while the side changes under it and the offset returns to 0. So the animation goes off first.
    setSnapping(false);
    if (target != current)
        m_storeDock(target);
    setDragTranslation(0);
    setDragging(false);
    setPendingDock(std::nullopt);
}

void FocusConsoleDocking::setDragTranslation(double translation)
{
    if (translation == m_dragTranslation)
        return;
    m_dragTranslation = translation;
    emit dragTranslationChanged();
}

void FocusConsoleDocking::setDragging(bool dragging)
{
    if (dragging == m_isDragging)
        return;
    m_isDragging = dragging;
    emit isDraggingConsoleChanged();
}

void FocusConsoleDocking::setPendingDock(std::optional<FocusConsoleDock> dock)
{
    if (dock == m_pendingDock)
        return;
    m_pendingDock = dock;
    emit pendingConsoleDockChanged();
}

void FocusConsoleDocking::setSnapping(bool snapping)
{
    if (snapping == m_isSnapping)
        return;
    m_isSnapping = snapping;
    emit isSnappingConsoleChanged();
}
