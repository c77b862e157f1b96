#pragma once
// The Gaussian blur of SVG and CSS filters (and of canvas shadows): three box
// blurs whose size follows from the standard deviation, as browsers draw it.

namespace webview {

// How far the blur reaches on each side, in pixels; 0 when it leaves the image alone.
int blurReach(double sigma);

// Blurs `channels` interleaved bytes per pixel (1 for A8, 4 for premultiplied
// ARGB32) in place. Outside the image counts as transparent.
void gaussianBlur(unsigned char* pixels, int width, int height, int stride, int channels, double sigma);

}  // namespace webview
