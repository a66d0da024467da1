#include "support/tool_runner.h"

#include <sys/wait.h>

#include <cstdio>

namespace lineara::test {

namespace {
std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

ToolRun run(const std::string& tool, const std::vector<std::string>& args, const TempDir& dir,
            const std::string& workDir, const std::string* stdoutTarget) {
    std::string errFile = dir.file("stderr.txt");
    // The tool reads the program's settings; unless a test points it at its
    // own, it gets an empty configuration folder, not the developer's.
    std::string config = "\"${XDG_CONFIG_HOME:-" + dir.file("config") + "}\"";
    std::string cmd = "cd " + quote(workDir) + " && XDG_CONFIG_HOME=" + config + " " + quote(tool);
    for (const std::string& a : args) cmd += " " + quote(a);
    cmd += " 2>" + quote(errFile);
    if (stdoutTarget != nullptr) cmd += " >" + quote(*stdoutTarget);
    ToolRun result{-1, {}, {}};
    FILE* p = popen(cmd.c_str(), "r");
    if (p == nullptr) return result;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, p)) > 0) result.out.append(buffer, n);
    int raw = pclose(p);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::vector<uint8_t> err = fileExists(errFile) ? readBytes(errFile) : std::vector<uint8_t>{};
    result.err.assign(err.begin(), err.end());
    return result;
}

}  // namespace

ToolRun runTool(const std::string& tool, const std::vector<std::string>& args, const TempDir& dir,
                const std::string& workDir) {
    return run(tool, args, dir, workDir, nullptr);
}

ToolRun runToolWithOutputTo(const std::string& tool, const std::vector<std::string>& args,
                            const TempDir& dir, const std::string& stdoutTarget) {
    return run(tool, args, dir, ".", &stdoutTarget);
}

}  // namespace lineara::test
