// Shared by the shop and character menu tests: every SDL_Flip is counted and
// the player's keys reach the screen one batch per shown frame.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <SDL.h>

#include "support/harness.h"

// Called with the flip number after every flip, before its batch is pushed.
void onEveryFlip(std::function<void(int flip, SDL_Surface* screen)> watcher);
int flipsSeen();

// The 16-line shop record of a good with no flags.
std::string goodRecord(const std::string& name, int price, int icon, int weaponMod, int armour);

class ScreenTest : public GameTest {
  protected:
    void TearDown() override;
    // Runs `screen` with batch i pushed after flip i (Escape once played out);
    // returns stdout and fails if a batch was left untaken.
    std::string play(const std::vector<std::vector<SDLKey>>& batches,
                     const std::function<void()>& screen);
    Uint32 itemIcon(int icon);
    // Whether any white (text) lies in [x0, x1) x [y0, y1).
    bool whiteIn(int x0, int y0, int x1, int y1);
};
