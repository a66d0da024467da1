// An image sink for HTML presentation tests: writes small stand-in files
// where the real one writes GIF and JPEG images, records every call, and
// fails when told to.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "core/platform/atomic_file.h"
#include "core/reports/html_presentation.h"

namespace lineara::test {

class FakeHtmlImages : public HtmlImageSink {
public:
    struct Picture {
        int width;
        int height;
    };

    // What each call saw, in order: "shared", "person <id> <picturePath>"
    // (the id the files are named by), "finish".
    std::vector<std::string> calls;
    // Persons (by their record's id) whose picture the sink "reduces" to
    // this size.
    std::map<int, Picture> pictures;
    bool failShared = false;
    int failPersonId = 0;  // writePersonImages fails for this id
    bool failFinish = false;
    bool writeFiles = true;  // false: report success without writing
    std::string failure = "disk on fire";

    bool writeSharedImages(const std::string& outputFolder) override {
        calls.push_back("shared");
        if (failShared) return fail();
        return put(outputFolder + "/blank.gif") && put(outputFolder + "/arrow.gif");
    }

    PersonImages writePersonImages(const PersonRecord& person, const std::string& id,
                                   const std::string& picturePath,
                                   const std::string& outputFolder) override {
        calls.push_back("person " + id + " " + picturePath);
        PersonImages images;
        if (person.personId() == failPersonId) {
            images.ok = fail();
            return images;
        }
        images.ok = put(outputFolder + "/" + id + ".gif");
        auto picture = pictures.find(person.personId());
        if (images.ok && picture != pictures.end()) {
            images.hasPicture = put(outputFolder + "/pict" + id + ".jpg");
            images.pictureWidth = picture->second.width;
            images.pictureHeight = picture->second.height;
        }
        return images;
    }

    bool finish() override {
        calls.push_back("finish");
        return failFinish ? fail() : true;
    }

    std::string error() const override { return error_; }

private:
    bool fail() {
        error_ = failure;
        return false;
    }
    bool put(const std::string& path) { return writeFileAtomically(path, "x", 1, error_); }

    std::string error_;
};

}  // namespace lineara::test
