// The game's one palette: every picture is painted from these colours (and
// mixes of them), which keeps the tiles, characters and scenes of a piece.
#pragma once

#include "image.h"

const Rgba INK = rgb(0x1e1a2b); // outlines
const Rgba NIGHT = rgb(0x141225);
const Rgba WHITE = rgb(0xf4f1e6);

const Rgba STONE_DARK = rgb(0x3d3f5a);
const Rgba STONE = rgb(0x5f6380);
const Rgba STONE_LIGHT = rgb(0x8d91ab);
const Rgba STONE_PALE = rgb(0xb9bccf);

const Rgba WOOD_DARK = rgb(0x4a2f2a);
const Rgba WOOD = rgb(0x7a4b34);
const Rgba WOOD_LIGHT = rgb(0xa86d46);
const Rgba WOOD_PALE = rgb(0xd19a66);

const Rgba SAND = rgb(0xcdb792);
const Rgba SAND_SHADE = rgb(0xa38d6d);

const Rgba LEAF_DARK = rgb(0x25503a);
const Rgba LEAF = rgb(0x3b7d47);
const Rgba LEAF_LIGHT = rgb(0x5fae55);
const Rgba LEAF_PALE = rgb(0x9bd46a);

const Rgba SEA_DARK = rgb(0x23325e);
const Rgba SEA = rgb(0x335ea8);
const Rgba SEA_LIGHT = rgb(0x4f8fd8);
const Rgba SKY = rgb(0x8cc4f0);

const Rgba BLOOD = rgb(0x6e1f2e);
const Rgba RED = rgb(0xb8323b);
const Rgba RED_LIGHT = rgb(0xe5574a);
const Rgba ORANGE = rgb(0xe8862e);
const Rgba GOLD = rgb(0xf2c14b);
const Rgba GOLD_PALE = rgb(0xfbe8a0);

const Rgba PLUM_DARK = rgb(0x3d2352);
const Rgba PLUM = rgb(0x6b3c8c);
const Rgba PLUM_LIGHT = rgb(0x9d6cc4);

const Rgba TEAL = rgb(0x2f9c9a);
const Rgba TEAL_LIGHT = rgb(0x68d4c3);
const Rgba PINK = rgb(0xe98aa8);

const Rgba SKIN = rgb(0xf0b88e);
const Rgba SKIN_SHADE = rgb(0xc98763);
const Rgba BONE = rgb(0xe6dcc2);
const Rgba BONE_SHADE = rgb(0xb3a78c);
