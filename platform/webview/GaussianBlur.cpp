#include "platform/webview/GaussianBlur.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace webview {
namespace {

// Past this a box is wider than any canvas: everything it covers spreads to nothing all the same.
constexpr double kMaxBox = 1 << 24;

// The box size d that three successive box blurs need to approximate the Gaussian.
long boxSize(double sigma) {
    if (!(sigma > 0)) return 0;
    return long(std::floor(std::min(sigma * 3 * std::sqrt(2 * M_PI) / 4 + 0.5, kMaxBox)));
}

// One box pass over a line: out[i] is the mean of in[i + lo .. i + hi].
void boxPass(const std::vector<double>& in, std::vector<double>& out, long lo, long hi) {
    const long n = long(in.size());
    const double size = double(hi - lo + 1);
    double sum = 0;
    for (long j = std::max(0L, lo); j <= std::min(n - 1, hi); ++j) sum += in[size_t(j)];
    for (long i = 0; i < n; ++i) {
        out[size_t(i)] = sum / size;
        const long leaving = i + lo, entering = i + hi + 1;
        if (leaving >= 0 && leaving < n) sum -= in[size_t(leaving)];
        if (entering >= 0 && entering < n) sum += in[size_t(entering)];
    }
}

// An odd d: three boxes of d centred on the pixel. An even d: two of d centred
// on the pixel's left and right edges, then one of d + 1 centred on it.
void blurLine(std::vector<double>& line, std::vector<double>& scratch, long d) {
    const long half = d / 2;
    if (d % 2) {
        boxPass(line, scratch, -half, half);
        boxPass(scratch, line, -half, half);
        boxPass(line, scratch, -half, half);
    } else {
        boxPass(line, scratch, -half, half - 1);
        boxPass(scratch, line, -half + 1, half);
        boxPass(line, scratch, -half, half);
    }
    line.swap(scratch);
}

void blurLines(unsigned char* pixels, int lines, int length, long lineStep, long pixelStep, int channels, long d) {
    std::vector<double> line(static_cast<size_t>(length)), scratch(static_cast<size_t>(length));
    for (int l = 0; l < lines; ++l)
        for (int c = 0; c < channels; ++c) {
            unsigned char* start = pixels + l * lineStep + c;
            bool any = false;
            for (int i = 0; i < length; ++i) any |= (line[size_t(i)] = start[i * pixelStep]) != 0;
            if (!any) continue;
            blurLine(line, scratch, d);
            for (int i = 0; i < length; ++i)
                start[i * pixelStep] = static_cast<unsigned char>(std::clamp(line[size_t(i)] + 0.5, 0.0, 255.0));
        }
}

}  // namespace

int blurReach(double sigma) {
    const long d = boxSize(sigma);
    // Each pass spreads by half a box, the even case's larger box by one more.
    return d < 2 ? 0 : int(std::min(3 * (d / 2) + 1, long(kMaxBox)));
}

void gaussianBlur(unsigned char* pixels, int width, int height, int stride, int channels, double sigma) {
    const long d = boxSize(sigma);
    if (d < 2 || width <= 0 || height <= 0) return;
    blurLines(pixels, height, width, stride, channels, channels, d);
    blurLines(pixels, width, height, channels, stride, channels, d);
}

}  // namespace webview
