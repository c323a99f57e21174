#include "media/FrameShade.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

QByteArray FrameShade::toCommand() const
{
    QByteArray command = QByteArray::number(uniform);
    for (const qreal stop : gradient)
        command += ' ' + QByteArray::number(stop);
    return command;
}

std::optional<FrameShade> FrameShade::fromCommand(const QByteArray &arguments)
{
    FrameShade shade;
    const QList<QByteArray> words = arguments.simplified().split(' ');
    for (qsizetype index = 0; index < words.size(); ++index) {
        bool isNumber = false;
        const qreal opacity = words[index].toDouble(&isNumber);
        if (!isNumber || !(opacity >= 0 && opacity <= 1))
            return std::nullopt;
        if (index == 0)
            shade.uniform = opacity;
        else
            shade.gradient.append(opacity);
    }
    return shade;
}

std::vector<std::uint16_t> FrameShade::lineFactors(int height) const
{
    std::vector<std::uint16_t> factors(std::size_t(std::max(height, 0)));
    for (int line = 0; line < height; ++line) {
        // A gradient over the frame's height is sampled at each line's centre, as a painter fills it.
        qreal stopOpacity = 0;
        if (gradient.size() == 1) {
            stopOpacity = gradient.front();
        } else if (gradient.size() > 1) {
            const qreal at = (line + 0.5) / height * qreal(gradient.size() - 1);
            const auto before = std::min(qsizetype(at), gradient.size() - 2);
            const qreal within = at - qreal(before);
            stopOpacity = gradient[before] + (gradient[before + 1] - gradient[before]) * within;
        }
        factors[std::size_t(line)] = std::uint16_t(std::lround((1 - uniform) * (1 - stopOpacity) * 256));
    }
    return factors;
}

void copyShaded(std::uint32_t *target, const std::uint32_t *source, int pixels, std::uint16_t factor)
{
    if (factor >= 256) {
        if (target != source)
            std::memcpy(target, source, std::size_t(std::max(pixels, 0)) * 4);
        return;
    }
    int index = 0;
#if defined(__SSE2__)
    // Four pixels at once, each byte widened to 16 bits, multiplied and narrowed again; the alpha bytes are
    // multiplied by 256, which keeps them. Compilers do not vectorise the plain loop below at -O2.
    const auto f = short(factor);
    const __m128i factors = _mm_set_epi16(256, f, f, f, 256, f, f, f);
    const __m128i zero = _mm_setzero_si128();
    for (; index + 4 <= pixels; index += 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i *>(source + index));
        const __m128i low = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(four, zero), factors), 8);
        const __m128i high = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(four, zero), factors), 8);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(target + index), _mm_packus_epi16(low, high));
    }
#endif
    // Red and blue at once, in each half of the word; the alpha stays as it is, opaque.
    for (; index < pixels; ++index) {
        const std::uint32_t pixel = source[index];
        const std::uint32_t redBlue = ((pixel & 0x00ff00ffu) * factor >> 8) & 0x00ff00ffu;
        const std::uint32_t green = ((pixel & 0x0000ff00u) * factor >> 8) & 0x0000ff00u;
        target[index] = (pixel & 0xff000000u) | redBlue | green;
    }
}
