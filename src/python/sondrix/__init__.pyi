import os
from typing import Iterable, Iterator, Optional, TypedDict, Union

import numpy as np
import numpy.typing as npt

__version__: str

_Path = Union[str, "os.PathLike[str]"]

class ReadError(ValueError):
    """A file that opened but holds no waveform the reader accepts."""

    path: str
    reason: str

class Measurement(TypedDict):
    min: float
    max: float
    peak_to_peak: float
    mean: float
    rms: float
    frequency: Optional[float]

class Capture:
    """One waveform file as read: its header and its shown channels' samples."""

    @property
    def path(self) -> str: ...
    @property
    def volts(self) -> npt.NDArray[np.float32]:
        """(channels, points), read-only: volts as the CSV export writes them."""
    @property
    def raw(self) -> npt.NDArray[np.int16]:
        """(channels, points), read-only: counts, 8192 per division; made on first use."""
    @property
    def time(self) -> npt.NDArray[np.float64]:
        """(points,): seconds from the trigger, (i - TrigAddr) * Delta."""
    @property
    def channels(self) -> list[tuple[str, str]]:
        """(name, unit) of each row, e.g. ('Ch1', 'V')."""
    @property
    def header(self) -> dict[str, Union[str, int, float]]:
        """Every header value, named as sondrix-convert --info names them."""
    def measure(self, start: int = 0, end: Optional[int] = None) -> dict[str, Measurement]:
        """Measurement table of samples start..end-1 of every shown channel."""
    def to_csv(self, path: _Path, skip: int = 0) -> None:
        """Writes the bytes sondrix-convert writes (every (skip+1)-th sample)."""
    def to_pandas(self) -> "pandas.DataFrame":  # type: ignore[name-defined]  # noqa: F821
        """The volts as a DataFrame, one column per channel, indexed by time."""

class CaptureIterator(Iterator[Capture]):
    def __iter__(self) -> "CaptureIterator": ...
    def __next__(self) -> Capture: ...
    def __len__(self) -> int: ...

def read(path: _Path) -> Capture:
    """Reads a WFM, CSV or TXT file; ReadError or OSError when it cannot."""

def read_many(paths: Iterable[_Path], jobs: Optional[int] = None) -> CaptureIterator:
    """Reads the files on `jobs` threads and yields their captures in the given order."""
