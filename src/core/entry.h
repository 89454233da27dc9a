// The game's entry function, called once by the platform's launcher.
#pragma once

extern "C" int SDL_main(int argc, char** argv);
