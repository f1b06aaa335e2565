// Reading a window back from the X server.
#include "app/x_window.h"

#include <SDL_syswm.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <memory>

namespace {
// An X error on the reading connection fails the read instead of ending the program.
int x_error = 0;
int note_error(Display*, XErrorEvent* e) {
    x_error = e->error_code;
    return 0;
}
}  // namespace

std::vector<SDL_Color> x_window_pixels(SDL_Window* window, int w, int h) {
    std::vector<SDL_Color> pixels;
    SDL_SysWMinfo wm;
    SDL_VERSION(&wm.version);
    if (!SDL_GetWindowWMInfo(window, &wm) || wm.subsystem != SDL_SYSWM_X11) return pixels;
    std::unique_ptr<Display, int (*)(Display*)> x(XOpenDisplay(nullptr), XCloseDisplay);
    if (!x) return pixels;
    XSync(wm.info.x11.display, False);
    XWindowAttributes at{};
    XGetWindowAttributes(x.get(), wm.info.x11.window, &at);
    if (at.width < w || at.height < h || at.map_state != IsViewable) {
        std::printf("window %dx%d, viewable %d: cannot read %dx%d\n", at.width, at.height,
                    at.map_state == IsViewable, w, h);
        return pixels;
    }
    x_error = 0;
    auto previous = XSetErrorHandler(note_error);
    XImage* img = XGetImage(x.get(), wm.info.x11.window, 0, 0, static_cast<unsigned>(w),
                            static_cast<unsigned>(h), AllPlanes, ZPixmap);
    XSync(x.get(), False);
    XSetErrorHandler(previous);
    if (!img || x_error) {
        std::printf("XGetImage failed (error %d)\n", x_error);
        if (img) XDestroyImage(img);
        return pixels;
    }
    pixels.reserve(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x0 = 0; x0 < w; ++x0) {
            unsigned long p = XGetPixel(img, x0, y);
            pixels.push_back({static_cast<Uint8>(p >> 16), static_cast<Uint8>(p >> 8),
                              static_cast<Uint8>(p), 255});
        }
    XDestroyImage(img);
    return pixels;
}
