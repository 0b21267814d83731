#include "authoring/picture_generator.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace vantor::authoring {

namespace {

// splitmix64: a few lines whose output is fixed bit for bit, which the
// standard library's distributions do not promise across implementations.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }

    // lo to hi, both included; hi below lo counts as lo.
    int between(int lo, int hi) {
        if (hi <= lo) return lo;
        return lo + static_cast<int>(next() % (static_cast<uint64_t>(hi - lo) + 1));
    }

private:
    uint64_t state_;
};

// Index 0 is the outline black. The rest of the palette is ramps, one per
// material, each running from dark to light, so that dithering between
// neighbouring indices reads as a smooth gradient.
struct Ramps {
    int count;
    int shades;

    static constexpr int sky = 0;
    static constexpr int ground = 1;
    static constexpr int firstMaterial = 2;

    uint8_t index(int ramp, int shade) const {
        return static_cast<uint8_t>(1 + ramp * shades + shade);
    }
    // Levels are shades in sixteenths, the dither's resolution.
    int topLevel() const { return (shades - 1) * 16; }
};

constexpr uint8_t kOutline = 0;

Ramps rampsFor(uint32_t colourCount) {
    if (colourCount == 16) return {3, 5};
    if (colourCount == 256) return {15, 17};
    throw std::invalid_argument("picture colour count must be 16 or 256");
}

constexpr Rgb8 kSkyBase{96, 144, 224};
constexpr Rgb8 kGroundBase{80, 152, 64};
constexpr std::array<Rgb8, 8> kMaterialBases{{{200, 64, 48},
                                              {160, 112, 64},
                                              {224, 192, 64},
                                              {128, 80, 160},
                                              {64, 160, 176},
                                              {168, 168, 176},
                                              {216, 128, 160},
                                              {112, 128, 48}}};

// The darker half of a ramp runs from a fifth of the base colour up to it,
// the lighter half from it three quarters of the way to white.
uint8_t shadeComponent(int base, int shade, int shades) {
    const int middle = (shades - 1) / 2;
    if (shade <= middle) {
        const int dark = base / 5;
        return static_cast<uint8_t>(dark + (base - dark) * shade / middle);
    }
    const int light = base + (255 - base) * 3 / 4;
    return static_cast<uint8_t>(base + (light - base) * (shade - middle) / (shades - 1 - middle));
}

Rgb8 jittered(Rgb8 base, Random& random) {
    auto component = [&](uint8_t c) {
        return static_cast<uint8_t>(std::clamp(c + random.between(-16, 16), 0, 255));
    };
    return {component(base.red), component(base.green), component(base.blue)};
}

// Materials follow one another from a random start, so that neighbouring
// ramps differ.
Rgb8 rampBase(int ramp, int firstMaterial) {
    if (ramp == Ramps::sky) return kSkyBase;
    if (ramp == Ramps::ground) return kGroundBase;
    return kMaterialBases[(firstMaterial + ramp) % kMaterialBases.size()];
}

std::vector<Rgb8> makePalette(const Ramps& ramps, Random& random) {
    std::vector<Rgb8> palette{{0, 0, 0}};
    const int firstMaterial = random.between(0, static_cast<int>(kMaterialBases.size()) - 1);
    for (int ramp = 0; ramp < ramps.count; ++ramp) {
        const Rgb8 base = jittered(rampBase(ramp, firstMaterial), random);
        for (int shade = 0; shade < ramps.shades; ++shade) {
            palette.push_back({shadeComponent(base.red, shade, ramps.shades),
                               shadeComponent(base.green, shade, ramps.shades),
                               shadeComponent(base.blue, shade, ramps.shades)});
        }
    }
    return palette;
}

constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

class Canvas {
public:
    Canvas(uint32_t width, uint32_t height, Ramps ramps)
        : width_(static_cast<int>(width)),
          height_(static_cast<int>(height)),
          ramps_(ramps),
          indices_(size_t{width} * height, kOutline) {}

    int width() const { return width_; }
    int height() const { return height_; }
    const Ramps& ramps() const { return ramps_; }

    // Shapes may reach past the edges; what falls outside is dropped.
    void plot(int x, int y, uint8_t index) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
        indices_[static_cast<size_t>(y) * width_ + x] = index;
    }

    // The ordered dither spreads the fraction of a level over the two
    // nearest shades in a fixed 4 × 4 pattern.
    void plotShade(int x, int y, int ramp, int level) {
        level = std::clamp(level, 0, ramps_.topLevel());
        const int shade = level / 16 + (level % 16 > kBayer[y & 3][x & 3] ? 1 : 0);
        plot(x, y, ramps_.index(ramp, shade));
    }

    std::vector<uint8_t> release() { return std::move(indices_); }

private:
    int width_;
    int height_;
    Ramps ramps_;
    std::vector<uint8_t> indices_;
};

// The first ground row of every column: straight slopes between a few
// random heights.
std::vector<int> hillLine(const Canvas& canvas, Random& random) {
    const int width = canvas.width();
    const int segments = random.between(2, 5);
    std::vector<int> knots(segments + 1);
    for (int& knot : knots) knot = canvas.height() * random.between(45, 75) / 100;
    std::vector<int> line(width);
    for (int x = 0; x < width; ++x) {
        const int64_t along = int64_t{x} * segments;
        const auto segment = static_cast<size_t>(along / width);
        const int64_t rise = knots[segment + 1] - knots[segment];
        line[x] = knots[segment] + static_cast<int>(rise * (along % width) / width);
    }
    return line;
}

// Deep at the top, pale at the horizon.
void drawSky(Canvas& canvas, int horizon) {
    const int top = canvas.ramps().topLevel();
    for (int y = 0; y < canvas.height(); ++y) {
        const int level = 16 + (top - 32) * y / std::max(horizon, 1);
        for (int x = 0; x < canvas.width(); ++x) canvas.plotShade(x, y, Ramps::sky, level);
    }
}

void drawSun(Canvas& canvas, Random& random) {
    const int radius = std::min(canvas.width(), canvas.height()) / 12 + 1;
    const int cx = random.between(0, canvas.width() - 1);
    const int cy = random.between(radius, canvas.height() / 4 + radius);
    const uint8_t glow = canvas.ramps().index(Ramps::sky, canvas.ramps().shades - 1);
    for (int y = -radius; y <= radius; ++y) {
        for (int x = -radius; x <= radius; ++x) {
            if (x * x + y * y <= radius * radius) canvas.plot(cx + x, cy + y, glow);
        }
    }
}

// Pale at the hill tops, darker towards the viewer; busy ground is ploughed
// into furrows.
void drawGround(Canvas& canvas, const std::vector<int>& line, bool furrowed) {
    const int top = canvas.ramps().topLevel();
    for (int x = 0; x < canvas.width(); ++x) {
        const int span = std::max(canvas.height() - line[x], 1);
        for (int y = line[x]; y < canvas.height(); ++y) {
            int level = top - 16 - (top - 32) * (y - line[x]) / span;
            if (furrowed && (y / 3 + x / 8) % 2 != 0) level -= 24;
            canvas.plotShade(x, y, Ramps::ground, level);
        }
        // Steep slopes: join this column's outline to the previous one.
        const int previous = x > 0 ? line[x - 1] : line[x];
        for (int y = std::min(previous, line[x]); y <= std::max(previous, line[x]); ++y) {
            canvas.plot(x, y, kOutline);
        }
    }
}

// Lit from the upper left: brightest a third of the way out towards the light.
void drawBall(Canvas& canvas, int cx, int cy, int radius, int ramp) {
    const int top = canvas.ramps().topLevel();
    const int hx = cx - radius / 3;
    const int hy = cy - radius / 3;
    const int64_t reach = int64_t{9} * radius * radius / 4 + 1;
    for (int y = cy - radius; y <= cy + radius; ++y) {
        for (int x = cx - radius; x <= cx + radius; ++x) {
            const int fromCentre = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            if (fromCentre > radius * radius) continue;
            if (fromCentre > (radius - 1) * (radius - 1)) {
                canvas.plot(x, y, kOutline);
                continue;
            }
            const int64_t fromLight = int64_t{x - hx} * (x - hx) + int64_t{y - hy} * (y - hy);
            canvas.plotShade(x, y, ramp, static_cast<int>(top - top * fromLight / reach));
        }
    }
}

struct Box {
    int left;
    int top;
    int right;   // included
    int bottom;  // included
};

void outline(Canvas& canvas, const Box& box) {
    for (int x = box.left; x <= box.right; ++x) {
        canvas.plot(x, box.top, kOutline);
        canvas.plot(x, box.bottom, kOutline);
    }
    for (int y = box.top; y <= box.bottom; ++y) {
        canvas.plot(box.left, y, kOutline);
        canvas.plot(box.right, y, kOutline);
    }
}

// A wall lit from the left, a pointed roof in the ramp's dark shades, and
// a row of windows when there is room for them.
void drawHouse(Canvas& canvas, int cx, int bottom, int size, int ramp) {
    const int top = canvas.ramps().topLevel();
    const Box wall{cx - size / 2, bottom - size * 2 / 3, cx + size / 2, bottom};
    const int wallWidth = std::max(wall.right - wall.left, 1);
    for (int y = wall.top; y <= wall.bottom; ++y) {
        for (int x = wall.left; x <= wall.right; ++x) {
            canvas.plotShade(x, y, ramp, top - 16 - top / 2 * (x - wall.left) / wallWidth);
        }
    }
    outline(canvas, wall);

    const int roofHeight = std::max(size / 2, 1);
    for (int row = 0; row <= roofHeight; ++row) {
        const int y = wall.top - roofHeight + row;
        const int half = (size / 2 + 1) * row / roofHeight;
        for (int x = cx - half; x <= cx + half; ++x) {
            const bool edge = x == cx - half || x == cx + half || row == 0;
            if (edge) {
                canvas.plot(x, y, kOutline);
            } else {
                canvas.plotShade(x, y, ramp, top / 3 + 24 * (cx - x) / (half + 1));
            }
        }
    }

    const int pane = size / 6;
    if (pane < 1) return;
    const int windowTop = wall.top + pane;
    for (int x = wall.left + pane; x + pane < wall.right; x += 2 * pane) {
        outline(canvas, {x, windowTop, x + pane, windowTop + pane});
    }
}

struct Thing {
    bool isBall;
    int x;
    int base;  // the row it stands on
    int size;
    int ramp;
};

// Things stand on the ground; farther ones (higher up) are smaller and are
// drawn first so that nearer ones cover them.
std::vector<Thing> placeThings(const Canvas& canvas, const std::vector<int>& line, Random& random,
                               bool busy) {
    const int64_t area = int64_t{canvas.width()} * canvas.height();
    const int shortSide = std::min(canvas.width(), canvas.height());
    const int64_t count = busy ? 10 + area / 300 : 3 + area / 16000;
    const int smallest = busy ? shortSide / 40 + 1 : shortSide / 10 + 1;
    const int largest = busy ? shortSide / 12 + 2 : shortSide / 4 + 1;
    std::vector<Thing> things;
    for (int64_t i = 0; i < count; ++i) {
        Thing thing;
        thing.isBall = random.between(0, 1) == 0;
        thing.x = random.between(0, canvas.width() - 1);
        const int groundDepth = canvas.height() - line[thing.x];
        const int depth = random.between(0, groundDepth);
        thing.base = line[thing.x] + depth;
        thing.size = random.between(smallest, largest) * (groundDepth + depth) /
                     std::max(2 * groundDepth, 1);
        thing.size = std::max(thing.size, 1);
        thing.ramp = random.between(Ramps::firstMaterial, canvas.ramps().count - 1);
        things.push_back(thing);
    }
    std::ranges::stable_sort(things, {}, &Thing::base);
    return things;
}

void drawScene(Canvas& canvas, Random& random, bool busy) {
    const std::vector<int> line = hillLine(canvas, random);
    drawSky(canvas, *std::ranges::max_element(line));
    drawSun(canvas, random);
    drawGround(canvas, line, busy);
    for (const Thing& thing : placeThings(canvas, line, random, busy)) {
        if (thing.isBall) {
            drawBall(canvas, thing.x, thing.base - thing.size, thing.size, thing.ramp);
        } else {
            drawHouse(canvas, thing.x, thing.base, 2 * thing.size, thing.ramp);
        }
    }
}

// Sky and ground in one colour each, and a few outlined blocks of one
// colour: long runs everywhere.
void drawFlat(Canvas& canvas, Random& random) {
    const Ramps& ramps = canvas.ramps();
    const int horizon = canvas.height() * random.between(40, 70) / 100;
    for (int y = 0; y < canvas.height(); ++y) {
        const uint8_t colour = y < horizon ? ramps.index(Ramps::sky, ramps.shades * 2 / 3)
                                           : ramps.index(Ramps::ground, ramps.shades / 2);
        for (int x = 0; x < canvas.width(); ++x) canvas.plot(x, y, colour);
    }
    const int blocks = random.between(2, 4);
    for (int i = 0; i < blocks; ++i) {
        const int width = random.between(canvas.width() / 8, canvas.width() / 3);
        const int height = random.between(canvas.height() / 8, canvas.height() / 3);
        const int left = random.between(0, canvas.width() - width - 1);
        const int top = random.between(0, canvas.height() - height - 1);
        const uint8_t colour = ramps.index(random.between(Ramps::firstMaterial, ramps.count - 1),
                                           random.between(1, ramps.shades - 1));
        for (int y = top; y <= top + height; ++y) {
            for (int x = left; x <= left + width; ++x) canvas.plot(x, y, colour);
        }
        outline(canvas, {left, top, left + width, top + height});
    }
}

void drawNoise(Canvas& canvas, Random& random, uint32_t colourCount) {
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            canvas.plot(x, y, static_cast<uint8_t>(random.next() % colourCount));
        }
    }
}

// The decoder widens a component v to v × 17; this picks the nearest v.
Rgb4 toRgb4(Rgb8 colour) {
    auto narrow = [](uint8_t c) { return static_cast<uint8_t>((c + 8) / 17); };
    return {narrow(colour.red), narrow(colour.green), narrow(colour.blue)};
}

}  // namespace

Picture makePicture(PictureKind kind, uint32_t width, uint32_t height, uint32_t colourCount,
                    uint64_t seed) {
    if (width == 0 || height == 0 || width > 0xFFFF || height > 0xFFFF) {
        throw std::invalid_argument("picture width and height must be 1 to 65535");
    }
    const Ramps ramps = rampsFor(colourCount);
    Random random(seed);
    Picture picture{width, height, makePalette(ramps, random), {}};
    Canvas canvas(width, height, ramps);
    switch (kind) {
        case PictureKind::typical:
            drawScene(canvas, random, false);
            break;
        case PictureKind::busy:
            drawScene(canvas, random, true);
            break;
        case PictureKind::noise:
            drawNoise(canvas, random, colourCount);
            break;
        case PictureKind::flat:
            drawFlat(canvas, random);
            break;
    }
    picture.indices = canvas.release();
    return picture;
}

LfgImage makeLfgPicture(PictureKind kind, uint32_t width, uint32_t height, ScanOrder scan,
                        uint64_t seed) {
    if (width % 8 != 0) throw std::invalid_argument("LFG picture width must be a multiple of 8");
    Picture picture = makePicture(kind, width, height, 16, seed);
    LfgImage image;
    std::ranges::transform(picture.palette, image.palette.begin(), toRgb4);
    image.width = width;
    image.height = height;
    image.scan = scan;
    image.pixels = std::move(picture.indices);
    return image;
}

Lf2Image makeLf2Picture(PictureKind kind, uint32_t width, uint32_t height, uint64_t seed,
                        uint32_t colourCount) {
    Picture picture = makePicture(kind, width, height, colourCount, seed);
    Lf2Image image;
    image.palette = std::move(picture.palette);
    image.width = width;
    image.height = height;
    image.pixels = std::move(picture.indices);
    return image;
}

}  // namespace vantor::authoring
