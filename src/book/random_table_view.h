// The Random Number Table popup: the book's grid on its paper, coming in
// from above, two bars closing on the picked cell, the number shown large,
// and the table leaving. While a guided pick waits, the region guide lies
// over the grid.
#pragma once

#include "book/random_table.h"

#include <SDL/SDL.h>

#include <string>

struct RandomTableView {
    SDL_Surface* paper = nullptr;
    SDL_Surface* box = nullptr;
    SDL_Surface* guide = nullptr;
    SDL_Surface* columnBar = nullptr;
    SDL_Surface* rowBar = nullptr;
    int screenW = 0, screenH = 0;
    int side = 0; // the box's size on screen
    std::string fontName = "bluehigh";
};

bool loadRandomTableView(RandomTableView& view, int screenW, int screenH,
                         const std::string& paperName, const std::string& fontName,
                         SDL_Color barColor);
void freeRandomTableView(RandomTableView& view);
// Draws the pick at its animation step on `screen`.
void drawPick(RandomTableView& view, const RandomNumberTable& table, SDL_Surface* screen,
              int speed);
// The keypad region a key gives: keypad digits and the number row's 1-9; 0 none.
int regionForKey(SDLKey key);
