// The interface pictures: the fight bar's four icons, the HUD's heart, the
// scroll arrows of the lists, the sold-out stamp and the shop picture that
// stands right of the shop's list.
#include <algorithm>
#include <cmath>

#include "art.h"
#include "font.h"
#include "items.h"
#include "palette.h"

namespace {

using Rows = std::vector<std::string>;

// Fight: two crossed swords.
Image fightIcon() {
    Blade steel = {13, STONE_LIGHT, WHITE, GOLD, WOOD, RED, 3};
    Image one = swordArt(steel);
    Image img = mirrored(one);
    img.draw(one, 0, 0);
    return img;
}

// Defend: a heater shield with a golden cross.
Image defendIcon() {
    Image img(24, 24);
    for (int y = 2; y < 23; y++) {
        float half = y < 12 ? 9.0f : 9.0f * std::sqrt(std::max(0.0f, 1 - (y - 12) / 10.5f));
        for (int x = 0; x < 24; x++) {
            float dx = x + 0.5f - 12;
            if (std::fabs(dx) > half)
                continue;
            bool rim = std::fabs(dx) > half - 1.5f || y < 4;
            bool cross = std::fabs(dx) < 1.1f || (y >= 8 && y <= 9);
            Rgba c = dx < 0 ? SEA_LIGHT : SEA;
            if (cross)
                c = GOLD;
            if (rim)
                c = dx < 0 ? STONE_PALE : STONE_LIGHT;
            img.set(x, y, c);
        }
    }
    outline(img, INK);
    return img;
}

// Magic: a staff crowned with a glowing orb and sparks.
Image magicIcon() {
    Image img(24, 24);
    for (int t = 0; t < 14; t++) {
        img.set(4 + t, 21 - t, WOOD);
        img.set(5 + t, 21 - t, WOOD_LIGHT);
    }
    img.fillEllipse(17.5f, 6.5f, 4.5f, 4.5f, PLUM_LIGHT);
    img.fillEllipse(16.8f, 5.8f, 2.5f, 2.5f, PINK);
    img.set(16, 5, WHITE);
    outline(img, INK);
    const int sparks[][2] = {{7, 4}, {21, 15}, {11, 9}};
    for (const auto& s : sparks) {
        img.set(s[0], s[1], GOLD_PALE);
        img.set(s[0] - 1, s[1], GOLD);
        img.set(s[0] + 1, s[1], GOLD);
        img.set(s[0], s[1] - 1, GOLD);
        img.set(s[0], s[1] + 1, GOLD);
    }
    return img;
}

// The HUD's heart, small enough to sit left of the HP bar.
Image heartIcon() {
    Image img(10, 10);
    // clang-format off
    const Rows rows = {
        "",
        ".rr..rr..",
        "rwrrrrRr.",
        "rwrrrrrR.",
        "rrrrrrrR.",
        ".rrrrrR..",
        "..rrrR...",
        "...rR....",
    };
    // clang-format on
    paintText(img, 0, 0, rows, {{'r', RED_LIGHT}, {'R', RED}, {'w', WHITE}});
    outline(img, INK);
    return img;
}

// The lists' scroll arrows: a golden arrow on a dark round button, small
// enough for the gap between the shop's list and its picture.
Image arrowIcon(bool up) {
    // clang-format off
    Rows rows = {
        "..iiiiii..",
        ".iddppddi.",
        "iddggggddi",
        "idggggggdi",
        "idddggdddi",
        "idddggdddi",
        "idddggdddi",
        "iddddddddi",
        ".iddddddi.",
        "..iiiiii..",
    };
    // clang-format on
    if (!up)
        rows = Rows(rows.rbegin(), rows.rend());
    Image img(10, 10);
    paintText(img, 0, 0, rows, {{'i', INK}, {'d', STONE_DARK}, {'g', GOLD}, {'p', GOLD_PALE}});
    return img;
}

// Sold out: a red stamp across the row's icon.
Image soldOutIcon() {
    Image img(24, 24);
    for (int y = 2; y < 22; y++)
        for (int x = 0; x < 24; x++)
            img.set(x, y, withAlpha(INK, 170));
    drawLabel(img, "SOLD", 0, 3, RED_LIGHT);
    drawLabel(img, "OUT", 3, 13, RED_LIGHT);
    return img;
}

// The shop: the shopkeeper behind his counter, shelves of potions and
// a rack of blades behind him, and the sign over it all.
Image shopPicture() {
    const int W = 128, H = 200;
    Image img(W, H, WOOD_DARK);
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++)
            img.set(x, y,
                    x % 16 == 0 ? shade(WOOD_DARK, -0.3f)
                                : (x % 16 < 3 ? shade(WOOD_DARK, 0.1f) : WOOD_DARK));
    // Shelves with flasks.
    const Rgba liquids[] = {RED_LIGHT, SEA_LIGHT, LEAF_LIGHT, GOLD, PLUM_LIGHT};
    for (int shelf = 0; shelf < 2; shelf++) {
        int y = 58 + shelf * 30;
        img.fillRect(4, y, W - 8, 3, WOOD_LIGHT);
        img.fillRect(4, y + 3, W - 8, 1, INK);
        for (int n = 0; n < 9; n++) {
            Image flask = potionArt(liquids[(n + shelf * 2) % 5]);
            Image small = shrunk(flask, 2);
            img.draw(small, 8 + n * 13, y - 12);
        }
    }
    // The sign.
    img.fillRect(20, 8, 88, 30, INK);
    img.fillRect(22, 10, 84, 26, WOOD_LIGHT);
    img.fillRect(22, 10, 84, 2, WOOD_PALE);
    drawLabel(img, "SHOP", 64 - labelWidth("SHOP", 2) / 2 + 1, 16, WOOD_DARK, 2);
    drawLabel(img, "SHOP", 64 - labelWidth("SHOP", 2) / 2, 15, GOLD, 2);
    // Blades for sale on the wall either side of him.
    Blade steel = {13, STONE_LIGHT, WHITE, GOLD, WOOD, RED, 3};
    img.draw(swordArt(steel), 6, 112);
    img.draw(mirrored(swordArt(steel)), W - 30, 112);
    // The shopkeeper, three times life size, behind the counter.
    Image keeper = scaled(characterArt(8, 2), 3);
    img.draw(keeper, 64 - keeper.w / 2, 92);
    // The counter with a few wares on it.
    img.fillRect(0, 148, W, 52, WOOD);
    img.fillRect(0, 146, W, 4, WOOD_PALE);
    img.fillRect(0, 150, W, 2, INK);
    for (int x = 0; x < W; x += 21)
        img.fillRect(x, 152, 2, 48, WOOD_DARK);
    Image coins(10, 6);
    coins.fillEllipse(5, 3, 5, 3, GOLD);
    coins.fillEllipse(4, 2, 2, 1, GOLD_PALE);
    img.draw(coins, 12, 140);
    img.draw(potionArt(RED_LIGHT), 96, 124);
    return img;
}

} // namespace

void drawIcons(Assets& out) {
    out.push_back({"icn/fight.png", scaled(fightIcon(), GRAIN)});
    out.push_back({"icn/defend.png", scaled(defendIcon(), GRAIN)});
    out.push_back({"icn/magick.png", scaled(magicIcon(), GRAIN)});
    out.push_back({"icn/heart.png", scaled(heartIcon(), GRAIN)});
    out.push_back({"icn/manap.png", scaled(potionArt(SEA_LIGHT), GRAIN)});
    out.push_back({"gfx/scrollup.png", scaled(arrowIcon(true), GRAIN)});
    out.push_back({"gfx/scrolldown.png", scaled(arrowIcon(false), GRAIN)});
    out.push_back({"gfx/shop.png", scaled(shopPicture(), GRAIN)});
    out.push_back({"gfx/soldout.png", scaled(soldOutIcon(), GRAIN)});
}
