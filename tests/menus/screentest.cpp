// The shared helpers of the shop tests, built into this test program too.
#include "../shop/screentest.cpp"
