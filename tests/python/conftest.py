# SPDX-License-Identifier: BSD-3-Clause
# The module's tests compare it with the command-line tool, run on the same examples. CTest names
# the tool (ZEPHON_CLI), the examples (ZEPHON_EXAMPLES_DIR) and puts the built module on PYTHONPATH.
import json
import os
import pathlib
import subprocess

import pytest


@pytest.fixture(scope="session")
def examples():
    return pathlib.Path(os.environ["ZEPHON_EXAMPLES_DIR"])


@pytest.fixture(scope="session")
def cli_json():
    """Runs zephon-cli with --json and returns the parsed object."""
    program = os.environ["ZEPHON_CLI"]

    def run(*arguments):
        done = subprocess.run([program, *map(str, arguments), "--json"], capture_output=True, text=True)
        assert done.returncode == 0, done.stderr
        return json.loads(done.stdout)

    return run


@pytest.fixture(scope="session")
def cli():
    """Runs zephon-cli, returning the finished process."""
    program = os.environ["ZEPHON_CLI"]
    return lambda *arguments: subprocess.run([program, *map(str, arguments)], capture_output=True, text=True)
