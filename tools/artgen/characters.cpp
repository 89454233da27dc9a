// The ten characters of the sprite table. The people share three body
// drawings (seen from the front, the back and the left; the right is the left
// mirrored), painted in each character's colours and dressed with layers of
// their own: the hero's cape, the guard's helmet and spear, the quest giver's
// hat, beard and golden "!", the gardener's straw hat, the Hierarch's crown
// and staff, the skeleton's skull, the cultist's hood, the shopkeeper's fez,
// moustache and apron. The slime and the ghost are drawn by hand.
#include <cstdio>
#include <cstdlib>

#include "art.h"
#include "palette.h"

namespace {

using Rows = std::vector<std::string>;

// clang-format off
// Body letters: h hair, s skin, e eye, t top, b belt, p legs, g the gap
// between the legs (filled for robes), f feet; H, k, u, q are the shades of
// hair, skin, top and legs.
const Rows FRONT = {
    "", "", "", "",
    "........hhhhhhhh........",
    ".......hhhhhhhhhh.......",
    "......hhhhhhhhhhhh......",
    "......hhhhhhhhhhhh......",
    "......hhsssssssshh......",
    "......hssessssessh......",
    "......hssessssessh......",
    "......hkssssssssskh.....",
    ".......kssssssssk.......",
    ".......uttttttttu.......",
    "......tuttttttttut......",
    "......tuttttttttut......",
    "......tuttttttttut......",
    "......sbbbbbbbbbbs......",
    ".......pppppppppp.......",
    ".......pppqggqppp.......",
    ".......pppqggqppp.......",
    ".......ffffggffff.......",
};

const Rows BACK = {
    "", "", "", "",
    "........hhhhhhhh........",
    ".......hhhhhhhhhh.......",
    "......hhhhhhhhhhhh......",
    "......hhhhhhhhhhhh......",
    "......hhhhhhhhhhhh......",
    "......hhhhhhhhhhhh......",
    "......hHhhhhhhhhHh......",
    "......HhhhhhhhhhhH......",
    ".......HhhhhhhhhH.......",
    ".......uttttttttu.......",
    "......tuttttttttut......",
    "......tuttttttttut......",
    "......tuttttttttut......",
    "......sbbbbbbbbbbs......",
    ".......pppppppppp.......",
    ".......pppqggqppp.......",
    ".......pppqggqppp.......",
    ".......ffffggffff.......",
};

// Facing left: the face on the left, the hair falling at the back.
const Rows LEFT = {
    "", "", "", "",
    ".........hhhhhhh........",
    "........hhhhhhhhh.......",
    ".......hhhhhhhhhhh......",
    ".......hhhhhhhhhhh......",
    ".......ssssshhhhhh......",
    ".......sesssshhhhh......",
    "......ssesssshhhhh......",
    ".......ssssskhhhhh......",
    "........sssskHhh........",
    "........uttttttu........",
    "........tttuuttt........",
    "........tttuuttt........",
    "........tttuuttt........",
    "........bbbssbbb........",
    "........pppppppp........",
    ".........ppgqpp.........",
    ".........ppgqpp.........",
    "........fffgfff.........",
};

// clang-format on

struct Layer {
    int top;
    Rows rows;
};

struct Look {
    std::vector<Swatch> colours; // body letters and the layers' own letters
    bool robe;
    std::vector<Layer> front, back, left;
};

// The standard shades of the body colours, and the gap of a robe.
std::vector<Swatch> bodyPalette(const Look& look) {
    auto find = [&](char key) {
        for (const Swatch& s : look.colours)
            if (s.key == key)
                return s.colour;
        return CLEAR;
    };
    std::vector<Swatch> palette = look.colours;
    palette.push_back({'H', shade(find('h'), -0.3f)});
    palette.push_back({'k', shade(find('s'), -0.22f)});
    palette.push_back({'u', shade(find('t'), -0.28f)});
    palette.push_back({'q', shade(find('p'), -0.28f)});
    if (look.robe)
        palette.push_back({'g', shade(find('p'), -0.15f)});
    palette.push_back({'~', CLEAR}); // a layer's eraser
    return palette;
}

Image person(const Look& look, int view) {
    const Rows& body = view == 0 ? BACK : (view == 1 ? LEFT : FRONT);
    const std::vector<Layer>& layers = view == 0 ? look.back : (view == 1 ? look.left : look.front);
    std::vector<Swatch> palette = bodyPalette(look);
    Image img(24, 24);
    paintText(img, 0, 0, body, palette);
    for (const Layer& layer : layers)
        paintText(img, 0, layer.top, layer.rows, palette);
    outline(img, INK);
    return img;
}

// A vertical pole (a spear shaft, a mop handle) in column x, `length` rows long.
Rows pole(int x, int length, char key) {
    return Rows(length, std::string(x, '.') + key);
}

// The looks below are pictures: keep one row of art pixels per line.
// clang-format off

// Row 0: the hero, in blue with a red cape.
Look hero() {
    Look l;
    l.colours = {{'h', WOOD_LIGHT}, {'s', SKIN}, {'e', INK}, {'t', SEA_LIGHT}, {'b', WOOD_DARK},
                 {'p', SEA_DARK}, {'f', WOOD}, {'r', RED}, {'R', BLOOD}, {'y', GOLD}};
    l.robe = false;
    l.front = {{6, {"........HH..HH..H......."}},
               {13, {"......rr........rr......",
                     ".....R............R.....",
                     ".....R............R.....",
                     ".....R............R.....",
                     ".....R.....yy.....R.....",
                     ".....R............R....."}}};
    l.back = {{13, {".......rrrrrrrrrr.......",
                    ".......rrrrrrrrrr.......",
                    ".......rrrrrrrrrr.......",
                    ".......rrrrRrrrrr.......",
                    ".......rRrrrrrRrr.......",
                    "........RrrRrrRr........"}}};
    l.left = {{13, {"...............rr.......",
                    "................rR......",
                    "................rR......",
                    "................rR......",
                    ".........y......rRR.....",
                    "................RR......"}}};
    return l;
}

// Row 1: a town guard in steel, with a plumed helmet and a spear.
Look guard() {
    Look l;
    l.colours = {{'h', STONE_LIGHT}, {'s', SKIN}, {'e', INK}, {'t', STONE_LIGHT}, {'b', WOOD_DARK},
                 {'p', STONE}, {'f', STONE_DARK}, {'m', STONE_PALE}, {'w', WOOD}, {'o', RED}};
    l.robe = false;
    l.front = {{1, {"..........oooo.....m....",
                    "...........oo.....mmm...",
                    "..................mmm...",
                    "........mmmmmmmm...m...."}},
               {5, pole(19, 17, 'w')},
               {7, {"......HHHHHHHHHHHH......"}},
               {14, {"..........mm.........."}},
               {15, {"..................s....."}}};
    l.back = {{1, {"..........oooo..........",
                   "....m......oo...........",
                   "...mmm..................",
                   "...mmm..mmmmmmmm........"}},
              {5, pole(4, 17, 'w')},
              {7, {"......HHHHHHHHHHHH......"}},
              {15, {".....s.................."}}};
    l.left = {{1, {"...........oooo.........",
                   "..m..........ooo........",
                   ".mmm....................",
                   ".mmm.....mmmmmmm........"}},
              {5, pole(2, 17, 'w')},
              {7, {".......HHHHHHHHHHH......"}},
              {14, {"..........ss..........."}}};
    return l;
}

// Row 2: the quest giver, an old sage in purple with a golden "!" beside him.
Look questGiver() {
    Look l;
    l.colours = {{'h', WHITE}, {'s', SKIN}, {'e', INK}, {'t', PLUM}, {'b', GOLD}, {'p', PLUM},
                 {'f', PLUM_DARK}, {'a', PLUM_LIGHT}, {'y', GOLD}, {'Y', GOLD_PALE}, {'x', WHITE},
                 {'X', STONE_PALE}};
    l.robe = true;
    l.front = {{0, {"..YY........aa..........",
                    "..Yy.......aaa..........",
                    "..yy......aaaa..........",
                    "..yy.....aaaaaa.........",
                    "........aaaaaaaa........",
                    "..yy...yyyyyyyyyy.......",
                    ".....aaaaaaaaaaaaaa....."}},
               {11, {"........xxxxxxxx........",
                     ".......xxxxxxxxxx.......",
                     ".......xXxxxxxxXx.......",
                     "........xxxxxxxx........",
                     ".........xXxxXx.........",
                     "..........xxxx..........",
                     "...........xx..........."}},
               {21, {".......ffffffffff......."}}};
    return l;
}

// Row 3: a grumpy gardener under a wide straw hat.
Look gardener() {
    Look l;
    l.colours = {{'h', STONE_PALE}, {'s', SKIN}, {'e', INK}, {'t', LEAF}, {'b', WOOD},
                 {'p', WOOD_DARK}, {'f', WOOD_DARK}, {'z', GOLD_PALE}, {'Z', SAND_SHADE}, {'o', RED}};
    l.robe = false;
    Rows hat = {".........zzzzzz.........",
                "........zzzzzzzz........",
                "........oooooooo........",
                "...zzzzzzzzzzzzzzzzzz...",
                "....ZZZZZZZZZZZZZZZZ...."};
    l.front = {{2, hat},
               {8, {".........HH..HH........."}},
               {13, {"........b......b........"}}};
    l.back = {{2, hat}};
    l.left = {{2, {"..........zzzzzz........",
                   ".........zzzzzzzz.......",
                   ".........oooooooo.......",
                   "...zzzzzzzzzzzzzzzzzz...",
                   "....ZZZZZZZZZZZZZZZZ...."}},
              {8, {"........H..............."}}};
    return l;
}

// Row 5: the Hierarch of the Red Hood, the boss: a blood-red hood under a
// golden crown, a plum robe with a golden seam, and a staff with a burning orb.
Look hierarch() {
    Look l;
    l.colours = {{'h', BLOOD}, {'s', rgb(0x2b1f33)}, {'e', ORANGE}, {'t', PLUM_DARK},
                 {'b', GOLD}, {'p', PLUM_DARK}, {'f', INK}, {'y', GOLD}, {'w', WOOD_DARK},
                 {'o', ORANGE}};
    l.robe = true;
    Rows crown = {"........y.y..y.y........",
                  "........yyyyyyyy........"};
    Rows hem = {".......yyyyyyyyyy......."};
    l.front = {{0, crown},
               {2, {"....................oo..",
                    "...................oooo.",
                    "....................oo.."}},
               {5, pole(20, 17, 'w')},
               {8, {"........HHHHHHHH........"}},
               {14, {"...........yy...........",
                     "...........yy...........",
                     "...........yy...........",
                     "...........yy...........",
                     "...........yy...........",
                     "...........yy..........."}},
               {21, hem}};
    l.back = {{0, crown}, {5, pole(3, 17, 'w')}, {21, hem}};
    l.left = {{0, {"........y.y.y.y.........",
                   "........yyyyyyy........."}},
              {3, {"...oo...................",
                   "..oooo..................",
                   "...oo..................."}},
              {6, pole(3, 16, 'w')},
              {8, {".......HHHHH............",
                   ".......~................"}},
              {21, {"........ggggggg........."}}};
    return l;
}

// Row 6: a skeleton in a tattered dark tunic.
Look skeleton() {
    Look l;
    l.colours = {{'h', BONE}, {'s', BONE}, {'e', INK}, {'t', STONE_DARK}, {'b', WOOD_DARK},
                 {'p', BONE}, {'f', BONE_SHADE}};
    l.robe = false;
    Rows hem = {"......s.t.t.t.t.s......."};
    Rows legs = {".......~pp~..~pp~.......",
                 ".......~pp~..~pp~......."};
    l.front = {{9, {"........ee....ee........",
                    "........ee....ee........",
                    "...........ee...........",
                    "........eseseses........"}},
               {17, hem},
               {19, legs}};
    l.back = {{17, hem}, {19, legs}};
    l.left = {{9, {".......ee...............",
                   ".......ee...............",
                   "......s.................",
                   "........eses............"}},
              {19, {".........p~~.p..........",
                    ".........p~~.p.........."}}};
    return l;
}

// Row 7: a hooded cultist in red; only the eyes glow in the hood's shadow.
Look cultist() {
    Look l;
    l.colours = {{'h', RED}, {'s', rgb(0x2b1f33)}, {'e', GOLD}, {'t', RED}, {'b', GOLD},
                 {'p', RED}, {'f', INK}, {'y', GOLD}};
    l.robe = true;
    Rows peak = {"...........hh..........."};
    Rows hem = {".......gggggggggg......."};
    l.front = {{3, peak},
               {8, {"........HHHHHHHH........"}},
               {15, {"...........yy..........."}},
               {21, hem}};
    l.back = {{3, peak}, {21, hem}};
    l.left = {{3, {"............hh.........."}},
              {8, {".......HHHHH............",
                   ".......~................"}},
              {21, {"........ggggggg........."}}};
    return l;
}

// Row 8: the shopkeeper, in a red fez, a yellow shirt and a brown apron.
Look shopkeeper() {
    Look l;
    const Rgba hair = rgb(0x2e2430);
    l.colours = {{'h', hair}, {'s', SKIN}, {'e', INK}, {'t', GOLD}, {'b', WOOD_DARK},
                 {'p', WOOD_DARK}, {'f', INK}, {'c', RED}, {'C', BLOOD}, {'y', GOLD_PALE},
                 {'x', hair}, {'a', WOOD_LIGHT}, {'A', WOOD}};
    l.robe = false;
    Rows fez = {"..........cccc.y........",
                ".........cccccc.y.......",
                ".........cccccc.........",
                "........CCCCCCCC........"};
    l.front = {{3, fez},
               {11, {".........xxxxxx.........",
                     "........xx....xx........"}},
               {13, {"........a......a........",
                     "........aaaaaaaa........",
                     "........aaaaaaaa........",
                     "........aaaaaaaa........",
                     "........aaaaaaaa........",
                     "........aaAAAAaa........",
                     "........aaaaaaaa........",
                     "........aaaaaaaa........"}}};
    l.back = {{3, fez},
              {17, {"..........aaaa.........."}}};
    l.left = {{3, {"...........cccc.y.......",
                   "..........cccccc.y......",
                   "..........cccccc........",
                   ".........CCCCCCCC......."}},
              {11, {"......xxx...............",
                    "......x................."}},
              {14, {"........a...............",
                    "........a...............",
                    "........a...............",
                    "........aaa.............",
                    "........aaa.............",
                    "........aAa.............",
                    "........aaa............."}}};
    return l;
}

// clang-format on

// Row 4: a slime, a teal blob with a shine and a wide grin.
Image slime() {
    Image img(24, 24);
    for (int y = 8; y < 22; y++) {
        for (int x = 2; x < 22; x++) {
            float dx = (x + 0.5f - 12) / 9.5f, dy = (y + 0.5f - 21) / 12.0f;
            float top = (y + 0.5f - 21);
            if (dx * dx + dy * dy > 1 || top > 0)
                continue;
            float light = 1 - (dx + 0.6f) * (dx + 0.6f) - (dy + 0.7f) * (dy + 0.7f);
            Rgba c = light > 0.55f ? TEAL_LIGHT : (light > -0.1f ? TEAL : shade(TEAL, -0.35f));
            img.set(x, y, c);
        }
    }
    img.set(11, 8, TEAL_LIGHT);
    img.fillRect(6, 12, 2, 3, WHITE);
    img.set(8, 12, WHITE);
    img.fillRect(8, 15, 2, 3, INK);
    img.fillRect(14, 15, 2, 3, INK);
    img.set(8, 15, WHITE);
    img.set(14, 15, WHITE);
    img.fillRect(10, 19, 4, 1, INK);
    img.set(9, 18, INK);
    img.set(14, 18, INK);
    outline(img, INK);
    return img;
}

// Row 9: a ghost, a floating sheet with a ragged hem.
Image ghost() {
    Image img(24, 24);
    for (int y = 3; y < 21; y++) {
        for (int x = 4; x < 20; x++) {
            float dx = (x + 0.5f - 12) / 7.5f, dy = (y + 0.5f - 10) / 7.0f;
            bool head = dx * dx + dy * dy <= 1 && y < 11;
            bool sheet = y >= 10 && x >= 5 + (y - 10) / 5 - 1 && x <= 18 - (y - 10) / 5 + 1;
            int wave = (x + 1) % 4 < 2 ? 19 : 20;
            if (!(head || sheet) || y > wave)
                continue;
            Rgba c = x > 14 ? mix(WHITE, SKY, 0.45f) : (x < 7 ? WHITE : mix(WHITE, SKY, 0.15f));
            img.set(x, y, withAlpha(c, 230));
        }
    }
    img.fillRect(8, 8, 2, 3, SEA_DARK);
    img.fillRect(13, 8, 2, 3, SEA_DARK);
    img.fillEllipse(11.5f, 13.5f, 1.6f, 2.0f, SEA_DARK);
    img.set(5, 14, WHITE);
    img.set(19, 14, mix(WHITE, SKY, 0.45f));
    outline(img, SEA_DARK);
    return img;
}

} // namespace

Image characterArt(int row, int heading) {
    if (row == 4)
        return slime();
    if (row == 9)
        return ghost();
    Look looks[] = {hero(),     guard(),    questGiver(), gardener(),  Look(),
                    hierarch(), skeleton(), cultist(),    shopkeeper()};
    const Look& look = looks[row];
    // Headings: 0 up (the back), 1 left, 2 down (the front), 3 right.
    if (heading == 3)
        return mirrored(person(look, 1));
    return person(look, heading);
}

void drawCharacters(Assets& out) {
    // The folder of each row and whether it has one picture for every heading.
    struct Row {
        const char* folder;
        int files;
    };
    const Row rows[10] = {{"pc", 4},   {"npc0", 4}, {"npc1", 1}, {"npc2", 4}, {"npc4", 1},
                          {"npc5", 4}, {"npc3", 4}, {"npc6", 4}, {"npc7", 4}, {"npc8", 1}};
    for (int r = 0; r < 10; r++) {
        for (int h = 0; h < rows[r].files; h++) {
            // One-picture rows face the player.
            Image art = characterArt(r, rows[r].files == 1 ? 2 : h);
            out.push_back(
                {std::string("gfx/sprites/") + rows[r].folder + "/" + std::to_string(h) + ".png",
                 scaled(art, GRAIN)});
        }
    }
}
