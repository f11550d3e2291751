// Draws every picture resource of the editor and the host, encodes them as ZRIF/ZRVF and writes
// PNG previews: zr_artgen OUTDIR. OUTDIR receives NAME.zrif or NAME.zrvf per picture and icon.ico;
// OUTDIR/preview receives a PNG per picture (strips as a sheet of all frames), shown on the face.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "Buttons.h"
#include "Canvas.h"
#include "Icon.h"
#include "Knob.h"
#include "Logo.h"
#include "Meters.h"
#include "Panel.h"
#include "Slider.h"
#include "Style.h"
#include "ZR_encode.h"

namespace {

struct Picture {
  const char* name;
  int width;
  int height;
  int frames;  // 0: a still picture (ZRIF); otherwise a strip (ZRVF) of that many frames
  std::function<ZR_Pixels(int frame, int frames)> pixels;
};

// Pictures drawn with cairo into a transparent canvas of the picture's size.
std::function<ZR_Pixels(int, int)> drawn(int width, int height, std::function<void(Canvas&, int, int)> draw) {
  return [=](int frame, int frames) {
    Canvas canvas(width, height);
    draw(canvas, frame, frames);
    return canvas.pixels();
  };
}

double turnOf(int frame, int frames) { return frames > 1 ? static_cast<double>(frame) / (frames - 1) : 0; }

Picture bezel(const char* name, int column, int row) {
  return {name, 10, 10, 0, drawn(10, 10, [=](Canvas& c, int, int) { Panel::bezel(c, {column, row}); })};
}
Picture rim(const char* name, int column, int row) {
  return {name, 10, 10, 0, drawn(10, 10, [=](Canvas& c, int, int) { Panel::recessRim(c, {column, row}); })};
}
Picture knob(const char* name, int size, int frames) {
  return {name, size, size, frames,
          drawn(size, size, [=](Canvas& c, int f, int n) { Knob::draw(c.cr(), size, turnOf(f, n)); })};
}
Picture pushKey(const char* name, const char* label) {
  return {name, 40, 24, 2,
          drawn(40, 24, [=](Canvas& c, int f, int) { Buttons::push(c.cr(), label, f == 1); })};
}

// Names, formats, sizes and frame counts are what the editor layouts and the resource list use.
const std::vector<Picture>& pictures() {
  static const std::vector<Picture> table = {
      bezel("ALT", -1, -1),
      bezel("AMT", 0, -1),
      bezel("ART", 1, -1),
      bezel("ALM", -1, 0),
      bezel("ARM", 1, 0),
      bezel("ALB", -1, 1),
      bezel("AMB", 0, 1),
      bezel("ARB", 1, 1),
      rim("GLT", -1, -1),
      rim("GMT", 0, -1),
      rim("GRT", 1, -1),
      rim("GLM", -1, 0),
      rim("GRM", 1, 0),
      rim("GLB", -1, 1),
      rim("GMB", 0, 1),
      rim("GRB", 1, 1),
      {"GMM", 128, 128, 0, drawn(128, 128, [](Canvas& c, int, int) { Panel::recessFloor(c); })},
      {"BGND", 63, 63, 0, drawn(63, 63, [](Canvas& c, int, int) { Panel::background(c); })},
      {"LOGOTYPE", 160, 30, 0, drawn(160, 30, [](Canvas& c, int, int) { Logo::draw(c.cr()); })},
      {"I41X89", 41, 89, 0, [](int, int) { return Meters::vertical(); }},
      {"I91X17", 91, 17, 0, [](int, int) { return Meters::horizontal(); }},
      knob("BIG", 64, 265),
      knob("KNOB", 32, 100),
      {"TUNE", 120, 24, 100,
       drawn(120, 24, [](Canvas& c, int f, int n) { Slider::draw(c.cr(), turnOf(f, n)); })},
      {"BUT", 40, 24, 2, drawn(40, 24, [](Canvas& c, int f, int) { Buttons::power(c.cr(), f == 1); })},
      pushKey("LOAD", "LOAD"),
      pushKey("PEEK", "PEEK"),
      pushKey("SAVE", "SAVE"),
  };
  return table;
}

bool writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

// All frames side by side, 16 to a row, on the face colour so translucent pieces read as they will.
bool writePreview(const std::filesystem::path& path, const Picture& picture,
                  const std::vector<ZR_Pixels>& frames) {
  constexpr int kGap = 2, kPerRow = 16;
  const int count = static_cast<int>(frames.size());
  const int across = std::min(count, kPerRow), down = (count + kPerRow - 1) / kPerRow;
  Canvas sheet(across * (picture.width + kGap) + kGap, down * (picture.height + kGap) + kGap);
  Style::source(sheet.cr(), Style::kFace);
  cairo_paint(sheet.cr());
  for (int i = 0; i < count; ++i) {
    Canvas frame(picture.width, picture.height);
    frame.show(frames[i]);
    cairo_set_source_surface(sheet.cr(), frame.surface(), kGap + (i % kPerRow) * (picture.width + kGap),
                             kGap + (i / kPerRow) * (picture.height + kGap));
    cairo_paint(sheet.cr());
  }
  return sheet.writePng(path.string());
}

bool generate(const Picture& picture, const std::filesystem::path& dir) {
  std::vector<ZR_Pixels> frames;
  for (int f = 0; f < std::max(picture.frames, 1); ++f) frames.push_back(picture.pixels(f, picture.frames));
  std::vector<uint8_t> bytes;
  std::string error;
  const bool still = picture.frames == 0;
  if (still) {
    bytes = ZR_encode_still(picture.width, picture.height, frames[0]);
  } else if (!ZR_encode_strip(picture.width, picture.height, frames, bytes, error)) {
    std::fprintf(stderr, "zr_artgen: %s: %s\n", picture.name, error.c_str());
    return false;
  }
  const std::filesystem::path file = dir / (std::string(picture.name) + (still ? ".zrif" : ".zrvf"));
  if (!writeFile(file, bytes) ||
      !writePreview(dir / "preview" / (std::string(picture.name) + ".png"), picture, frames)) {
    std::fprintf(stderr, "zr_artgen: cannot write %s\n", file.string().c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zr_artgen OUTDIR\n");
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::error_code ignored;
  std::filesystem::create_directories(dir / "preview", ignored);
  for (const Picture& picture : pictures()) {
    if (!generate(picture, dir)) return 1;
  }
  if (!Icon::write((dir / "icon.ico").string(), (dir / "preview" / "icon.png").string())) {
    std::fprintf(stderr, "zr_artgen: cannot write the icon\n");
    return 1;
  }
  return 0;
}
