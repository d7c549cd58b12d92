"""The arrays' ownership, the measurements, the DataFrame and read_many."""

import gc
import sys

import numpy as np
import pytest

import sondrix


def test_arrays_outlive_their_capture_and_are_read_only(sample_dir):
    capture = sondrix.read(sample_dir / "ZT4CH_16BIT_1M.WFM")
    before = sys.getrefcount(capture)
    volts, raw, time = capture.volts, capture.raw, capture.time
    # The arrays hold the memory, not the capture.
    assert sys.getrefcount(capture) == before
    expected = volts.copy(), raw.copy(), time.copy()
    del capture
    gc.collect()
    # Reuse the freed memory, if any was freed.
    junk = [np.full(1_000_000, 7, dtype=np.int64) for _ in range(8)]
    for array, copy in zip((volts, raw, time), expected):
        assert np.array_equal(array, copy)
        assert not array.flags.writeable and not array.flags.owndata
        with pytest.raises(ValueError):
            array[..., 0] = 1
    # One view's base lives as long as the view.
    base = volts.base
    assert sys.getrefcount(base) >= 2
    del junk, base


def test_measure_matches_the_samples(sample_dir):
    capture = sondrix.read(sample_dir / "ZT4CH_16BIT_1M.WFM")
    points = capture.volts.shape[1]
    for start, end in ((0, None), (1000, 1010), (points - 1, points), (0, 1)):
        table = capture.measure(start, end)
        assert list(table) == [name for name, _ in capture.channels]
        for row, (name, _) in enumerate(capture.channels):
            window = capture.raw[row, start:end].astype(np.float64)
            n = name[2:]
            volts = window * capture.header["Vdiv" + n] / 8192 - capture.header["Offset" + n]
            m = table[name]
            assert m["min"] == pytest.approx(volts.min(), abs=1e-9)
            assert m["max"] == pytest.approx(volts.max(), abs=1e-9)
            assert m["peak_to_peak"] == pytest.approx(np.ptp(volts), abs=1e-9)
            assert m["mean"] == pytest.approx(volts.mean(), abs=1e-9)
            assert m["rms"] == pytest.approx(np.sqrt(np.mean(volts**2)), rel=1e-9, abs=1e-9)
    # The third channel is a 500 Hz square; one sample holds no period.
    assert capture.measure()["Ch3"]["frequency"] == pytest.approx(500.0)
    assert capture.measure(5, 6)["Ch3"]["frequency"] is None
    for start, end in ((0, 0), (10, 5), (-1, None), (0, points + 1), (points, None)):
        with pytest.raises(ValueError):
            capture.measure(start, end)


def test_to_pandas_is_indexed_by_time(sample_dir):
    pandas = pytest.importorskip("pandas")
    capture = sondrix.read(sample_dir / "CSV4CH_10K.CSV")
    frame = capture.to_pandas()
    assert isinstance(frame, pandas.DataFrame)
    assert list(frame.columns) == [name for name, _ in capture.channels]
    assert frame.index.name == "Time(s)"
    assert np.array_equal(frame.index.to_numpy(), capture.time)
    assert np.array_equal(frame.to_numpy().T, capture.volts)


def test_read_many_keeps_the_order(samples):
    paths = samples * 3
    for jobs in (None, 1, 2, 5):
        captures = sondrix.read_many(iter(paths), jobs=jobs)
        assert len(captures) == len(paths)
        got = [capture.path for capture in captures]
        assert got == [str(p) for p in paths]
    one = sondrix.read(paths[4])
    many = list(sondrix.read_many([str(paths[4])]))
    assert np.array_equal(many[0].volts, one.volts) and many[0].header == one.header
    assert list(sondrix.read_many([])) == []
    with pytest.raises(ValueError):
        sondrix.read_many(paths, jobs=0)
    with pytest.raises(TypeError):
        sondrix.read_many([paths[0], 42])


def test_read_many_raises_each_failure_at_its_place(samples, tmp_path):
    bad = tmp_path / "bad.csv"
    bad.write_bytes(b"no waveform here\r\n")
    paths = [samples[0], tmp_path / "missing.WFM", samples[1], bad, samples[2]]
    captures = sondrix.read_many(paths, jobs=2)
    assert next(captures).path == str(samples[0])
    with pytest.raises(FileNotFoundError):
        next(captures)
    assert next(captures).path == str(samples[1])
    with pytest.raises(sondrix.ReadError) as refused:
        next(captures)
    assert refused.value.path == str(bad)
    assert next(captures).path == str(samples[2])
    with pytest.raises(StopIteration):
        next(captures)
    with pytest.raises(StopIteration):
        next(captures)


def test_read_many_dropped_early_stops_its_threads(samples):
    captures = sondrix.read_many(samples * 20, jobs=2)
    next(captures)
    del captures  # joins the workers; the test would hang if they waited for ever
    gc.collect()
