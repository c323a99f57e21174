#pragma once

#include <QJsonObject>
#include <QList>
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

// The main window's place and size as it was last left outside full screen, kept for the next launch.
// The place is counted from the top-left corner of the screen it was on, so that it survives screens
// being rearranged.
struct WindowFrame
{
    QString screen;
    QPoint offset;
    QSize size;

    bool operator==(const WindowFrame &) const = default;

    // The frame of a window at `geometry` on `screen`.
    static WindowFrame of(const QRect &geometry, const ScreenArea &screen);

    QJsonObject toJson() const;
    // None unless every field is there with a sound value: a damaged file means a first launch's frame.
    static std::optional<WindowFrame> fromJson(const QJsonObject &object);

    // Where the window opens at launch: on the screen it was on when that screen is still there, else
    // on the first of `screens` (the primary one), moved and shrunk (never below `minimumSize`) to lie
    // wholly inside that screen's available area. None without screens.
    std::optional<QRect> restoredGeometry(const QList<ScreenArea> &screens, const QSize &minimumSize) const;
};
