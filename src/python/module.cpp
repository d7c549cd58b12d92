// The Python module sondrix._sondrix, which the package sondrix re-exports: the core's reading,
// volts, measurements and CSV export of a capture, its samples as NumPy arrays.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "numtext/substrings.h"
#include "python/capture.h"
#include "python/read_ahead.h"
#include "version.h"

namespace py = pybind11;

namespace sondrix::python {
namespace {

// A read-only NumPy view of a block, which keeps the block alive through a capsule: the array
// stays valid after its capture is gone, and nothing written to it could change what the
// capture exports or measures.
template <typename T>
py::array viewOf(const Block<T>& block, bool rows) {
  auto owner = std::make_unique<std::shared_ptr<T[]>>(block.data);
  const py::capsule base(owner.get(),
                         [](void* held) { delete static_cast<std::shared_ptr<T[]>*>(held); });
  owner.release();  // NOLINT(bugprone-unused-return-value): the capsule owns it now
  std::vector<py::ssize_t> shape;
  if (rows) shape.push_back(static_cast<py::ssize_t>(block.rows));
  shape.push_back(static_cast<py::ssize_t>(block.points));
  py::array_t<T> array(shape, block.data.get(), base);
  array.attr("setflags")(py::arg("write") = false);
  return array;
}

std::string text(std::string_view value) { return std::string(DropTrailingCr(value)); }

// Every value the converter's --info prints, by the same names and in the same order, as
// numbers where they are numbers.
py::dict headerOf(const Capture& capture) {
  const WaveHeader& h = capture.header();
  py::dict d;
  d["ModelName"] = text(h.ModelName);
  d["ChCount"] = h.ChCount;
  d["WfmVersion"] = h.WfmVersion;
  d["FileVersion"] = text(h.FileVersion);
  d["AcqTime"] = text(h.AcqTime);
  d["AcqMode"] = text(h.AcqMode);
  d["TimeDiv"] = h.TimeDiv;
  d["Delay"] = h.Delay;
  d["Delta"] = h.Delta;
  d["Points"] = h.Points;
  d["TrigAddr"] = h.TrigAddr;
  d["DataWidth"] = h.DataWidth;
  d["WfmChannels"] = capture.wfmChannels();
  d["WfmPoints"] = capture.wfmPoints();
  for (std::size_t c = 0; c < h.Channel.size(); ++c) {
    const ChannelSetup& ch = h.Channel[c];
    const std::string k = std::to_string(c + 1);
    d[py::str("Vdiv" + k)] = ch.Vdiv;
    d[py::str("Offset" + k)] = ch.Offset;
    d[py::str("Unit" + k)] = text(ch.Unit);
    d[py::str("Chrev" + k)] = text(ch.Chrev);
    d[py::str("Coupling" + k)] = text(ch.Coupling);
    d[py::str("Bandwidth" + k)] = text(ch.Bandwidth);
    d[py::str("Display" + k)] = text(ch.Display);
    d[py::str("DispOn" + k)] = ch.DispOn;
    d[py::str("Probe" + k)] = text(ch.Probe);
    d[py::str("AutoProbe" + k)] = text(ch.AutoProbe);
    d[py::str("RescaleOn" + k)] = text(ch.RescaleOn);
    d[py::str("RescaleA" + k)] = text(ch.RescaleA);
    d[py::str("RescaleB" + k)] = text(ch.RescaleB);
  }
  return d;
}

std::string channelName(int ch) { return "Ch" + std::to_string(ch + 1); }

py::list channelsOf(const Capture& capture) {
  py::list channels;
  for (const int ch : capture.shown()) {
    const std::string unit = text(capture.header().Channel[static_cast<std::size_t>(ch)].Unit);
    channels.append(py::make_tuple(channelName(ch), unit));
  }
  return channels;
}

py::dict measurementsOf(Capture& capture, std::int64_t start, std::optional<std::int64_t> end) {
  std::vector<ChannelMeasurement> table;
  {
    const py::gil_scoped_release released;
    table = capture.measure(start, end);
  }
  py::dict result;
  for (const ChannelMeasurement& m : table) {
    py::dict row;
    row["min"] = m.min;
    row["max"] = m.max;
    row["peak_to_peak"] = m.peakToPeak;
    row["mean"] = m.mean;
    row["rms"] = m.rms;
    row["frequency"] = m.frequency ? py::object(py::float_(*m.frequency)) : py::object(py::none());
    result[py::str(channelName(m.channel))] = row;
  }
  return result;
}

Block<std::int16_t> rawOf(Capture& capture) {
  const py::gil_scoped_release released;
  return capture.raw();
}

Block<double> timeOf(Capture& capture) {
  const py::gil_scoped_release released;
  return capture.time();
}

py::object pandasOf(Capture& capture) {
  const py::module_ pandas = py::module_::import("pandas");
  const py::array volts = viewOf(capture.volts(), true);
  py::dict columns;
  for (std::size_t row = 0; row < capture.shown().size(); ++row) {
    columns[py::str(channelName(capture.shown()[row]))] = volts[py::int_(row)];
  }
  const py::object index =
      pandas.attr("Index")(viewOf(timeOf(capture), false), py::arg("name") = "Time(s)");
  return pandas.attr("DataFrame")(columns, py::arg("index") = index);
}

std::unique_ptr<Capture> read(const std::filesystem::path& path) {
  const py::gil_scoped_release released;
  return ReadCapture(path, WorkerCount(0, 4));
}

// The iterator read_many returns.
class CaptureIterator {
 public:
  CaptureIterator(std::vector<std::filesystem::path> paths, int jobs)
      : reader_(std::move(paths), jobs) {}

  std::unique_ptr<Capture> next() {
    std::optional<ReadOutcome> outcome;
    {
      const py::gil_scoped_release released;
      outcome = reader_.next();
    }
    if (!outcome) throw py::stop_iteration();
    if (outcome->error) std::rethrow_exception(outcome->error);
    return std::move(outcome->capture);
  }

  std::size_t size() const { return reader_.size(); }

 private:
  ReadAhead reader_;
};

std::unique_ptr<CaptureIterator> readMany(const py::iterable& paths, std::optional<int> jobs) {
  if (jobs && *jobs < 1) throw std::invalid_argument("jobs must be at least 1");
  std::vector<std::filesystem::path> list;
  for (const py::handle item : paths) {
    try {
      list.push_back(item.cast<std::filesystem::path>());
    } catch (const py::cast_error&) {
      throw py::type_error("read_many: a path must be str or os.PathLike, not " +
                           py::str(py::type::of(item).attr("__name__")).cast<std::string>());
    }
  }
  return std::make_unique<CaptureIterator>(std::move(list), jobs.value_or(0));
}

// The exception class ReadError, made once at import.
py::object& readErrorType() {
  static py::object type;
  return type;
}

// pybind11 calls translators through a pointer to a function that takes the pointer by value.
// NOLINTNEXTLINE(performance-unnecessary-value-param)
void translate(std::exception_ptr error) {
  try {
    if (error) std::rethrow_exception(error);
  } catch (const ReadFailure& e) {
    const py::object instance = readErrorType()(e.what());
    instance.attr("path") = py::str(py::cast(e.path()));
    instance.attr("reason") = e.reason();
    PyErr_SetObject(readErrorType().ptr(), instance.ptr());
  } catch (const OpenFailure& e) {
    // OSError(errno, text, filename) is made the subclass the number calls for.
    const py::object instance = py::handle(PyExc_OSError)(
        e.error(), std::generic_category().message(e.error()), py::str(py::cast(e.path())));
    PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(instance.ptr())), instance.ptr());
  } catch (const WriteFailure& e) {
    PyErr_SetString(PyExc_OSError, e.what());
  }
}

}  // namespace
}  // namespace sondrix::python

PYBIND11_MODULE(_sondrix, m) {
  namespace sp = sondrix::python;
  m.doc() = "Reads oscilloscope waveform files (WFM, CSV, TXT) into NumPy arrays.";
  m.attr("__version__") = sondrix::kSondrixVersion;

  sp::readErrorType() = py::reinterpret_steal<py::object>(PyErr_NewExceptionWithDoc(
      "sondrix.ReadError",
      "A file that opened but holds no waveform the reader accepts.\n\n"
      "Attributes: path (the file, as given) and reason (the reader's own words).",
      PyExc_ValueError, nullptr));
  if (!sp::readErrorType()) throw py::error_already_set();
  m.attr("ReadError") = sp::readErrorType();
  py::register_exception_translator(&sp::translate);

  py::class_<sp::Capture>(m, "Capture",
                          "One waveform file as read: its header, its shown channels' samples.")
      .def_property_readonly(
          "path", [](const sp::Capture& c) { return py::str(py::cast(c.path())); },
          "The file it was read from, as given.")
      .def_property_readonly(
          "volts", [](const sp::Capture& c) { return sp::viewOf(c.volts(), true); },
          "float32 array (channels, points): the shown channels in their units, as the CSV "
          "export writes them. Read-only; shares the capture's memory.")
      .def_property_readonly(
          "raw", [](sp::Capture& c) { return sp::viewOf(sp::rawOf(c), true); },
          "int16 array (channels, points): the counts, 8192 per division, inverted where the "
          "channel's setting says so, made on first use. Read-only; shares the capture's memory.")
      .def_property_readonly(
          "time", [](sp::Capture& c) { return sp::viewOf(sp::timeOf(c), false); },
          "float64 array (points,): seconds from the trigger, (i - TrigAddr) * Delta.")
      .def_property_readonly("channels", &sp::channelsOf,
                             "[(name, unit), ...] of the arrays' rows, e.g. ('Ch1', 'V').")
      .def_property_readonly("header", &sp::headerOf,
                             "dict of every header value, named as sondrix-convert --info "
                             "names them (ModelName, TimeDiv, Vdiv1, Display1, ...).")
      .def("measure", &sp::measurementsOf, py::arg("start") = 0, py::arg("end") = py::none(),
           "Measurement table of samples start..end-1 (end None: the last sample) of every shown "
           "channel: {'Ch1': {'min', 'max', 'peak_to_peak', 'mean', 'rms', 'frequency'}, ...}; "
           "frequency is None below two rising crossings. ValueError for an empty window or one "
           "beyond the record.")
      .def(
          "to_csv",
          [](sp::Capture& c, const std::filesystem::path& path, std::int64_t skip) {
            const py::gil_scoped_release released;
            c.writeCsv(path, skip);
          },
          py::arg("path"), py::arg("skip") = 0,
          "Writes the CSV file sondrix-convert writes for the capture (every (skip+1)-th sample, "
          "skip 0..1000), replacing the file safely. OSError when it cannot be written.")
      .def("to_pandas", &sp::pandasOf,
           "pandas DataFrame of the volts, one column per shown channel, indexed by time.")
      .def("__repr__", [](const sp::Capture& c) {
        return "<sondrix.Capture " + py::repr(py::str(py::cast(c.path()))).cast<std::string>() +
               ", " + std::to_string(c.shown().size()) + " channels x " +
               std::to_string(c.header().Points) + " points>";
      });

  py::class_<sp::CaptureIterator>(m, "CaptureIterator",
                                  "The captures of read_many, in the order of its paths.")
      .def("__iter__", [](py::object self) { return self; })
      .def("__next__", &sp::CaptureIterator::next,
           "The next capture; raises its file's error in its place (iteration may go on).")
      .def("__len__", &sp::CaptureIterator::size);

  m.def("read", &sp::read, py::arg("path"),
        "Reads a WFM, CSV or TXT file (by its name's ending, as sondrix-convert does; any other "
        "name as WFM). ReadError when the reader refuses it, OSError when it cannot be opened.");
  m.def("read_many", &sp::readMany, py::arg("paths"), py::arg("jobs") = py::none(),
        "Reads the files on `jobs` threads (None: one per core) and yields their captures in "
        "the given order; a file that fails raises its error at its place.");
}
