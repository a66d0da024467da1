// Runs lineara-tool as a script would and collects what it says.
#pragma once

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace lineara::test {

struct ToolRun {
    int status;  // the exit status, -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs `tool` with `args` from the folder `workDir`; standard error goes
// through a file in `dir`.
ToolRun runTool(const std::string& tool, const std::vector<std::string>& args, const TempDir& dir,
                const std::string& workDir = ".");

// The same with standard output sent to `stdoutTarget` (a file, /dev/full)
// instead of being collected.
ToolRun runToolWithOutputTo(const std::string& tool, const std::vector<std::string>& args,
                            const TempDir& dir, const std::string& stdoutTarget);

}  // namespace lineara::test
