#include "ui/effects/BoxBlur.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

std::array<int, 3> gaussianBoxRadii(double sigma)
{
    constexpr int passes = 3;
    const double ideal = std::sqrt(12 * sigma * sigma / passes + 1);
    int lower = int(std::floor(ideal));
    if (lower % 2 == 0)
        --lower;
    const int upper = lower + 2;
    const double lowerCount = (12 * sigma * sigma - passes * lower * lower - 4 * passes * lower - 3 * passes)
        / (-4.0 * lower - 4);
    const int count = int(std::lround(lowerCount));
    std::array<int, 3> radii {};
    for (int pass = 0; pass < passes; ++pass)
        radii[pass] = ((pass < count ? lower : upper) - 1) / 2;
    return radii;
}

namespace {

// What a line blur takes for the pixels beyond the ends of a line.
enum class Beyond { Edge, Zero };

// The running sum of the premultiplied ARGB pixels under a box of `count` pixels, one total per channel.
struct ArgbSum
{
    explicit ArgbSum(int count)
        : half(uint32_t(count / 2))
        , reciprocal(uint64_t(0xFFFFFFFFu) / uint32_t(count) + 1)
    { }

    void add(QRgb pixel)
    {
        alpha += qAlpha(pixel);
        red += qRed(pixel);
        green += qGreen(pixel);
        blue += qBlue(pixel);
    }
    void remove(QRgb pixel)
    {
        alpha -= qAlpha(pixel);
        red -= qRed(pixel);
        green -= qGreen(pixel);
        blue -= qBlue(pixel);
    }
    // The rounded mean. A multiplication by the reciprocal replaces four divisions per pixel; it is exact
    // while a total times the count stays below 2^32, which 255 × count² does for any box this blur uses.
    QRgb mean() const
    {
        const auto rounded = [this](uint32_t total) { return int(((total + half) * reciprocal) >> 32); };
        return qRgba(rounded(red), rounded(green), rounded(blue), rounded(alpha));
    }

    uint32_t alpha = 0;
    uint32_t red = 0;
    uint32_t green = 0;
    uint32_t blue = 0;
    uint32_t half;
    uint64_t reciprocal;
};

struct FloatSum
{
    explicit FloatSum(int count)
        : scale(1.0f / float(count))
    { }

    void add(float value) { total += value; }
    void remove(float value) { total -= value; }
    float mean() const { return total * scale; }

    float total = 0;
    float scale;
};

// One box blur along a line of `length` pixels spaced `stride` apart. Only the first and last `radius`
// pixels have a box reaching past an end, so only they look at what lies beyond; the rest of the line
// runs without a bounds check.
template<typename Sum, typename Pixel>
void boxBlurLine(Pixel *line, int length, int stride, int radius, Beyond beyond, std::vector<Pixel> &scratch)
{
    if (radius <= 0 || length <= 0)
        return;
    scratch.resize(size_t(length));
    for (int i = 0; i < length; ++i)
        scratch[size_t(i)] = line[i * stride];
    const Pixel before = beyond == Beyond::Edge ? scratch.front() : Pixel {};
    const Pixel after = beyond == Beyond::Edge ? scratch.back() : Pixel {};
    const auto at = [&](int i) { return i < 0 ? before : i >= length ? after : scratch[size_t(i)]; };
    Sum sum(2 * radius + 1);
    for (int i = -radius; i <= radius; ++i)
        sum.add(at(i));
    int i = 0;
    const auto step = [&](Pixel entering, Pixel leaving) {
        line[i * stride] = sum.mean();
        sum.add(entering);
        sum.remove(leaving);
    };
    for (; i < std::min(radius, length); ++i)
        step(at(i + radius + 1), at(i - radius));
    for (; i < length - radius - 1; ++i)
        step(scratch[size_t(i + radius + 1)], scratch[size_t(i - radius)]);
    for (; i < length; ++i)
        step(at(i + radius + 1), at(i - radius));
}

// The three box passes of a Gaussian over `width` × `height` pixels, `stride` pixels from row to row.
template<typename Sum, typename Pixel>
void blurPlane(Pixel *pixels, int width, int height, int stride, double sigma, Beyond beyond)
{
    std::vector<Pixel> scratch;
    for (int radius : gaussianBoxRadii(sigma)) {
        for (int y = 0; y < height; ++y)
            boxBlurLine<Sum>(pixels + size_t(y) * size_t(stride), width, 1, radius, beyond, scratch);
        for (int x = 0; x < width; ++x)
            boxBlurLine<Sum>(pixels + x, height, stride, radius, beyond, scratch);
    }
}

} // namespace

QImage blurredWithEdgesExtended(const QImage &image, double sigma)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (result.isNull() || sigma <= 0)
        return result;
    blurPlane<ArgbSum>(reinterpret_cast<QRgb *>(result.bits()), result.width(), result.height(),
        int(result.bytesPerLine() / sizeof(QRgb)), sigma, Beyond::Edge);
    return result;
}

void blurWithZerosBeyond(float *values, int width, int height, double sigma)
{
    blurPlane<FloatSum>(values, width, height, width, sigma, Beyond::Zero);
}
