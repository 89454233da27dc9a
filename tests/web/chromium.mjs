// chromium.mjs: Debian's Chromium, headless, as the page's check (drive.mjs)
// and its benchmark (bench/webpage.mjs) open it, and the size of their page.
import { chromium } from "playwright-core";

export const PAGE_SIZE = { viewport: { width: 800, height: 900 } };

export function launchChromium() {
  return chromium.launch({
    executablePath: "/usr/bin/chromium",
    // As root Chromium needs --no-sandbox; the rest keep it from reaching out.
    args: [
      "--no-sandbox",
      "--disable-gpu",
      "--disable-quic",
      "--no-first-run",
      "--disable-background-networking",
      "--disable-component-update",
      "--disable-sync",
    ],
  });
}
