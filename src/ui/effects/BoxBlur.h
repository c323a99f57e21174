#pragma once

#include <QImage>
#include <array>

// Three box blurs in a row come close to a Gaussian blur and cost the same whatever its width: the radii
// of the three boxes for a Gaussian of standard deviation `sigma` pixels.
std::array<int, 3> gaussianBoxRadii(double sigma);

// `image` blurred by about a Gaussian of standard deviation `sigma` pixels, as premultiplied ARGB. Pixels
// beyond the edges count as copies of the edge, so a picture cut out of a larger one keeps its brightness
// up to its border.
QImage blurredWithEdgesExtended(const QImage &image, double sigma);

// `width` × `height` values, row after row, blurred in place by about a Gaussian of standard deviation
// `sigma` pixels. Values beyond the edges count as 0, so a shape fades out towards them.
void blurWithZerosBeyond(float *values, int width, int height, double sigma);
