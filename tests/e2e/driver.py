"""The machinery of the end-to-end scenarios: an X server of our own (Xvfb),
the game as a child process whose standard output comes through a pseudo
terminal (so it is line-buffered, as a player's terminal would see it),
real key presses from xdotool, and the developer console's commands on
standard input.

Scenarios wait on the game's own output lines, each wait bounded in time;
a failure names the step it happened in and shows what the game wrote."""

import contextlib
import os
import select
import signal
import subprocess
import termios
import threading
import time

import xlib

# Seconds a single wait may take before the step fails. Generous: a loaded
# CI machine or valgrind slow the game down; a passing run never waits long.
DEFAULT_TIMEOUT = 20.0
SLOW = float(os.environ.get("TESSARY_E2E_SLOW", "1"))

# The console's prompt, which has no line break of its own, so the console's
# next output line starts with it.
PROMPT = "matrix-admin: "


class Failure(Exception):
    """A scenario step that did not go as expected."""


def clean_environment(display=None):
    env = {k: v for k, v in os.environ.items()
           if not k.startswith(("SDL_", "DISPLAY", "XAUTHORITY", "WAYLAND"))}
    env["SDL_AUDIODRIVER"] = "dummy"
    if display:
        env["DISPLAY"] = display
        env["SDL_VIDEODRIVER"] = "x11"
    else:
        env["SDL_VIDEODRIVER"] = "dummy"
    return env


class XServer:
    """A private Xvfb on a free display number (chosen by Xvfb itself)."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "640x480x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.PIPE, start_new_session=True)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 30 * SLOW
        try:
            while not number.endswith(b"\n"):
                remaining = deadline - time.monotonic()
                ready, _, _ = select.select([read_end], [], [], max(remaining, 0))
                if not ready:
                    raise Failure("Xvfb did not report its display within 30 s")
                chunk = os.read(read_end, 64)
                if not chunk:
                    err = self.proc.stderr.read().decode(errors="replace") if self.proc.poll() is not None else ""
                    raise Failure("Xvfb ended before reporting its display:\n" + err)
                number += chunk
        except BaseException:
            self.stop()
            raise
        finally:
            os.close(read_end)
        self.display = ":" + number.decode().strip()

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        if self.proc.stderr:
            self.proc.stderr.close()

class Game:
    """One run of the game in `workdir`, on `display` (None: the dummy video
    driver). `wrapper` goes before the executable (valgrind, for instance)."""

    def __init__(self, exe, workdir, display=None, wrapper=(), env=None, patience=1.0):
        self.display = display
        self.workdir = workdir
        # How much longer than usual every wait may take (valgrind is slow).
        self.patience = patience * SLOW
        self.step_name = "start the game"
        self.out = b""
        self.err = b""
        self.cursor = 0  # index of the first output line not yet matched
        self.window = None
        self.changed = threading.Condition()
        self.out_done = False
        self.err_done = False
        environment = clean_environment(display)
        environment.update(env or {})

        master, slave = os.openpty()
        attributes = termios.tcgetattr(slave)
        attributes[1] &= ~termios.OPOST  # keep line feeds as they are
        attributes[3] &= ~(termios.ECHO | termios.ICANON)
        termios.tcsetattr(slave, termios.TCSANOW, attributes)
        self.proc = subprocess.Popen(
            list(wrapper) + [exe], cwd=workdir, env=environment, stdin=subprocess.PIPE,
            stdout=slave, stderr=subprocess.PIPE, start_new_session=True)
        os.close(slave)
        self.master = master
        self.readers = [threading.Thread(target=self._read_out, daemon=True),
                        threading.Thread(target=self._read_err, daemon=True)]
        for reader in self.readers:
            reader.start()

    # ---- Output ----
    def _read_out(self):
        while True:
            try:
                chunk = os.read(self.master, 65536)
            except OSError:
                chunk = b""
            with self.changed:
                if not chunk:
                    self.out_done = True
                    self.changed.notify_all()
                    return
                self.out += chunk
                self.changed.notify_all()

    def _read_err(self):
        while True:
            chunk = self.proc.stderr.read1(65536)
            with self.changed:
                if not chunk:
                    self.err_done = True
                    self.changed.notify_all()
                    return
                self.err += chunk
                self.changed.notify_all()

    def lines(self):
        """Standard output so far, as lines (a last line without its line
        feed included)."""
        with self.changed:
            text = self.out.decode("latin-1")
        parts = text.split("\n")
        if parts and parts[-1] == "":
            parts.pop()
        return parts

    def stdout(self):
        with self.changed:
            return self.out.decode("latin-1")

    def stderr(self):
        with self.changed:
            return self.err.decode("latin-1")

    def step(self, name):
        """Names the step that the following waits and checks belong to."""
        self.step_name = name

    def fail(self, message):
        raise Failure("step '%s': %s" % (self.step_name, message))

    def expect(self, wanted, timeout=DEFAULT_TIMEOUT):
        """Waits for the next output line (from the cursor on) that is `wanted`
        (a string: the whole line after any console prompts in it; a compiled
        pattern: found anywhere in the line) and returns the line, or the
        match for a pattern. The cursor moves past the line; a pattern found
        in the last line while it is still being written (a question of the
        console, which ends in no line feed) leaves the cursor on that line,
        where the answer will follow."""
        return self._expect(wanted, timeout)[0]

    def expect_next(self, wanted, timeout=DEFAULT_TIMEOUT):
        """Like expect, but the very line at the cursor must be the one wanted."""
        start = self.cursor
        found, index = self._expect(wanted, timeout)
        if index != start:
            self.fail("expected %s next, but first came %r" % (
                _show(wanted), self.lines()[start:index]))
        return found

    def _expect(self, wanted, timeout):
        deadline = time.monotonic() + timeout * self.patience
        while True:
            lines = self.lines()
            complete = self.stdout().endswith("\n")
            for index in range(self.cursor, len(lines)):
                writing = index == len(lines) - 1 and not complete
                if writing and isinstance(wanted, str):
                    break  # a whole line is only known once it ends
                found = self._matches(lines[index], wanted)
                if found:
                    self.cursor = index if writing else index + 1
                    return found, index
            if self.proc.poll() is not None and self.out_done:
                self.fail("the game ended (status %s) before writing %s" %
                          (self.proc.returncode, _show(wanted)))
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                self.fail("no output line %s within %.0f s" % (_show(wanted), timeout * self.patience))
            with self.changed:
                self.changed.wait(min(remaining, 0.2))

    @staticmethod
    def _matches(line, wanted):
        if isinstance(wanted, str):
            # The console's prompt and questions have no line feed: the answer
            # follows them on the same line.
            return line if line.rsplit(PROMPT, 1)[-1] == wanted else None
        return wanted.search(line)

    def expect_sequence(self, wanted_lines, timeout=DEFAULT_TIMEOUT):
        for wanted in wanted_lines:
            self.expect(wanted, timeout)

    def wait_exit(self, timeout=DEFAULT_TIMEOUT):
        """Waits for the process to end and its output to be read; returns the
        exit status (negative: the signal that ended it)."""
        try:
            status = self.proc.wait(timeout * self.patience)
        except subprocess.TimeoutExpired:
            self.fail("the game did not end within %.0f s" % (timeout * self.patience))
        for reader in self.readers:
            reader.join(10)
        return status

    def expect_exit(self, status, timeout=DEFAULT_TIMEOUT):
        got = self.wait_exit(timeout)
        if got != status:
            self.fail("the game ended with status %s, expected %s" % (got, status))

    def running(self):
        return self.proc.poll() is None

    # ---- Standard input: the developer console ----
    def type(self, text):
        """Writes `text` to the game's standard input."""
        try:
            self.proc.stdin.write(text.encode())
            self.proc.stdin.flush()
        except (BrokenPipeError, OSError) as error:
            self.fail("cannot write %r to the game's standard input: %s" % (text, error))

    def close_stdin(self):
        try:
            self.proc.stdin.close()
        except OSError:
            pass

    # ---- The window and the keyboard ----
    def xdotool(self, *args, timeout=DEFAULT_TIMEOUT):
        env = clean_environment(self.display)
        try:
            done = subprocess.run(["xdotool"] + list(args), env=env, capture_output=True,
                                  timeout=timeout * SLOW)
        except subprocess.TimeoutExpired:
            self.fail("xdotool %s did not finish" % " ".join(args))
        if done.returncode != 0:
            self.fail("xdotool %s failed: %s" % (" ".join(args), done.stderr.decode(errors="replace")))
        return done.stdout.decode()

    def find_window(self):
        """Waits for the game's window (titled "Tessary") and remembers it."""
        if self.window is None:
            found = self.xdotool("search", "--sync", "--name", "^Tessary$").split()
            if not found:
                self.fail("no window named Tessary")
            self.window = found[0]
        return self.window

    def key(self, *names):
        """Presses and releases each key in turn (xdotool key names)."""
        self.find_window()
        self.xdotool("key", "--delay", "30", *names)

    def key_down(self, name):
        self.find_window()
        self.xdotool("keydown", name)

    def key_up(self, name):
        self.xdotool("keyup", name)

    @contextlib.contextmanager
    def held(self, name):
        """Holds a key down while the statements of a with block run."""
        self.key_down(name)
        try:
            yield
        finally:
            self.key_up(name)

    def tap(self, name, hold=0.03):
        """Holds a key for `hold` seconds: long enough for one roaming pass to
        see it held, shorter than the pause after a step."""
        self.find_window()
        self.xdotool("keydown", name, "sleep", str(hold), "keyup", name)

    def close_window(self):
        """Asks the window to close, as a window manager's close button does."""
        window = self.find_window()
        try:
            xlib.request_close(self.display, int(window))
        except OSError as error:
            self.fail("cannot ask the window to close: %s" % error)

    # ---- The end ----
    def terminate(self):
        """Asks the game to end (SIGTERM), which SDL turns into a quit request."""
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)

    def stop(self):
        """Ends the game if it still runs, and releases what it holds."""
        if self.proc.poll() is None:
            try:
                os.killpg(self.proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.proc.wait()
        self.close_stdin()
        for reader in self.readers:
            reader.join(5)
        try:
            os.close(self.master)
        except OSError:
            pass
        if self.proc.stderr:
            self.proc.stderr.close()

    def report(self, last=60):
        """The game's output for a failure message."""
        lines = self.lines()
        shown = lines[-last:]
        text = "--- standard output (%d lines%s) ---\n" % (
            len(lines), ", the last %d shown" % last if len(lines) > last else "")
        text += "\n".join(shown) + "\n"
        text += "--- standard error ---\n" + self.stderr()
        if self.proc.poll() is not None:
            text += "\n--- exit status %s ---" % self.proc.returncode
        return text


def _show(wanted):
    if isinstance(wanted, str):
        return repr(wanted)
    return "matching /%s/" % wanted.pattern
