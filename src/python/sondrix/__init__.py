"""Oscilloscope waveform files (WFM, CSV, TXT) as NumPy arrays.

    capture = sondrix.read("SCOPE001.WFM")
    capture.volts      # float32 (channels, points), volts as the CSV export writes them
    capture.time       # float64 seconds from the trigger
    capture.header     # every header value
"""

from ._sondrix import (
    Capture,
    CaptureIterator,
    ReadError,
    __version__,
    read,
    read_many,
)

__all__ = ["Capture", "CaptureIterator", "ReadError", "read", "read_many", "__version__"]
