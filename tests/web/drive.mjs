// drive.mjs URL STEPS-JSON OUT-JSON: plays the steps in the page at URL in
// Debian's Chromium, headless, with real key events, and writes what the
// page showed: its log, the first roaming frame's canvas pixels, the
// downloads it offered. Any step the page does not answer fails the run.
import fs from "fs";
import { launchChromium, PAGE_SIZE } from "./chromium.mjs";

const [url, stepsFile, outFile] = process.argv.slice(2);
const steps = JSON.parse(fs.readFileSync(stepsFile, "utf8"));
const slow = Number(process.env.TESSARY_E2E_SLOW || "1");
const TIMEOUT = 20000 * slow;

const browser = await launchChromium();
const result = { log: [], frame: null, downloads: {}, ended: null, failure: null };
let page = null;
try {
  page = await browser.newPage(PAGE_SIZE);
  page.on("pageerror", (error) => result.log.push({ stream: "pageerror", text: error.message }));
  await page.goto(url);
  const log = () => page.evaluate(() => window.tessaryLog.slice());
  const outLines = async () => (await log()).filter((l) => l.stream === "stdout").map((l) => l.text);
  let cursor = 0;
  // Waits for lines past the cursor that equal each of `wanted` in turn.
  async function expect(wanted, timeout) {
    for (const line of wanted) {
      const deadline = Date.now() + timeout;
      for (;;) {
        const lines = await outLines();
        const at = lines.indexOf(line, cursor);
        if (at >= 0) {
          cursor = at + 1;
          break;
        }
        if (Date.now() > deadline) throw new Error("the page's log has no line " + JSON.stringify(line));
        await page.waitForTimeout(50);
      }
    }
  }
  await expect(["Fonts loaded. OK"], TIMEOUT);
  for (const step of steps) {
    if (step.press) {
      // A screen not yet up loses a key: the title is pressed again.
      for (let tries = step.retry ? 5 : 1; ; tries--) {
        await page.keyboard.press(step.press);
        try {
          await expect(step.until || [], tries > 1 ? 3000 : TIMEOUT);
          break;
        } catch (error) {
          if (tries <= 1) throw error;
        }
      }
    } else if (step.hold) {
      await page.keyboard.down(step.hold);
      await page.waitForTimeout(step.ms);
      await page.keyboard.up(step.hold);
    } else if (step.console) {
      const field = page.locator("#console-line");
      await field.waitFor({ state: "visible", timeout: TIMEOUT });
      await field.fill(step.console);
      await field.press("Enter");
      await expect(step.until || [], TIMEOUT);
    } else if (step.capture) {
      // The frame as the canvas holds it once the game waits again.
      await page.waitForTimeout(500);
      result.frame = await page.evaluate(() => {
        const canvas = document.getElementById("canvas");
        const data = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
        let text = "";
        for (let i = 0; i < data.length; i += 4096) text += String.fromCharCode(...data.subarray(i, i + 4096));
        return { width: canvas.width, height: canvas.height, rgba: btoa(text) };
      });
    } else if (step.download) {
      const before = await page.evaluate((name) => (window.tessaryDownloads[name] || { count: 0 }).count, step.download);
      await page.keyboard.press(step.key);
      await page.waitForFunction(([name, count]) => (window.tessaryDownloads[name] || { count: 0 }).count > count,
                                 [step.download, before], { timeout: TIMEOUT });
      result.downloads[step.download] = await page.evaluate((name) => ({
        count: window.tessaryDownloads[name].count,
        size: window.tessaryDownloads[name].size,
        link: document.querySelector('#downloads a[download="' + name + '"]') !== null,
      }), step.download);
    } else if (step.ended) {
      // The page says the game has ended, instead of a frozen canvas.
      await page.locator("#message-text").waitFor({ state: "visible", timeout: TIMEOUT });
      result.ended = await page.locator("#message-text").textContent();
    }
  }
  await page.waitForTimeout(300);
} catch (error) {
  result.failure = String(error.message || error);
} finally {
  if (page) {
    const lines = await page.evaluate(() => window.tessaryLog || []).catch(() => []);
    result.log = result.log.concat(lines);
  }
  await browser.close();
}
fs.writeFileSync(outFile, JSON.stringify(result));
