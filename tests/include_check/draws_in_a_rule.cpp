// Not compiled: the include check must reject this file.
#include <SDL/SDL.h>

int drawsInARule() { return SDL_WasInit(0); }
