// The game's rules as numbers, each named once: what the map's cell codes
// mean, which way a character faces, who stands where when a floor begins,
// what the hero starts with, what a quest pays, what a potion and a level give
// and what each spell needs, costs and does. Plain C++ without SDL: the game
// and the content checker both play by these.
#pragma once

// Cell codes of a map file. Every other code is floor the player may walk on.
const char CELL_GRASS = '0'; // outdoors: a fight here is fought on the grass
const char CELL_WALL = '1';
const char CELL_OPEN_DOOR = '2'; // what a locked door becomes once a key opens it
const char CELL_WASTE = '4';     // the flagstones the Rapture lays down
const char CELL_OBSTACLE = '5';
const char CELL_STAIRS = '6'; // stepping on it climbs to the next floor
const char CELL_LOCKED_DOOR = '7';

// The codes from grass on, '0' to '7', each have a tile of their own: tile 0
// is the grass. Any other byte is drawn as tile 0 and walked on.
const int TILE_COUNT = 8;
inline int tileOf(char code) {
    return code >= CELL_GRASS && code < CELL_GRASS + TILE_COUNT ? code - CELL_GRASS : -1;
}
inline char cellOfTile(int tile) {
    return (char)(CELL_GRASS + tile);
}

// True for the codes nobody walks onto: walls and obstacles. A locked door
// blocks too, until a key turns it into an open door.
inline bool cellBlocks(char code) {
    return code == CELL_WALL || code == CELL_OBSTACLE;
}

// The floors of the tower, 0 to FLOOR_COUNT - 1.
const int FLOOR_COUNT = 6;

// Headings of a character: the column of its sprite sheet.
const int HEADING_UP = 0;
const int HEADING_LEFT = 1;
const int HEADING_DOWN = 2;
const int HEADING_RIGHT = 3;
const int HEADING_COUNT = 4;

// Character numbers: the row of the sprite sheet each one is drawn with.
const int CHARACTER_PLAYER = 0;
const int CHARACTER_QUEST_GIVER = 2;
const int CHARACTER_SHOPKEEPER = 8;
const int CHARACTER_COUNT = 10; // rows of the sprite sheet

// Icons an item record may name; the item strip draws the potions and keys
// the hero carries with these.
const int ITEM_ICON_COUNT = 14;
const int ITEM_ICON_HEAL_POTION = 0;
const int ITEM_ICON_KEY = 2;
const int ITEM_ICON_MANA_POTION = 13;

// Where the hero stands when the game begins and after every climb.
const int START_X = 25;
const int START_Y = 19;
// What the hero starts with.
const int START_GOLD = 100000;
const int START_HP = 60;
const int START_MP = 50;
const int START_HEAL_POTIONS = 2;
const int START_WEAPON_MOD = 1;
const int START_ARMOUR = 1;
// The two characters every floor gets, facing down.
const int QUEST_GIVER_X = 2;
const int QUEST_GIVER_Y = 2;
const int SHOPKEEPER_X = 5;
const int SHOPKEEPER_Y = 2;
// Gold a solved quest pays.
const int QUEST_REWARD_GOLD = 40;

// Every roll of a fight is a die of 0 to DIE_SIDES - 1. The blade hits when its
// modifier plus BLADE_BONUS plus a die beats the enemy's bare die, and does a
// die plus BLADE_BASE; the enemy hits when his die beats the armour plus a die,
// and does a bare die.
const int DIE_SIDES = 20;
const int BLADE_BONUS = 2;
const int BLADE_BASE = 1;

// What a potion gives back, never above the maximum.
const int POTION_POINTS = 15;
// Experience starts at 1; one point per victory, a level for every three.
const int EXP_PER_LEVEL = 3;
// The levels that teach a spell: Scorn & Abuse, the Messiah, the Rapture.
const int SCORN_LEVEL = 3;
const int MESSIAH_LEVEL = 6;
const int RAPTURE_LEVEL = 9;
// What each level adds to the maxima.
const int HP_PER_LEVEL = 25;
const int MP_PER_LEVEL = 10;

// A spell of the fight's menu: the least MP it is cast with, the MP it takes
// and the lowest roll of its damage or healing (a die of 0 to 19 is added).
struct SpellRule {
    int need;
    int cost;
    int base;
};
// QUIRK: Heal I is refused at 5 MP although it costs 5, and Meteor is cast
// from 20 MP although it costs 25, leaving as little as -5 MP.
const SpellRule HEAL_I = {6, 5, 0};
const SpellRule FIRE_I = {8, 8, 0};
const SpellRule MR_ZAPPY = {11, 11, 10};
const SpellRule EARTH = {15, 15, 15};
const SpellRule METEOR = {20, 25, 20};
const SpellRule HAND_OF_DEATH = {25, 25, 30};
const SpellRule FULL_HEAL = {35, 35, 0};
// The Messiah revives the dying hero with full HP; it needs and costs this.
const SpellRule MESSIAH = {10, 10, 0};
