// Owning handles for every SDL, SDL_image, SDL_ttf and SDL_mixer resource: a forgotten release
// becomes harmless instead of a leak, and a null handle stands for a missing file.
#pragma once
#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

#include <memory>

// The drawing code keeps stretched copies of some textures (app/stretched_copies): a texture
// takes them along when it goes.
void forget_stretched_copies(SDL_Texture* tex);

struct SdlDeleter {
    void operator()(SDL_Window* p) const { SDL_DestroyWindow(p); }
    void operator()(SDL_Renderer* p) const { SDL_DestroyRenderer(p); }
    void operator()(SDL_Texture* p) const {
        forget_stretched_copies(p);
        SDL_DestroyTexture(p);
    }
    void operator()(SDL_Surface* p) const { SDL_FreeSurface(p); }
    void operator()(TTF_Font* p) const { TTF_CloseFont(p); }
    void operator()(Mix_Chunk* p) const { Mix_FreeChunk(p); }
    void operator()(Mix_Music* p) const { Mix_FreeMusic(p); }
    void operator()(SDL_GameController* p) const { SDL_GameControllerClose(p); }
};

using WindowPtr = std::unique_ptr<SDL_Window, SdlDeleter>;
using RendererPtr = std::unique_ptr<SDL_Renderer, SdlDeleter>;
using TexturePtr = std::unique_ptr<SDL_Texture, SdlDeleter>;
using SurfacePtr = std::unique_ptr<SDL_Surface, SdlDeleter>;
using FontPtr = std::unique_ptr<TTF_Font, SdlDeleter>;
using ChunkPtr = std::unique_ptr<Mix_Chunk, SdlDeleter>;
using MusicPtr = std::unique_ptr<Mix_Music, SdlDeleter>;
using GameControllerPtr = std::unique_ptr<SDL_GameController, SdlDeleter>;
