"""Fixtures of the module's tests: the build's programs and the sample captures they write.

SONDRIX_BUILD names the build folder that holds the module (python/sondrix), the converter and
the sample writer; scripts/test sets it.
"""

import os
import pathlib
import subprocess
import sys

import pytest

BUILD = pathlib.Path(os.environ.get("SONDRIX_BUILD", "build-bench")).resolve()
sys.path.insert(0, str(BUILD / "python"))
CONVERT = BUILD / "src" / "cli" / "sondrix-convert"
SAMPLES = BUILD / "tools" / "sondrix-samples"


@pytest.fixture(scope="session")
def sample_dir(tmp_path_factory):
    folder = tmp_path_factory.mktemp("samples")
    subprocess.run([str(SAMPLES), str(folder)], check=True, stdout=subprocess.DEVNULL)
    return folder


@pytest.fixture(scope="session")
def samples(sample_dir):
    """Every file the sample writer makes: WFM of both series and widths, CSV and TXT."""
    files = sorted(sample_dir.iterdir())
    assert len(files) >= 6
    return files


def convert(*args):
    """Runs the converter; its completed process, output as bytes."""
    return subprocess.run([str(CONVERT), *map(str, args)], capture_output=True, check=False)
