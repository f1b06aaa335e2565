// For the runs of the real program: looks at its window as a person does, to tell when the next
// screen has come. A look reads the window from the X server and shrinks it to 200 × 120 pixels
// (each the mean of its block); looks are compared by the share of their pixels that differ by
// more than a tenth in some colour. Looking several times a second from one process costs a few
// milliseconds a look, where starting an image program for every look costs far more on a busy
// machine, and slows the game being waited for.
//
//     mivo_look grab WINDOW SMALL.rgb
//         writes the window's small picture to SMALL.rgb (raw RGB bytes);
//     mivo_look wait WINDOW GAME_PID LAST.rgb SHOT.png CHANGE MOTION DIMMEST BRIGHTEST
//         waits, two minutes at most, for the next screen, looking four times a second:
//         - the window differs from LAST.rgb (when that file exists) by at least CHANGE
//           thousandths of its pixels;
//         - it has stopped fading: two looks between which the game drew a frame (the X server's
//           DAMAGE reports tell, and so does any change in the picture) differ by at most
//           MOTION thousandths of their pixels (animated screens move a little) and by at most
//           10 thousandths in brightness (a fade moves the whole picture). A game slowed down by
//           a busy machine, or busy loading, has not stopped because it drew nothing;
//         - its mean brightness lies within DIMMEST … BRIGHTEST thousandths (black moments
//           between screens are not screens).
//         A MOTION of "still" asks for a screen where nothing moves at all (no pixel changes by
//         more than 3 of 255), so that a slow fade on a dark screen is not taken for it. The
//         screen's small picture then replaces LAST.rgb and the window is saved whole as
//         SHOT.png; when the screen does not come, SHOT.png shows what the window showed instead.
//
// WINDOW is an X window id as xdotool gives it. Exits with 0 when done, 1 when the window could
// not be read or the screen did not come, 2 when the game ended. With MIVO_LOOK_TRACE set, every
// look's measures go to standard error, for tuning a screen's thresholds.
#include <SDL.h>
#include <SDL_image.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {
constexpr int small_w = 200, small_h = 120;
constexpr int a_tenth = 25;  // of 255
constexpr int a_trace = 3;   // of 255: what rounding leaves between two pictures of one frame
constexpr int fading = 10;   // thousandths of brightness that two looks at a settled screen keep
using Picture = std::vector<unsigned char>;

int x_error = 0;
int note_error(Display*, XErrorEvent* e) {
    x_error = e->error_code;
    return 0;
}

struct ImageFree {
    void operator()(XImage* image) const { XDestroyImage(image); }
};
using Image = std::unique_ptr<XImage, ImageFree>;

// The whole window; null when it cannot be read.
Image read_window(Display* x, Window window) {
    XWindowAttributes at{};
    x_error = 0;
    if (!XGetWindowAttributes(x, window, &at) || at.map_state != IsViewable || at.width < small_w ||
        at.height < small_h)
        return nullptr;
    Image img(XGetImage(x, window, 0, 0, static_cast<unsigned>(at.width),
                        static_cast<unsigned>(at.height), AllPlanes, ZPixmap));
    XSync(x, False);
    if (x_error) return nullptr;
    return img;
}

Picture shrink(XImage* img) {
    Picture out(3 * small_w * small_h);
    for (int j = 0; j < small_h; ++j) {
        int y0 = j * img->height / small_h, y1 = (j + 1) * img->height / small_h;
        for (int i = 0; i < small_w; ++i) {
            int x0 = i * img->width / small_w, x1 = (i + 1) * img->width / small_w;
            long r = 0, g = 0, b = 0;
            for (int y = y0; y < y1; ++y) {
                for (int px = x0; px < x1; ++px) {
                    unsigned long p = XGetPixel(img, px, y);
                    r += (p >> 16) & 0xFF, g += (p >> 8) & 0xFF, b += p & 0xFF;
                }
            }
            long n = static_cast<long>(y1 - y0) * (x1 - x0);
            unsigned char* o = &out[3 * (static_cast<size_t>(j) * small_w + i)];
            o[0] = static_cast<unsigned char>(r / n);
            o[1] = static_cast<unsigned char>(g / n);
            o[2] = static_cast<unsigned char>(b / n);
        }
    }
    return out;
}

// Mean brightness, in thousandths.
int brightness(const Picture& p) {
    double light = 0;
    for (size_t i = 0; i < p.size(); i += 3)
        light += 0.2126 * p[i] + 0.7152 * p[i + 1] + 0.0722 * p[i + 2];
    return static_cast<int>(light * 1000 / (255.0 * small_w * small_h));
}

// Thousandths of the pixels that differ by more than a tenth in some colour; all of them when
// either picture is missing.
int differing(const Picture& a, const Picture& b, int by = a_tenth) {
    if (a.size() != b.size() || a.empty()) return 1000;
    int n = 0;
    for (size_t p = 0; p < a.size(); p += 3) {
        int d = 0;
        for (size_t c = p; c < p + 3; ++c) d = std::max(d, std::abs(a[c] - b[c]));
        n += d > by;
    }
    return static_cast<int>(1000L * n / (small_w * small_h));
}

Picture read_file(const char* file) {
    std::ifstream in(file, std::ios::binary);
    return Picture((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void write_file(const char* file, const Picture& p) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(p.data()), static_cast<std::streamsize>(p.size()));
}

void save_png(XImage* img, const char* file) {
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> s(
        SDL_CreateRGBSurfaceWithFormat(0, img->width, img->height, 32, SDL_PIXELFORMAT_RGB888),
        SDL_FreeSurface);
    if (!s) return;
    for (int y = 0; y < img->height; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
        for (int px = 0; px < img->width; ++px)
            row[px] = static_cast<Uint32>(XGetPixel(img, px, y) & 0xFFFFFF);
    }
    IMG_SavePNG(s.get(), file);
}

// Whether the game drew to its window: the X server reports drawing to a watched window.
class Frames {
  public:
    Frames(Display* x, Window window) : x_(x) {
        int error = 0;
        if (XDamageQueryExtension(x, &event_, &error))
            damage_ = XDamageCreate(x, window, XDamageReportNonEmpty);
    }
    ~Frames() {
        if (damage_) XDamageDestroy(x_, damage_);
    }
    bool watching() const { return damage_ != 0; }
    // Whether the window was drawn to since the last look.
    bool drawn() {
        XSync(x_, False);
        bool any = false;
        while (XPending(x_)) {
            XEvent e;
            XNextEvent(x_, &e);
            any = any || e.type == event_ + XDamageNotify;
        }
        return any;
    }
    // A look was taken: drawing from now on is new.
    void looked() {
        XDamageSubtract(x_, damage_, None, None);
        drawn();
    }

  private:
    Display* x_;
    int event_ = 0;
    Damage damage_ = 0;
};

int wait_for_screen(Display* x, Window window, pid_t game, char** arg) {
    const char *last_file = arg[0], *shot = arg[1];
    bool still = std::string(arg[3]) == "still";
    int change = std::atoi(arg[2]), motion = still ? 0 : std::atoi(arg[3]);
    int dimmest = std::atoi(arg[4]), brightest = std::atoi(arg[5]);
    Picture last = read_file(last_file), before;
    Frames frames(x, window);
    if (!frames.watching()) {
        std::printf("the X server does not report drawing (no DAMAGE extension)\n");
        return 1;
    }
    int looks = 0, idle = 0;
    char measures[128] = "none";
    auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (std::chrono::steady_clock::now() < give_up) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        if (kill(game, 0) != 0) return 2;
        bool drawn = frames.drawn();
        Image img = read_window(x, window);
        frames.looked();
        if (!img) continue;
        Picture now = shrink(img.get());
        // Only a look after a new frame tells anything: the X server reports drawing, and a
        // picture that changed was drawn too (the report has been seen to stop coming).
        if (!before.empty() && !drawn && differing(before, now, 0) == 0) {
            ++idle;
            continue;
        }
        ++looks;
        int light = brightness(now);
        std::snprintf(measures, sizeof measures,
                      "brightness %d (%+d), changed %d, moved %d (%d finely)", light,
                      before.empty() ? 0 : light - brightness(before),
                      last.empty() ? -1 : differing(last, now), differing(before, now),
                      differing(before, now, a_trace));
        if (std::getenv("MIVO_LOOK_TRACE")) std::fprintf(stderr, "look: %s\n", measures);
        if (light < dimmest || light > brightest ||
            (!last.empty() && differing(last, now) < change)) {
            before.clear();
            continue;
        }
        // A fade moves the whole picture's brightness; an animation moves a few things about.
        bool settled = differing(before, now, still ? a_trace : a_tenth) <= motion &&
                       std::abs(light - brightness(before)) <= fading;
        if (settled) {
            write_file(last_file, now);
            save_png(img.get(), shot);
            return 0;
        }
        before = std::move(now);
    }
    std::printf("%d looks, %d more while the game drew nothing; the last look: %s\n", looks, idle,
                measures);
    Image img = read_window(x, window);
    if (img) save_png(img.get(), shot);  // what the window showed instead
    return 1;
}
}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (!((command == "grab" && argc == 4) || (command == "wait" && argc == 10))) {
        std::printf(
            "usage: mivo_look grab WINDOW SMALL.rgb\n"
            "       mivo_look wait WINDOW GAME_PID LAST.rgb SHOT.png CHANGE MOTION DIMMEST "
            "BRIGHTEST\n");
        return 1;
    }
    std::unique_ptr<Display, int (*)(Display*)> x(XOpenDisplay(nullptr), XCloseDisplay);
    if (!x) {
        std::printf("no X display\n");
        return 1;
    }
    XSetErrorHandler(note_error);
    auto window = static_cast<Window>(std::strtoul(argv[2], nullptr, 0));
    if (command == "wait")
        return wait_for_screen(x.get(), window, static_cast<pid_t>(std::atol(argv[3])), argv + 4);
    Image img = read_window(x.get(), window);
    if (!img) return 1;
    write_file(argv[3], shrink(img.get()));
    return 0;
}
