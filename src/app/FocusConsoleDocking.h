#pragma once

#include "core/FocusConsoleDock.h"
#include "core/OneShotTimer.h"

#include <QObject>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

// The console's move between the two bottom corners: the handle's drag and tap, the snap that follows
// and, one snap later, the change of the stored side. It lives with the controller rather than the
// screen, so a side chosen just before the focus screen goes away is still stored.
class FocusConsoleDocking : public QObject
{
    Q_OBJECT
    // Horizontal offset of the console group: 0 at rest, within [0, d] docked leading and [-d, 0]
    // docked trailing.
    Q_PROPERTY(double dragTranslation READ dragTranslation NOTIFY dragTranslationChanged FINAL)
    Q_PROPERTY(bool isDraggingConsole READ isDraggingConsole NOTIFY isDraggingConsoleChanged FINAL)
    // "leading" or "trailing": the side a release would choose now, or the side a snap heads to;
    // empty at rest.
    Q_PROPERTY(QString pendingConsoleDock READ pendingConsoleDockName NOTIFY pendingConsoleDockChanged FINAL)
    // While true every gesture is ignored and the offset moves by animation.
    Q_PROPERTY(bool isSnappingConsole READ isSnappingConsole NOTIFY isSnappingConsoleChanged FINAL)

public:
    // How long a snap runs before the new side is stored.
    static constexpr std::chrono::milliseconds snapDuration { 340 };

    FocusConsoleDocking(std::unique_ptr<OneShotTimer> timer, std::function<FocusConsoleDock()> storedDock,
        std::function<void(FocusConsoleDock)> storeDock, QObject *parent = nullptr);
    ~FocusConsoleDocking() override;

    double dragTranslation() const { return m_dragTranslation; }
    bool isDraggingConsole() const { return m_isDragging; }
    const std::optional<FocusConsoleDock> &pendingConsoleDock() const { return m_pendingDock; }
    QString pendingConsoleDockName() const;
    bool isSnappingConsole() const { return m_isSnapping; }

    // The handle's gestures; `travelDistance` is the distance between the two docked positions and
    // `translation` the pointer's horizontal travel since the press.
    Q_INVOKABLE void dragChanged(double translation, double travelDistance);
    Q_INVOKABLE void dragEnded(double translation, double travelDistance);
    Q_INVOKABLE void tapped(double travelDistance);

signals:
    void dragTranslationChanged();
    void isDraggingConsoleChanged();
    void pendingConsoleDockChanged();
    void isSnappingConsoleChanged();

private:
    void snap(FocusConsoleDock target, FocusConsoleDock current, double travelDistance);
    void finishSnap(FocusConsoleDock target, FocusConsoleDock current);
    void setDragTranslation(double translation);
    void setDragging(bool dragging);
    void setPendingDock(std::optional<FocusConsoleDock> dock);
    void setSnapping(bool snapping);

    std::unique_ptr<OneShotTimer> m_timer;
    std::function<FocusConsoleDock()> m_storedDock;
    std::function<void(FocusConsoleDock)> m_storeDock;
    double m_dragTranslation = 0;
    bool m_isDragging = false;
    std::optional<FocusConsoleDock> m_pendingDock;
    bool m_isSnapping = false;
};
