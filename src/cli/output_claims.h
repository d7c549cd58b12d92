#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace sondrix::cli {

// Whether each output of a batch may be written: never over an input of the batch, nor over the
// output of an earlier file (whether that file then converts or not, so that the answer is known
// before any file is read and does not depend on the order in which parallel work finishes).
// Paths are compared as files, not as spellings: by device and inode (on Windows, volume and file
// index) where the file exists, and by the canonical path of its folder joined with its name
// where it does not yet (on Windows without regard to case), so that "dir/./x", "link-to-dir/x"
// and a hard link all meet. An output that is a symbolic link is followed to where it ends, so
// that two links to one missing name meet there; it is refused when it leads to a WFM capture
// that is no input (a link may point anywhere, and a capture is never a CSV of ours), or when
// the link is one that SafeFile would not follow (FollowLinks). Each path costs one lstat and a
// hash lookup (folders are resolved once each), so a batch is checked in time linear in its
// size. Returns one text per output: empty when it may be written, else the reason it may not;
// names are printed as QuotedPath gives them.
// `outputs[i]` is the output of `inputs[i]`.
std::vector<std::string> CheckOutputs(const std::vector<std::filesystem::path>& inputs,
                                      const std::vector<std::filesystem::path>& outputs);

}  // namespace sondrix::cli
