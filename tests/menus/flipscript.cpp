// The frame counter of the shop tests, shared with this binary.
#include "../shop/flipscript.cpp"
