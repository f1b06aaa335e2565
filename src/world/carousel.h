// The level selection's carousel: cards at a horizontal offset from the window's centre, drawn
// largest in the middle and shrinking sideways, and the clicks that hit them.
#pragma once
#include <SDL.h>

// A card (back) and its label (front) at horizontal offset x from the window centre; a label
// wider than the card's inside is narrowed to fit, keeping its proportions.
void draw_carousel_pair(SDL_Texture* front, SDL_Texture* back, int x, int y, double s);
// True for a mouse press strictly inside the rectangle draw_carousel_pair gives the texture
// (the level selection asks with the card).
bool carousel_hit(const SDL_Event& event, SDL_Texture* front, int x, int y, double s);
// The rectangle draw_carousel_pair gives a texture; false when x is at or beyond half the width.
bool carousel_rect(SDL_Texture* tex, int x, int y, double s, SDL_Rect* out);
