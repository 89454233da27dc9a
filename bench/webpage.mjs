// The browser build as a player runs it: build-web/ served on loopback and
// played in Debian's Chromium, headless, with real key events (the page's
// driver comes from tests/web, as its lock file pins it). Reports the time
// from navigation to the first title frame on the canvas, and for each
// screen the processor time of the whole browser (every Chromium process)
// over ten seconds after two to settle, as a percentage of one processor.
//
//     node bench/webpage.mjs [BUILD-WEB]   (default: build-web, already built)
import { spawn } from "child_process";
import fs from "fs";
import os from "os";
import path from "path";
import { fileURLToPath } from "url";

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "..");
const { launchChromium, PAGE_SIZE } = await import(path.join(root, "tests/web/chromium.mjs"));
const SETTLE_MS = 2000;
const MEASURE_MS = 10000;
const TICKS = 100; // clock ticks a second in /proc/PID/stat (USER_HZ)

// The processor time, in seconds, of `pid` and all its descendants.
function treeSeconds(pid) {
  const children = new Map();
  const ticks = new Map();
  for (const entry of fs.readdirSync("/proc")) {
    if (!/^\d+$/.test(entry)) continue;
    let stat;
    try { stat = fs.readFileSync("/proc/" + entry + "/stat", "utf8"); } catch { continue; }
    const fields = stat.slice(stat.lastIndexOf(")") + 2).split(" ");
    const parent = Number(fields[1]);
    if (!children.has(parent)) children.set(parent, []);
    children.get(parent).push(Number(entry));
    ticks.set(Number(entry), Number(fields[11]) + Number(fields[12]));
  }
  let total = 0;
  const todo = [pid];
  while (todo.length) {
    const next = todo.pop();
    total += ticks.get(next) || 0;
    todo.push(...(children.get(next) || []));
  }
  return total / TICKS;
}

const browser = await launchChromium();
const page = await browser.newPage(PAGE_SIZE);
// The first frame: the first animation frame whose canvas is not all black.
await page.addInitScript(() => {
  const look = () => {
    const canvas = document.getElementById("canvas");
    const context = canvas && canvas.getContext("2d");
    if (context) {
      const data = context.getImageData(0, 0, canvas.width, canvas.height).data;
      for (let i = 0; i < data.length; i += 4) {
        if (data[i] || data[i + 1] || data[i + 2]) {
          window.firstFrameMs = performance.now();
          return;
        }
      }
    }
    requestAnimationFrame(look);
  };
  requestAnimationFrame(look);
});
// The folder served as a player's ./play --web serves it, on any free port.
const server = spawn("python3", [path.join(root, "scripts/serve-web.py"),
                                 process.argv[2] || path.join(root, "build-web"), "0"]);
const address = await new Promise((resolve) =>
  server.stdout.once("data", (line) => resolve(String(line).match(/http:\S+/)[0])));
await page.goto(address);
await page.waitForFunction(() => window.firstFrameMs !== undefined, null, { timeout: 60000 });
const firstFrame = await page.evaluate(() => window.firstFrameMs);

// Chromium's own processes: the children of this process but the server.
const pids = fs.readdirSync("/proc").filter((p) => /^\d+$/.test(p)).map(Number).filter((p) => {
  if (p === server.pid) return false;
  try {
    const stat = fs.readFileSync("/proc/" + p + "/stat", "utf8");
    return Number(stat.slice(stat.lastIndexOf(")") + 2).split(" ")[1]) === process.pid;
  } catch { return false; }
});
const browserSeconds = () => pids.reduce((sum, pid) => sum + treeSeconds(pid), 0);

async function measure(name) {
  await page.waitForTimeout(SETTLE_MS);
  const before = browserSeconds();
  const start = Date.now();
  await page.waitForTimeout(MEASURE_MS);
  const share = (100 * (browserSeconds() - before)) / ((Date.now() - start) / 1000);
  console.log(name.padEnd(42) + share.toFixed(1).padStart(6) + " % of a processor");
}

console.log("Web page, " + os.cpus().length + " processors, Chromium headless (software drawing)");
console.log("Navigation to the first title frame".padEnd(42) + (firstFrame / 1000).toFixed(2).padStart(6) + " s");
await measure("Title screen");
await page.keyboard.press("Space");
await measure("Roaming, standing still");
await page.keyboard.down("ArrowDown");
await page.waitForTimeout(SETTLE_MS);
const before = browserSeconds();
const start = Date.now();
// Walking to and fro, so the held key keeps moving the hero.
for (let leg = 0; leg < 10; leg++) {
  const key = leg % 2 ? "ArrowDown" : "ArrowUp";
  await page.keyboard.up(leg % 2 ? "ArrowUp" : "ArrowDown");
  await page.keyboard.down(key);
  await page.waitForTimeout(MEASURE_MS / 10);
}
await page.keyboard.up("ArrowDown");
const walking = (100 * (browserSeconds() - before)) / ((Date.now() - start) / 1000);
console.log("Roaming, walking with a held arrow key".padEnd(42) + walking.toFixed(1).padStart(6) + " % of a processor");
await page.keyboard.press("Escape");
await measure("Character menu");
await browser.close();
server.kill();
