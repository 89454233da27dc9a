// Frames as the player sees them: every SDL_Flip of the game is counted, and
// a test can hand the player's keys to the screen one batch per shown frame,
// the way a player presses a key after looking at the screen. The modal
// screens wait on SDL's queue, so this is also how keys reach a screen after
// a message box has taken what was queued before it.
#pragma once

#include <functional>
#include <vector>

#include <SDL.h>

// Batch i is pushed right after the i-th flip from now (0 = the first); once
// the script is played out, every further flip gets an Escape.
void keysOnFlips(const std::vector<std::vector<SDLKey>>& batches);
// Call when the screen has returned: drops the Escape the last frame got.
void endScript();
// Called with the screen after every flip, before that flip's batch is pushed.
void onEveryFlip(std::function<void(int flip, SDL_Surface* screen)> watcher);
// Flips since the last keysOnFlips or resetFlips.
int flipsSeen();
// Batches not pushed yet (0 once the screen has seen every key).
int batchesLeft();
// Forgets the script, the watcher and the count.
void resetFlips();
