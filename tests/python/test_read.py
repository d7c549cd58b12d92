"""sondrix.read against the converter: the same arrays, header values and CSV bytes."""

import numpy as np
import pytest

import sondrix
from conftest import convert


def sample_ids(files):
    return [f.name for f in files]


@pytest.fixture(scope="session")
def converted(samples, tmp_path_factory):
    """Each sample's converter CSV and --info text, by name."""
    out = tmp_path_factory.mktemp("converted")
    result = {}
    for path in samples:
        csv = out / (path.name + ".csv")
        done = convert(path, "-o", csv)
        assert done.returncode == 0, done.stderr
        info = convert("--info", path)
        assert info.returncode == 0, info.stderr
        result[path.name] = (csv, info.stdout.decode())
    return result


def parse_csv(path):
    """The converter's CSV: the column names and the data as a float64 matrix."""
    lines = path.read_bytes().decode().split("\r\n")
    head = next(i for i, line in enumerate(lines) if line.startswith("Time(s)"))
    names = lines[head].split(",")
    data = np.loadtxt(lines[head + 1 :], delimiter=",", ndmin=2)
    return names, data


def parse_info(text):
    values = {}
    for line in text.splitlines()[1:]:  # after "File: ..."
        key, _, value = line.partition(": ")
        values[key] = value
    return values


def test_arrays_match_the_converters_csv(samples, converted):
    for path in samples:
        capture = sondrix.read(path)
        names, data = parse_csv(converted[path.name][0])
        rows, points = capture.volts.shape
        assert capture.volts.dtype == np.float32 and capture.raw.dtype == np.int16
        assert capture.raw.shape == (rows, points) and capture.time.shape == (points,)
        assert data.shape[0] == points == capture.header["Points"], path.name
        assert rows == len(capture.channels) > 0
        np.testing.assert_allclose(capture.time, data[:, 0], rtol=1e-6, atol=1e-12)
        decimals = 4 if capture.header["DataWidth"] in (8, 64) else 3
        shown = set()
        for row, (name, unit) in enumerate(capture.channels):
            column = names.index(f"{name} {unit}")
            shown.add(column)
            # The CSV prints a.bcde; volts agree to half its last digit.
            np.testing.assert_allclose(
                capture.volts[row], data[:, column], rtol=0.6 * 10.0**-decimals, atol=1e-30,
                err_msg=f"{path.name} {name}")
        for column in set(range(1, len(names))) - shown:
            assert not data[:, column].any(), f"{path.name}: a hidden channel is written as zeros"


def test_volts_are_the_counts_at_the_channels_scale(samples):
    for path in samples:
        capture = sondrix.read(path)
        h = capture.header
        for row, (name, _) in enumerate(capture.channels):
            n = name[2:]
            vdiv = float(np.float32(h["Vdiv" + n]))
            expected = capture.raw[row] * vdiv / 256 / 32 - float(np.float32(h["Offset" + n]))
            assert np.array_equal(capture.volts[row], expected.astype(np.float32)), path.name
        trig, delta = h["TrigAddr"], h["Delta"]
        expected_time = (np.arange(h["Points"], dtype=np.int64) - trig) * delta
        assert np.array_equal(capture.time, expected_time)


def test_volts_near_and_beyond_the_float_range(sample_dir, tmp_path):
    whole = (sample_dir / "ZT2CH_V5_20K.WFM").read_bytes()
    # Channel 1 has a 10X probe and counts within +-22,111: at 1e38 V per division its volts
    # reach 2.7e38, within the float range though its extreme counts' are not; at 2e38, beyond.
    near = tmp_path / "near.WFM"
    near.write_bytes(whole.replace(b"Volts/Div = 200mV", b"Volts/Div = 1e37V", 1))
    capture = sondrix.read(near)
    h = capture.header
    expected = capture.raw[0] * float(np.float32(h["Vdiv1"])) / 8192 - h["Offset1"]
    assert np.abs(expected).max() > 2e38
    assert np.array_equal(capture.volts[0], expected.astype(np.float32))
    beyond = tmp_path / "beyond.WFM"
    beyond.write_bytes(whole.replace(b"Volts/Div = 200mV", b"Volts/Div = 2e37V", 1))
    with pytest.raises(sondrix.ReadError, match="do not fit a 32-bit float"):
        sondrix.read(beyond)


def test_shown_channels_are_the_displayed_ones_in_order(sample_dir):
    # The four-channel 16-bit sample hides channel 4 and inverts channel 3.
    capture = sondrix.read(sample_dir / "ZT4CH_16BIT_100K.WFM")
    assert [name for name, _ in capture.channels] == ["Ch1", "Ch2", "Ch3"]
    assert capture.header["Display4"] != "ON" and capture.header["Chrev3"] == "ON"
    two = sondrix.read(sample_dir / "CSV2CH_5K.TXT")
    assert two.volts.shape[0] == 2 and two.header["ChCount"] == 2


def test_header_holds_every_value_of_info(samples, converted):
    for path in samples:
        header = sondrix.read(path).header
        info = parse_info(converted[path.name][1])
        assert list(header) == list(info), path.name
        for key, text in info.items():
            value = header[key]
            if isinstance(value, str):
                assert value == text, key
            elif isinstance(value, int):
                assert value == int(text), key
            else:
                assert value == pytest.approx(float(text), rel=1e-6, abs=1e-30), (path.name, key)


def test_to_csv_writes_the_converters_bytes(samples, converted, tmp_path):
    for path in samples:
        capture = sondrix.read(path)
        mine = tmp_path / "mine.csv"
        capture.to_csv(mine)
        assert mine.read_bytes() == converted[path.name][0].read_bytes(), path.name
    # Decimated, and written twice: the second export is not altered by the first's volts.
    theirs = tmp_path / "theirs.csv"
    assert convert(path, "--skip", "7", "-o", theirs).returncode == 0
    capture.to_csv(str(mine), skip=7)
    capture.to_csv(mine, skip=7)
    assert mine.read_bytes() == theirs.read_bytes()


def test_to_csv_refuses_a_bad_skip_and_an_unwritable_place(sample_dir, tmp_path):
    capture = sondrix.read(sample_dir / "CSV2CH_5K.TXT")
    for skip in (-1, 1001):
        with pytest.raises(ValueError):
            capture.to_csv(tmp_path / "x.csv", skip=skip)
    capture.to_csv(tmp_path / "x.csv", skip=1000)
    with pytest.raises(OSError, match="no_folder"):
        capture.to_csv(tmp_path / "no_folder" / "x.csv")
    with pytest.raises(OSError):
        capture.to_csv(tmp_path)  # a folder


def test_errors_name_the_file_and_the_readers_reason(sample_dir, tmp_path):
    with pytest.raises(FileNotFoundError) as missing:
        sondrix.read(tmp_path / "none.WFM")
    assert missing.value.filename == str(tmp_path / "none.WFM")
    with pytest.raises(IsADirectoryError):
        sondrix.read(tmp_path)

    whole = (sample_dir / "ZT2CH_V5_20K.WFM").read_bytes()
    cases = {
        "cut.WFM": whole[: len(whole) // 2],  # a truncated capture
        "empty.WFM": b"",
        "notes.csv": b"just some text\r\nand more\r\n",  # text, but no waveform
        "picture.png": b"\x89PNG\r\n\x1a\n" + bytes(200),  # any other name reads as WFM
        "header_only.csv": b"Time(s),CH1 V\r\n",
    }
    for name, data in cases.items():
        path = tmp_path / name
        path.write_bytes(data)
        with pytest.raises(sondrix.ReadError) as refused:
            sondrix.read(path)
        error = refused.value
        assert isinstance(error, ValueError)
        assert error.path == str(path) and error.reason and str(path) in str(error)
        said = convert(path, "-o", tmp_path / "out.csv").stderr.decode()
        assert error.reason in said, name

