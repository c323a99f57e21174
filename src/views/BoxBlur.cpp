#include "BoxBlur.h"

#include <algorithm>
#include <cmath>
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

// One box blur along a line of `length` pixels spaced `stride` apart, the edge pixels repeated beyond it.
void boxBlurLine(QRgb *line, int length, int stride, int radius, std::vector<QRgb> &scratch)
{
    scratch.resize(size_t(length));
    for (int i = 0; i < length; ++i)
        scratch[size_t(i)] = line[i * stride];
    const auto at = [&](int i) { return scratch[size_t(std::clamp(i, 0, length - 1))]; };
    std::array<int, 4> sum {};
    const auto add = [&sum](QRgb pixel, int sign) {
        sum[0] += sign * qAlpha(pixel);
        sum[1] += sign * qRed(pixel);
        sum[2] += sign * qGreen(pixel);
        sum[3] += sign * qBlue(pixel);
    };
    for (int i = -radius; i <= radius; ++i)
        add(at(i), 1);
    const int count = 2 * radius + 1;
    const auto mean = [count](int total) { return (total + count / 2) / count; };
    for (int i = 0; i < length; ++i) {
        line[i * stride] = qRgba(mean(sum[1]), mean(sum[2]), mean(sum[3]), mean(sum[0]));
        add(at(i + radius + 1), 1);
        add(at(i - radius), -1);
    }
}

} // namespace

QImage blurredWithEdgesExtended(const QImage &image, double sigma)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (result.isNull() || sigma <= 0)
        return result;
    const int width = result.width();
    const int height = result.height();
    const int stride = int(result.bytesPerLine() / sizeof(QRgb));
    auto *pixels = reinterpret_cast<QRgb *>(result.bits());
    std::vector<QRgb> scratch;
    for (int radius : gaussianBoxRadii(sigma)) {
        if (radius <= 0)
            continue;
        for (int y = 0; y < height; ++y)
            boxBlurLine(pixels + y * stride, width, 1, radius, scratch);
        for (int x = 0; x < width; ++x)
            boxBlurLine(pixels + x, height, stride, radius, scratch);
    }
    return result;
}
