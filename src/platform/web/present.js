// Presenting in the browser. The game draws into a canvas of its own that
// no page shows (the page gives it as Module.canvas); SDL_Flip copies it to
// the page's canvas. So, as on the desktop, the page shows a frame only once
// it is presented, and the main loop's passes that present nothing leave the
// page alone: the browser composites nothing new while the player stands still.
//
// Every pass locks the screen to compare its frame with the last presented
// one; the browser's SDL would also make every pixel opaque on each lock and
// unlock, which costs more than the comparison. The game's frames are opaque
// wherever it drew, so the pixels are copied as they are.
mergeInto(LibraryManager.library, {
  SDL_Flip__deps: ["$SDL"],
  SDL_Flip__postset: "SDL.defaults.opaqueFrontBuffer = false;",
  SDL_Flip: function (surf) {
    window.tessaryPage.present();
  },
});
