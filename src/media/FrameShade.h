#pragma once

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <optional>
#include <vector>

// How a video background is darkened as the decoder copies each frame, so that the window need not draw
// a dark veil over the whole video with every frame: black of `uniform` opacity over the whole frame, and
// under it black whose opacity runs from top to bottom through `gradient`'s evenly spaced stops.
struct FrameShade
{
    qreal uniform = 0;
    QList<qreal> gradient;

    bool operator==(const FrameShade &) const = default;

    // As the decoder's "shade" command carries it: "UNIFORM STOP...". Nothing for a malformed one.
    QByteArray toCommand() const;
    static std::optional<FrameShade> fromCommand(const QByteArray &arguments);

    // What each line of a frame `height` lines high is multiplied by, in 256ths: 256 keeps it as it is.
    std::vector<std::uint16_t> lineFactors(int height) const;
};

// Copies `pixels` 32-bit pixels, each colour channel multiplied by `factor` 256ths; `target` may be `source`.
void copyShaded(std::uint32_t *target, const std::uint32_t *source, int pixels, std::uint16_t factor);
