#pragma once

// The converter's texts, exactly as it prints them. Pieces that surround a name or a number say
// so; the separators between them (": ", line ends) stay where the text is put together.
namespace sondrix::cli_messages {

// --help: what the program does, then each option and argument.
inline constexpr const char* kAbout =
    "Converts oscilloscope WFM captures and CSV/TXT waveform files into CSV files (time and volts "
    "per channel).";
// Followed by the largest interval.
inline constexpr const char* kHelpSkip =
    "Write every (N+1)-th sample; the leading number counts, rounded half to even and kept within "
    "0..";
inline constexpr const char* kHelpOutput = "Output file (one input only); - for standard output";
inline constexpr const char* kHelpDir = "Folder for the output files";
inline constexpr const char* kHelpInfo = "Print the header members of each file and write nothing";
inline constexpr const char* kHelpJobs =
    "Threads: convert up to N files at once (default: the number of cores)";
inline constexpr const char* kHelpFilesFrom =
    "Also convert the files named in LIST, one per line ('-': standard input)";
inline constexpr const char* kHelpNull = "The names in LIST end with a NUL byte, not a line end";
inline constexpr const char* kHelpFiles = "WFM, CSV or TXT files to convert";
inline constexpr const char* kHelpWatch =
    "Convert each WFM capture that appears in DIR once complete, and first those without an "
    "up-to-date output; runs until INT or TERM";
inline constexpr const char* kHelpPoll =
    "With --watch: list DIR every second instead of waiting "
    "on the system's change notice";

// After a mistake on the command line, on the line below it.
inline constexpr const char* kSeeHelp = "Run with --help for more information.";
// Followed by the name given to -d; worded as the option parser words its own checks.
inline constexpr const char* kNoSuchFolder = "Directory does not exist: ";
inline constexpr const char* kFolderIsAFile = "Directory is actually a file: ";
inline constexpr const char* kNoInput =
    "name the files to convert, or a list of them with --files-from";
// Around the number of inputs.
inline constexpr const char* kOneOutput = "-o names one output file, but ";
inline constexpr const char* kOneOutputEnd = " inputs were given";
// Followed by the system's reason, when standard output did not take the text.
inline constexpr const char* kWriteError = "write error";

// Before each capture's header members under --info; followed by the file's name.
inline constexpr const char* kInfoFile = "File: ";

// A list of file names (--files-from): "the list NAME cannot be read: " and why.
inline constexpr const char* kTheList = "the list ";
inline constexpr const char* kCannotBeRead = " cannot be read: ";
// Where in the list, followed by the entry's number.
inline constexpr const char* kListLine = "line ";
inline constexpr const char* kListEntry = "entry ";
inline constexpr const char* kHoldsNul = "holds a NUL byte";
// Around the longest name there may be.
inline constexpr const char* kLongerThan = "longer than ";
inline constexpr const char* kLongerThanEnd = " bytes, the longest name the system takes";
// Followed by a count, then one of the endings.
inline constexpr const char* kMoreThan = "more than ";
inline constexpr const char* kEmptyLinesInARow = " empty lines in a row";
inline constexpr const char* kEmptyNamesInARow = " empty names in a row";
inline constexpr const char* kTooManyNames = " names; split the list";

// Why an output is not written: "the output NAME would replace " and what it would replace.
inline constexpr const char* kTheOutput = "the output ";
inline constexpr const char* kWouldReplace = " would replace ";
inline constexpr const char* kTheInput = "the input";
// Followed by a name.
inline constexpr const char* kTheCapture = "the capture ";
inline constexpr const char* kTheOutputOf = "the output of ";
// "the output NAME is not written: the link LINK belongs to ...".
inline constexpr const char* kLinkNotFollowed = " is not written: the link ";
inline constexpr const char* kLinkOfAnotherUser =
    " belongs to another user in a world-writable sticky folder";

}  // namespace sondrix::cli_messages
