// What the tests of the shop and the character menu share: every SDL_Flip of
// the game is counted, and a test hands the player's keys to the screen one
// batch per shown frame, as a player presses a key after looking at it. This
// is also how keys reach a screen after a message box took what was queued.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <SDL.h>

#include "support/harness.h"

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

// The 16-line shop record of a good with no flags: a blade when weaponMod is
// above 0, armour when armour is.
std::string goodRecord(const std::string& name, int price, int icon, int weaponMod, int armour);

// A game whose modal screens get their keys frame by frame.
class ScreenTest : public GameTest {
  protected:
    void TearDown() override;
    // Runs `screen` with one batch of keys per shown frame and returns what it
    // printed; fails the test if the screen left before taking every batch.
    std::string play(const std::vector<std::vector<SDLKey>>& batches,
                     const std::function<void()>& screen);
    // The colour of item icon `icon`.
    Uint32 itemIcon(int icon);
    // Whether anything white (text) lies in the rectangle [x0, x1) x [y0, y1).
    bool whiteIn(int x0, int y0, int x1, int y1);
};
