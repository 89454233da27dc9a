// The page around the game: downloads tessary.data with a loading bar, then
// starts tessary.js; scales the canvas; keeps the game's standard output and
// error in the log panel; serves the developer console's words from its text
// field; offers every file the game writes as a download; and says so when
// the game has ended or could not start. web.cpp calls tessaryPage.
"use strict";
(function () {
  const $ = (id) => document.getElementById(id);
  const canvas = $("canvas");
  // The game draws into a canvas of its own; each frame it presents is
  // copied onto the page's (present.js). Both are read back often: the main
  // loop compares each frame it drew with the last one it presented.
  const screen = document.createElement("canvas");
  screen.width = canvas.width;
  screen.height = canvas.height;
  screen.getContext("2d", { willReadFrequently: true });
  const shown = canvas.getContext("2d", { willReadFrequently: true });
  // Every line of the log, for the player's panel and for the page's tests:
  // {stream: "stdout" | "stderr" | "stdin" | "runtime", text}.
  const lines = (window.tessaryLog = []);
  const downloads = (window.tessaryDownloads = {});

  function addLine(stream, text) {
    lines.push({ stream, text });
    const line = document.createElement("span");
    line.className = stream;
    const marks = { stderr: "[error] ", stdin: "> ", runtime: "[browser] " };
    line.textContent = (marks[stream] || "") + text + "\n";
    $("log").appendChild(line);
    $("log").scrollTop = $("log").scrollHeight;
  }

  function showMessage(text, offerRestart) {
    $("loading").hidden = true;
    $("message-text").textContent = text;
    $("again").hidden = !offerRestart;
    $("message").hidden = false;
    if (offerRestart) $("again").focus();
  }
  $("again").addEventListener("click", () => location.reload());

  // The largest whole scale that fits the window; below 1, whatever fits.
  function fitCanvas() {
    const fit = Math.min((window.innerWidth - 16) / 640, (window.innerHeight - 16) / 480);
    const scale = fit >= 1 ? Math.floor(fit) : Math.max(fit, 0.25);
    document.documentElement.style.setProperty("--scale", String(scale));
  }
  window.addEventListener("resize", fitCanvas);
  fitCanvas();

  // The keys reach the game: the canvas takes the focus on load and on a
  // click, and the page never scrolls on the arrows or Space.
  const focusGame = () => canvas.focus();
  canvas.addEventListener("mousedown", (event) => { event.preventDefault(); focusGame(); });
  const scrollKeys = [" ", "ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", "PageUp", "PageDown"];
  window.addEventListener("keydown", (event) => {
    if (event.target !== $("console-line") && scrollKeys.includes(event.key)) event.preventDefault();
  });

  // The developer console: words typed into the field, taken one by one.
  const words = [];
  let consoleClosed = false;
  $("console").addEventListener("submit", (event) => {
    event.preventDefault();
    const text = $("console-line").value;
    $("console-line").value = "";
    addLine("stdin", text);
    words.push(...text.split(/\s+/).filter((word) => word.length > 0));
  });
  const closeConsole = () => { consoleClosed = true; };
  $("console-close").addEventListener("click", closeConsole);
  $("console-line").addEventListener("keydown", (event) => {
    if (event.key === "Escape") closeConsole();
  });

  let fontLoaded = false;
  window.tessaryPage = {
    loadFont(name, bytes) {
      // The game's font under the name the game opens it by.
      const face = new FontFace(name, bytes);
      face.load().then(
        (loaded) => { document.fonts.add(loaded); fontLoaded = true; },
        () => { addLine("stderr", "Could not load " + name); fontLoaded = true; });
    },
    fontReady: () => fontLoaded,
    present() {
      shown.drawImage(screen, 0, 0);
    },
    consoleWaiting(waiting) {
      const form = $("console");
      if (waiting) {
        const last = lines.length ? lines[lines.length - 1] : null;
        $("console-prompt").textContent = last && last.stream === "stdout" ? last.text : "";
        if (form.hidden) {
          form.hidden = false;
          $("console-line").focus();
        }
      } else if (words.length === 0) {
        form.hidden = true;
        focusGame();
      }
    },
    // undefined: nothing typed yet; null: the field was closed.
    consolePeek() {
      if (words.length) return words[0];
      if (!consoleClosed) return undefined;
      consoleClosed = false;
      $("console").hidden = true;
      focusGame();
      return null;
    },
    consoleTakeWord: () => words.shift(),
    fileWritten(name, bytes) {
      const type = name.endsWith(".bmp") ? "image/bmp" : "text/plain";
      const old = downloads[name];
      if (old) URL.revokeObjectURL(old.url);
      const url = URL.createObjectURL(new Blob([bytes], { type }));
      let link = document.querySelector('#downloads a[download="' + name + '"]');
      if (!link) {
        link = document.createElement("a");
        link.download = name;
        $("downloads").appendChild(link);
      }
      link.href = url;
      const count = old ? old.count + 1 : 1;
      link.textContent = "Download " + name + " (" + new Date().toLocaleTimeString() + ")";
      downloads[name] = { url, count, size: bytes.length };
    },
  };

  function ended(status) {
    window.tessaryEnded = status;
    $("console").hidden = true;
    const out = lines.filter((line) => line.stream === "stdout").map((line) => line.text);
    const errors = lines.filter((line) => line.stream === "stderr").map((line) => line.text);
    if (out.includes("You won")) showMessage("You won! The game has ended.", true);
    else if (status !== 0 && errors.length) showMessage(errors.join("\n"), true);
    else showMessage("The game has ended.", true);
  }

  if (typeof WebAssembly !== "object") {
    showMessage("This browser cannot run WebAssembly, which Tessary needs.\n" +
                "Please play it in a current Firefox, Chromium, Chrome, Edge or Safari.", false);
    return;
  }

  // Notices of the browser's SDL itself, not of the game: logged apart.
  const runtimeNotices = [/^\w+ called \(and ignored\)$/, /^WARNING: copying canvas data to memory/];
  const runtimeOr = (stream) => (text) =>
    addLine(runtimeNotices.some((notice) => notice.test(text)) ? "runtime" : stream, text);

  window.Module = {
    canvas: screen,
    keyboardListeningElement: canvas,
    print: runtimeOr("stdout"),
    printErr: runtimeOr("stderr"),
    setStatus: () => {},
    onExit: ended,
    onAbort: (what) => showMessage("The game stopped: " + what, true),
    onRuntimeInitialized: () => { $("loading").hidden = true; focusGame(); },
  };

  // The data comes first, with the loading bar; the game takes it from here.
  async function download(name) {
    const response = await fetch(name);
    if (!response.ok) throw new Error(name + ": " + response.status + " " + response.statusText);
    const total = Number(response.headers.get("Content-Length")) || 0;
    const reader = response.body.getReader();
    const parts = [];
    let received = 0;
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      parts.push(value);
      received += value.length;
      if (total) $("progress").value = received / total;
    }
    const bytes = new Uint8Array(received);
    let at = 0;
    for (const part of parts) { bytes.set(part, at); at += part.length; }
    return bytes.buffer;
  }

  download("tessary.data").then((data) => {
    Module.getPreloadedPackage = () => data;
    const script = document.createElement("script");
    script.src = "tessary.js";
    script.onerror = () => showMessage("Could not download the game (tessary.js).", true);
    document.body.appendChild(script);
  }, (error) => showMessage("Could not download the game's data (" + error.message + ").", true));
  focusGame();
})();
