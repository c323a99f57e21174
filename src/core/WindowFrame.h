#pragma once

#include <QJsonObject>
#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

// One screen as the window frame sees it: its name, its whole area and the part not taken by panels.
struct ScreenArea
{
    QString name;
    QRect geometry;
    QRect available;
};

// The main window's place and size as it was last left outside full screen and maximised, and whether it
// was maximised, kept for the next launch. The place and size are those of the window's own area, without
// the window manager's frame; the place is counted from the top-left corner of the screen it was on, so
// that it survives screens being rearranged.
struct WindowFrame
{
    QString screen;
    QPoint offset;
    QSize size;
    bool maximized = false;

    bool operator==(const WindowFrame &) const = default;

    // The frame of a window at `geometry` on `screen`.
    static WindowFrame of(const QRect &geometry, const ScreenArea &screen);

    QJsonObject toJson() const;
    // None unless every field is there with a sound value: a damaged file means a first launch's frame.
    static std::optional<WindowFrame> fromJson(const QJsonObject &object);

    // Where the window's own area goes at launch: on the screen it was on when that screen is still
    // there, else on the first of `screens` (the primary one), moved and shrunk (never below
    // `minimumSize`) so that the window with the window manager's `frame` around it, title bar included,
    // lies wholly inside that screen's available area. None without screens.
    std::optional<QRect> restoredGeometry(
        const QList<ScreenArea> &screens, const QSize &minimumSize, const QMargins &frame) const;
    // Where a window that has no saved frame opens: `defaultSize`, or the largest that fits (never below
    // `minimumSize`), centred with its `frame` on the first of `screens`. None without screens.
    static std::optional<QRect> firstGeometry(const QList<ScreenArea> &screens, const QSize &defaultSize,
        const QSize &minimumSize, const QMargins &frame);
};
