"""Cases of a program run as a process, for the command line's end-to-end scripts: each case
runs whatever the cases before it did, prints its outcome, and the script ends with status 1
when one failed.
"""

import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile


class Cases:
    def __init__(self, program, env=None):
        self.program = os.path.abspath(program)
        # The command line needs no display: a display that is not there must not matter.
        self.env = env or dict(os.environ, DISPLAY=":99999", QT_QPA_PLATFORM="xcb")
        self.scratch = pathlib.Path(tempfile.mkdtemp(prefix="varnholt-e2e-"))
        self.failures = []

    def case(self, function):
        """Runs one case at once and records its failure, so that every case runs."""
        try:
            function()
            print(f"ok    {function.__name__}")
        except AssertionError as error:
            self.failures.append(function.__name__)
            print(f"FAIL  {function.__name__}: {error}")
        return function

    def run(self, *args, stdin=b"", program=None, env=None, stdout=subprocess.PIPE, cwd=None):
        return subprocess.run([program or self.program, *args], input=stdin, stdout=stdout,
                              stderr=subprocess.PIPE, env=env or self.env, timeout=120, cwd=cwd)

    def text(self, path, content):
        """A file of `content` in the scratch folder; its path."""
        path = self.scratch / path
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(content)
        return str(path)

    @staticmethod
    def expect(result, status, stdout=None, stderr=None):
        """The result's standard output and error, once its status and texts are as expected."""
        out = result.stdout.decode(errors="replace") if result.stdout is not None else ""
        err = result.stderr.decode(errors="replace")
        assert result.returncode == status, \
            f"exit status {result.returncode}, not {status}; stderr: {err!r}"
        if stdout is not None:
            assert re.search(stdout, out, re.S), f"stdout {out[:400]!r} does not match {stdout!r}"
        if stderr is not None:
            assert re.search(stderr, err, re.S), f"stderr {err[:400]!r} does not match {stderr!r}"
        return out, err

    def finish(self):
        shutil.rmtree(self.scratch, ignore_errors=True)
        if self.failures:
            print(f"{len(self.failures)} case(s) failed: {', '.join(self.failures)}")
            sys.exit(1)
