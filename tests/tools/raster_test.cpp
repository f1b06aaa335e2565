// The generator's raster toolkit: compositing, shapes and their bounded fills, outlines, resizing
// and PNG output, which every image of the game is drawn with.
#include "art/raster.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include "app/sdl_handles.h"
#include "art/art_ui_kit.h"
#include "support/harness.h"

namespace {
void expect_colour(const Color& c, float r, float g, float b, float a) {
    EXPECT_NEAR(c.r, r, 0.01);
    EXPECT_NEAR(c.g, g, 0.01);
    EXPECT_NEAR(c.b, b, 0.01);
    EXPECT_NEAR(c.a, a, 0.01);
}
}  // namespace

TEST(Raster, BlendingComposesOverStraightAlpha) {
    Canvas c(2, 1);
    c.at(0, 0) = hex(0x0000FF);
    blend(c, 0, 0, hex(0xFF0000, 0.5f));
    expect_colour(c.at(0, 0), 0.5f, 0, 0.5f, 1);
    // Over a transparent pixel the colour stays pure, only alpha is partial.
    blend(c, 1, 0, hex(0xFF0000, 0.5f));
    expect_colour(c.at(1, 0), 1, 0, 0, 0.5f);
    blend(c, 5, 5, hex(0xFF0000));  // outside: ignored
}

TEST(Raster, ShapesCoverTheirPixelsWithSoftEdges) {
    Canvas c(10, 10);
    fill(c, sdf_box(2, 2, 8, 6), pal::white);
    EXPECT_NEAR(c.at(2, 2).a, 1, 0.01);
    EXPECT_NEAR(c.at(7, 5).a, 1, 0.01);
    EXPECT_NEAR(c.at(8, 5).a, 0, 0.01);
    EXPECT_NEAR(c.at(1, 3).a, 0, 0.01);
    Canvas half(4, 1);
    fill(half, sdf_box(0, 0, 2.5f, 1), pal::white);  // the edge crosses pixel 2 halfway
    EXPECT_NEAR(half.at(2, 0).a, 0.5, 0.01);
    Canvas ring(21, 21);
    fill(ring, sdf_ring(10.5f, 10.5f, 8, 2), pal::white);
    EXPECT_NEAR(ring.at(10, 10).a, 0, 0.01);  // hollow middle
    EXPECT_NEAR(ring.at(18, 10).a, 1, 0.01);
}

TEST(Raster, BoundedFillPaintsOnlyItsBoxAndClipsItToTheCanvas) {
    Sdf disc = sdf_circle(5, 5, 4);
    Canvas whole(10, 10), boxed(10, 10), clipped(10, 10), framed(10, 10);
    fill(whole, disc, pal::white);
    fill(boxed, disc, pal::white, Box{3, 2, 6, 8});
    fill(clipped, disc, pal::white, Box{-50, -50, 50, 50});  // reaches far past every edge
    fill(framed, disc, pal::white, around(5, 5, 4));
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            bool in_box = x >= 3 && x < 6 && y >= 2 && y < 8;
            EXPECT_FLOAT_EQ(boxed.at(x, y).a, in_box ? whole.at(x, y).a : 0) << x << "," << y;
            EXPECT_FLOAT_EQ(clipped.at(x, y).a, whole.at(x, y).a) << x << "," << y;
            EXPECT_FLOAT_EQ(framed.at(x, y).a, whole.at(x, y).a) << x << "," << y;
        }
    }
    EXPECT_NEAR(boxed.at(5, 7).a, 1, 0.01);  // the box's last column and row are painted
}

TEST(Raster, ShapeFillVisitsEveryPixelItsBoundsCanTouch) {
    Shape oval = Pen{}.ellipse(8, 3, 3.5f, 1.5f);  // wide and flat, off the canvas' diagonal
    Canvas bounded(12, 8), whole(12, 8);
    fill(bounded, oval, pal::white);
    fill(whole, oval.sdf, pal::white);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 12; ++x)
            EXPECT_FLOAT_EQ(bounded.at(x, y).a, whole.at(x, y).a) << x << "," << y;
    }
    EXPECT_NEAR(bounded.at(8, 3).a, 1, 0.01);
    EXPECT_GT(bounded.at(11, 3).a, 0.1);  // the soft tip of the oval, at the bounds' edge
    EXPECT_LT(bounded.at(11, 3).a, 0.9);
}

TEST(Raster, OutlineSurroundsShapesFromBehind) {
    Canvas c(12, 12);
    fill(c, sdf_box(4, 4, 8, 8), hex(0xFFD23F));
    outline(c, 2, pal::outline);
    expect_colour(c.at(5, 5), hex(0xFFD23F).r, hex(0xFFD23F).g, hex(0xFFD23F).b, 1);
    EXPECT_NEAR(c.at(3, 5).a, 1, 0.01);  // one pixel out: outline
    EXPECT_NEAR(c.at(3, 5).r, pal::outline.r, 0.01);
    EXPECT_NEAR(c.at(2, 5).a, 0.5, 0.01);  // two pixels out: the outline's soft edge
    EXPECT_NEAR(c.at(0, 5).a, 0, 0.01);    // four out: air
}

TEST(Raster, ResizingAveragesColourWeightedByAlpha) {
    Canvas c(2, 1);
    c.at(0, 0) = hex(0xFF0000, 0.5f);
    c.at(1, 0) = Color{0, 0, 0, 0};
    Canvas s = scaled(c, 1, 1);
    expect_colour(s.at(0, 0), 1, 0, 0, 0.25f);  // transparent pixels do not darken the edge
    Canvas big = scaled(c, 4, 2);
    EXPECT_EQ(big.w, 4);
    EXPECT_NEAR(big.at(0, 1).r, 1, 0.01);
    Canvas f = flipped_x(c);
    EXPECT_NEAR(f.at(1, 0).a, 0.5, 0.01);
}

TEST(Raster, NoiseAndRandomNumbersAreRepeatable) {
    Rng a(42), b(42);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(a.next(), b.next());
    Rng r(7);
    for (int i = 0; i < 1000; ++i) {
        int v = r.integer(3, 5);
        ASSERT_GE(v, 3);
        ASSERT_LE(v, 5);
        float u = r.uniform();
        ASSERT_GE(u, 0);
        ASSERT_LT(u, 1);
    }
    // Tileable noise repeats after its period, so textures join seamlessly.
    for (float x : {0.3f, 2.7f, 5.1f})
        EXPECT_NEAR(value_noise(x, 1.5f, 9, 8), value_noise(x + 8, 1.5f + 8, 9, 8), 1e-6);
    float n = fractal_noise(3.3f, 4.4f, 1, 4);
    EXPECT_GE(n, 0);
    EXPECT_LE(n, 1);
}

TEST(Raster, PngKeepsColoursAndClearsInvisiblePixels) {
    TempDir dir;
    IMG_Init(IMG_INIT_PNG);
    Canvas c(3, 1);
    c.at(0, 0) = hex(0x336699);
    c.at(1, 0) = hex(0xFF0000, 0.0f);             // invisible: stored as transparent black
    c.at(2, 0) = Color{2.0f, -1.0f, 0.5f, 0.5f};  // out of range: clamped
    std::string path = dir.path + "/a/b/image.png";
    ASSERT_TRUE(save_png(c, path));
    SurfacePtr s(IMG_Load(path.c_str()));
    ASSERT_NE(s, nullptr);
    SurfacePtr rgba(SDL_ConvertSurfaceFormat(s.get(), SDL_PIXELFORMAT_RGBA32, 0));
    const auto* px = static_cast<const Uint8*>(rgba->pixels);
    EXPECT_EQ(px[0], 0x33);
    EXPECT_EQ(px[1], 0x66);
    EXPECT_EQ(px[2], 0x99);
    EXPECT_EQ(px[3], 255);
    EXPECT_EQ(px[4] + px[5] + px[6] + px[7], 0);
    EXPECT_EQ(px[8], 255);
    EXPECT_EQ(px[9], 0);
    EXPECT_EQ(px[11], 128);
    EXPECT_NE(s->format->Amask, 0u);
    // A wholly opaque image is stored without alpha, so the game copies it without blending.
    Canvas opaque(2, 2, hex(0x6CC24A));
    ASSERT_TRUE(save_png(opaque, dir.path + "/opaque.png"));
    SurfacePtr o(IMG_Load((dir.path + "/opaque.png").c_str()));
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->format->Amask, 0u);
    std::string first = read_file(path);
    ASSERT_TRUE(save_png(c, path));
    EXPECT_EQ(read_file(path), first);
    IMG_Quit();
}
