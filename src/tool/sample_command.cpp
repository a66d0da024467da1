// make-sample: writes the sample family, the example tree shipped with the
// program, with its pictures and notes into a fresh folder.
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "core/formats/tree_file.h"
#include "core/platform/atomic_file.h"
#include "testdata/portrait.h"
#include "testdata/sample_family.h"
#include "tool/commands.h"
#include "tool/standard_output.h"

namespace lineara::tool {

namespace {

constexpr char kTreeFile[] = "sample.ln3";

bool writeFile(const std::string& path, const std::string& bytes, std::string& error) {
    return writeFileAtomically(path, bytes.data(), bytes.size(), error);
}

bool writePicture(const std::string& path, const PortraitStyle& style, std::string& error) {
    std::vector<uint8_t> jpeg;
    if (!encodeJpeg(drawPortrait(style), kPortraitWidth, kPortraitHeight, jpeg, error)) {
        error = "Cannot write file \"" + path + "\". " + error;
        return false;
    }
    return writeFile(path, std::string(jpeg.begin(), jpeg.end()), error);
}

}  // namespace

int makeSample(const CommandLine& line) {
    const std::filesystem::path dir(line[0]);
    auto inDir = [&dir](const char* name) { return (dir / name).string(); };
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) return fail("Cannot create folder \"" + dir.string() + "\". " + ec.message());

    // The sample is for a fresh folder: it never takes the place of files
    // someone may have changed since, not even one of them.
    std::vector<const char*> names;
    const std::vector<SamplePicture> pictures = samplePictures();
    for (const SamplePicture& p : pictures) names.push_back(p.file);
    names.push_back(kSampleNotesFile);
    names.push_back(kTreeFile);
    for (const char* name : names) {
        struct stat st;
        if (lstat(inDir(name).c_str(), &st) == 0) {
            return fail(fileErrorMessage("Cannot create file", inDir(name), EEXIST));
        }
    }

    // The companion files first, so that the tree never names a file that
    // is not there yet.
    std::vector<std::string> written;
    std::string error;
    for (const SamplePicture& p : pictures) {
        written.push_back(inDir(p.file));
        if (!writePicture(written.back(), p.style, error)) return fail(error);
    }
    written.push_back(inDir(kSampleNotesFile));
    if (!writeFile(written.back(), sampleNotesText(), error)) return fail(error);

    PersonList list;
    if (!buildSampleFamily(list, error)) return fail(error);
    written.push_back(inDir(kTreeFile));
    SaveResult saved = SavetoFile(list, written.back());
    if (!saved.written()) return fail(saved.message);

    for (const std::string& path : written) out() << path << '\n';
    return 0;
}

}  // namespace lineara::tool
