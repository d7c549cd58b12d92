# Installs the build tree into a fresh prefix, as a user or the Debian package would, and checks
# that the installed converter works and that desktop environments find the menu entry, the
# capture file type, the icon and the manual pages. ctest passes BUILD_DIR, WORK, BINDIR, DATADIR,
# MANDIR, SAMPLES (the sample writer), VERSION, DESKTOP_FILE_VALIDATE, UPDATE_MIME_DATABASE and GIO.
cmake_minimum_required(VERSION 3.25)

function(run_or_fail what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

function(expect_match file regex)
  file(READ "${file}" text)
  if(NOT text MATCHES "${regex}")
    message(SEND_ERROR "${file} does not match ${regex}")
  endif()
endfunction()

set(prefix "${WORK}/prefix")
file(REMOVE_RECURSE "${WORK}")
run_or_fail("cmake --install" "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}")

# The two programs and nothing else: tests and tools stay in the build tree.
file(GLOB programs RELATIVE "${prefix}/${BINDIR}" "${prefix}/${BINDIR}/*")
list(SORT programs)
if(NOT programs STREQUAL "sondrix;sondrix-convert")
  message(SEND_ERROR "installed programs: ${programs}")
endif()

set(desktop "${prefix}/${DATADIR}/applications/sondrix.desktop")
set(mime "${prefix}/${DATADIR}/mime/packages/sondrix.xml")
set(icon "${prefix}/${DATADIR}/icons/hicolor/scalable/apps/sondrix.svg")
foreach(file IN ITEMS "${desktop}" "${mime}" "${icon}")
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
foreach(page IN ITEMS sondrix sondrix-convert)
  # The version went into the page footer.
  expect_match("${prefix}/${MANDIR}/man1/${page}.1" "^\\.TH [-A-Z]+ 1 \"\" \"Sondrix ${VERSION}\"")
endforeach()

if(NOT DESKTOP_FILE_VALIDATE OR NOT UPDATE_MIME_DATABASE)
  message(FATAL_ERROR "desktop-file-validate or update-mime-database is missing: run scripts/setup")
endif()
run_or_fail("desktop-file-validate" "${DESKTOP_FILE_VALIDATE}" "${desktop}")
if(NOT out STREQUAL "")
  message(SEND_ERROR "desktop-file-validate:\n${out}")
endif()
expect_match("${desktop}" "\nExec=sondrix %f\n")
expect_match("${desktop}" "\nIcon=sondrix\n")
# Not every table: only the instrument's waveform tables offer Sondrix.
expect_match("${desktop}" "\nMimeType=application/x-sondrix-wfm;text/x-sondrix-csv;\n")

# The capture type builds into a MIME database, its glob matching .wfm in any case (no "cs" flag).
file(COPY "${prefix}/${DATADIR}/mime/packages" DESTINATION "${WORK}/mime")
run_or_fail("update-mime-database" "${UPDATE_MIME_DATABASE}" "${WORK}/mime")
file(READ "${WORK}/mime/globs2" globs)
if(NOT globs MATCHES "\n[0-9]+:application/x-sondrix-wfm:\\*\\.wfm\n" OR globs MATCHES ":cs\n")
  message(SEND_ERROR "the capture type's glob in globs2:\n${globs}")
endif()

# The installed converter runs on its own: the version of the project, and a capture converted.
set(convert "${prefix}/${BINDIR}/sondrix-convert")
run_or_fail("sondrix-convert --version" "${convert}" --version)
if(NOT out STREQUAL "sondrix-convert ${VERSION}\n")
  message(SEND_ERROR "sondrix-convert --version printed: ${out}")
endif()
run_or_fail("sondrix-samples" "${SAMPLES}" "${WORK}/captures")
run_or_fail("sondrix-convert" "${convert}" -d "${WORK}" "${WORK}/captures/QK2CH_8BIT_5K.WFM")
expect_match("${WORK}/QK2CH_8BIT_5K.CSV" "^ModelName,")

# The waveform table type is told by the first line, as a desktop finds it with its own types in
# the system's database beside the prefix's: the instrument's tables and the ones Sondrix stores
# (.CSV or .TXT) are typed so, other tables and texts keep their own type.
if(NOT GIO)
  message(FATAL_ERROR "gio is missing: run scripts/setup")
endif()
file(WRITE "${WORK}/types/sheet.csv" "Name,Amount\r\nBob,3\r\n")
file(WRITE "${WORK}/types/notes.txt" "A note on the model\r\n")
file(WRITE "${WORK}/types/late.csv" "Points,100\r\nModel,DSX7002\r\n")
file(COPY "${WORK}/captures/CSV4CH_10K.CSV" "${WORK}/QK2CH_8BIT_5K.CSV" DESTINATION "${WORK}/types")
file(GLOB text_samples "${WORK}/captures/*.TXT")
list(GET text_samples 0 text_sample)
file(COPY "${text_sample}" DESTINATION "${WORK}/types")
get_filename_component(text_sample "${text_sample}" NAME)
foreach(case IN ITEMS "CSV4CH_10K.CSV=text/x-sondrix-csv" "QK2CH_8BIT_5K.CSV=text/x-sondrix-csv"
                      "${text_sample}=text/x-sondrix-csv" "sheet.csv=text/csv"
                      "late.csv=text/csv" "notes.txt=text/plain")
  string(REPLACE "=" ";" case "${case}")
  list(GET case 0 name)
  list(GET case 1 expected)
  run_or_fail("gio info ${name}" "${CMAKE_COMMAND}" -E env "XDG_DATA_HOME=${WORK}"
    "XDG_DATA_DIRS=/usr/share" GIO_USE_VFS=local
    "${GIO}" info -a standard::content-type "${WORK}/types/${name}")
  if(NOT out MATCHES "standard::content-type: ${expected}\n")
    message(SEND_ERROR "${name} is not typed ${expected}:\n${out}")
  endif()
endforeach()
