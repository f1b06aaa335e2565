// Turning files of the resource tree into textures, and the renderer handshake that lets a
// loading screen animate on its own thread while the main thread loads: the two threads take
// turns with the renderer, one frame of the loading screen fitting between two loads.
#pragma once
#include <SDL.h>
#include <SDL_ttf.h>

#include <functional>
#include <string>

#include "app/sdl_handles.h"

// Main thread: waits until the loading screen has finished the frame it is drawing, then holds
// the renderer. While it waits, the loading screen starts no new frame.
void renderer_acquire();
// Main thread: done with the renderer; the loading screen may draw its next frame.
void renderer_release();
// Loading thread: claims the renderer for one frame when the main thread neither asks for it nor
// holds it, without waiting. The check and the claim form one step with respect to
// renderer_acquire.
bool loader_frame_begin();
// Loading thread: waits for the next frame's turn and claims it (true), or returns false once the
// main thread has stopped the frames.
bool loader_frame_wait();
// Loading thread: the frame is drawn.
void loader_frame_end();
// Main thread: the loading screen draws no more frames; a waiting loader_frame_wait returns false.
void loader_stop_frames();

// A loading screen's thread draws with the one renderer, which must move with it: pending drawing
// is flushed before a thread lets go, and with an OpenGL renderer its context, current on one
// thread at a time, is unbound by the thread letting go and bound by the thread taking over.
// Main thread, before the loading thread starts: the renderer leaves the main thread.
void renderer_handover_begin();
// Main thread, once the loading thread has ended: the renderer is the main thread's again.
void renderer_handover_end();
// The calling thread takes the renderer / lets go of it. Only for the loading thread's own set-up
// and clean-up, while the main thread waits for it; no-ops outside a hand-over.
void renderer_take();
void renderer_hand_off();
// Forgets every handshake flag, as at program start (tests).
void renderer_handshake_reset();
// Tests run code on the main thread each time renderer_acquire finds a frame being drawn and has
// to wait for it. nullptr removes it.
void set_renderer_wait_hook(std::function<void()> hook);

// The font "ressources/fonts/<file>" at the size; null when it cannot be opened.
FontPtr open_font(const std::string& file, int size);

// "ressources/" + relative path. A path longer than the loaders accept loads nothing.
TexturePtr load_texture(const std::string& relative);
// Row y of a surface of 32-bit pixels.
inline Uint32* surface_row(SDL_Surface* s, int y) {
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) +
                                     static_cast<size_t>(y) * s->pitch);
}
// The image darkened as a colour modulation by `dim` (0 … 255) would darken it, done once.
TexturePtr load_texture_dimmed(const std::string& relative, Uint8 dim);
// "ressources/" + folder + "/" + file.
TexturePtr load_texture_in(const std::string& folder, const std::string& file);
// "ressources/textures/theme_<theme>/<category>/<code>.<ext>".
TexturePtr load_theme_texture(const std::string& theme, const std::string& category, char code,
                              const std::string& ext);
// An opaque black texture (black_veil_width × black_veil_height), drawn over the window by
// draw_fullscreen as a veil for fades.
TexturePtr make_black_texture();
// The UTF-8 text rendered in the font and colour; null for an empty text or a missing font.
TexturePtr make_text_texture(TTF_Font* font, const std::string& text, SDL_Color color);

// Paths of the loaders, at most 59 characters as the source folder writes them ("ressources/"
// + relative path; longer ones are refused), wherever the game is installed.
constexpr size_t max_texture_path = 59;
