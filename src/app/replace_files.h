// Replacing files of one folder together, so that whatever stops the program (a crash, a kill,
// a power cut) the folder holds either every old file or every new one. Each new file is written
// and flushed beside the old one ("<name>.tmp"); then a journal ("save.journal") records what
// the complete temporaries hold; then they are renamed over the old files and the journal goes.
// Reading the folder again first finishes what a journal records (or drops it), and never leaves
// a temporary behind.
#pragma once
#include <functional>
#include <string>
#include <vector>

struct NewFile {
    std::string name;  // within the folder
    std::string text;
};

enum class ReplaceResult {
    replaced,   // every file holds its new text
    unchanged,  // nothing on disk changed
    mixed,      // some files were replaced and could not be put back: `problem` says which
};

// Replaces the files of `folder` by the new texts, all or none. A file that could not be
// replaced after another one was is put back as it was. `problem` gets a line naming what failed.
ReplaceResult replace_files(const std::string& folder, const std::vector<NewFile>& files,
                            std::string* problem);

// Finishes a replacement of `folder` that was stopped half way, or drops it when it never got as
// far as its journal; removes the temporaries of `names`. Returns a line saying what it did, or
// "" when there was nothing to do.
std::string finish_interrupted_replace(const std::string& folder,
                                       const std::vector<std::string>& names);

// Test seam: called before each step of a replacement (0, 1, 2 …); when it returns true the
// replacement stops dead at that step, as a kill would leave it.
void set_replace_stop(std::function<bool(int step)> stop);
