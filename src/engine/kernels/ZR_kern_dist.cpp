#include "engine/kernels/ZR_kern_dist.h"

namespace {

// 32-bit two's-complement steps: the clipper's words wrap by design, and unsigned arithmetic keeps
// that defined for every input.
inline int32_t wrap(int64_t v) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}
inline int32_t sub(int32_t a, int32_t b) { return wrap(int64_t{a} - b); }
inline int32_t add(int32_t a, int32_t b) { return wrap(int64_t{a} + b); }
inline int32_t magnitude(int32_t v) { return v < 0 ? wrap(-int64_t{v}) : v; }

// The input is halved twice around the offset, so v keeps one bit of headroom over a full-scale
// swing. The knee: the excess E beyond the limit is let through as K E / (K + |E|), which is about
// E for small excesses and never more than K, so the output bends smoothly into the clip level.
// Below the limit the knee is wider than above (K = 4h - 4h / 2 against 4h / 2 with shift 1), and
// with flags bit 0 set the lower side follows the offset and its knee is eight times narrower.
// The offset integrates what was cut off (high half of the signed 64-bit product with the rate),
// so a signal that keeps clipping on one side shifts the clip window toward it.
void dist(const int32_t* in, int32_t* out, int32_t count, int32_t* offset, int32_t b, int32_t h, int32_t rate,
          int32_t shift, int32_t flags) {
  const bool odd = (flags & 1) != 0;
  const int32_t fourH = wrap(int64_t{h} * 4);
  const int32_t kneeAbove = fourH >> (shift & 31);
  int32_t kneeBelow = sub(fourH, kneeAbove);
  if (odd) kneeBelow >>= 3;
  int32_t s = *offset;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t v = sub(in[i] >> 1, s) >> 1;
    const int32_t upper = b;
    int32_t lower = wrap(-int64_t{b});
    if (odd) {
      const int32_t inner = s < b ? s : b;
      const int32_t outer = sub(lower, h);
      lower = outer > inner ? outer : inner;
    }
    int32_t c = v < upper ? v : upper;
    c = c > lower ? c : lower;
    const int32_t e = sub(v, c);
    const int32_t k = e > 0 ? kneeAbove : kneeBelow;
    const int32_t den = add(k, magnitude(e));
    if (den != 0) c = add(c, wrap((int64_t{k} * e) / den));
    s = add(s, static_cast<int32_t>((int64_t{sub(v, c)} * rate) >> 32));
    out[i] = wrap(int64_t{c} * 4);
  }
  *offset = s;
}

}  // namespace

const ZR_kern_dist_fn ZR_kern_dist = dist;
