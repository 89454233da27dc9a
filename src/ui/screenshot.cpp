// The screenshot file: the whole screen as a BMP, replacing the last one only
// once the new one is written whole.
#include "core/game.h"
#include "core/replacement.h"
#include "platform/platform.h"

void CGame::saveScreenshot() {
    FileReplacement out("screenshot.bmp");
    out.commit(out.file && writeBmp(screen, out.file));
}
