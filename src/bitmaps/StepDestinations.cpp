#include "bitmaps/StepDestinations.h"

#include <algorithm>
#include <system_error>

#include "base/FailureReason.h"
#include "base/FileCopy.h"
#include "base/PathText.h"
#include "bitmaps/SourcePicture.h"
#include "bitmaps/TemplatePicture.h"
#include "driver/ScenarioConverter.h"

namespace fs = std::filesystem;

namespace {

// A picture with its size, as an account of the run tells it.
template <typename Picture>
ScenarioConverter::PictureShown shown(const fs::path& path, const Picture& picture) {
    return {path, picture.width(), picture.rowCount()};
}

}  // namespace

void reportStepProblem(ScenarioConverter& converter, const char* bitmap, const std::string& what) {
    converter.reportProblem("Error: " + what + ", " + bitmap + " not converted!");
}

StepPicture& StepDestinations::add(TemplatePicture& picture) {
    StepPicture& added = pictures_[count_++];
    added.picture = &picture;
    return added;
}

// A Converted folder that links back to the scenario or template folder would make a
// destination overwrite the picture it is made from. A destination that is not there
// yet is none of them.
bool StepDestinations::areNew() {
    for (std::size_t i = 0; i < count_; ++i) {
        StepPicture& picture = pictures_[i];
        const fs::path& destination = picture.destinationPath;
        std::error_code ignored;
        picture.found = fs::symlink_status(destination, ignored).type();
        if (picture.found == fs::file_type::not_found || picture.found == fs::file_type::none) {
            continue;
        }
        if (const ScenarioConverter::Output* earlier = converter_.outputAt(destination)) {
            converter_.reportReplacement(sourcePath_, "converted", *earlier);
            return false;
        }
        bool clash = isSameFile(destination, sourcePath_);
        for (std::size_t j = 0; j < count_; ++j) {
            clash = clash || isSameFile(destination, pictures_[j].templatePath);
        }
        if (clash) {
            report(displayPath(destination) + " is one of the pictures it is made from");
            return false;
        }
    }
    return true;
}

// Creates each destination file and writes it as a copy of its template, in the order
// of the file: the bytes before the band, the band a window of rows at a time (the
// windows of all the step's pictures read, edited together by the layout, and written),
// the bytes after it. The files of the destination names are replaced only once every
// destination of the step is complete.
bool StepDestinations::write(LayoutCall layout, const SourcePicture& source) {
    return create() && copyTemplates(layout, source) && putInPlace(source);
}

bool StepDestinations::create() {
    for (std::size_t i = 0; i < count_; ++i) {
        StepPicture& picture = pictures_[i];
        picture.destination.emplace(picture.destinationPath);
        made_ = i + 1;
        if (!picture.destination->isOpen()) {
            report("could not create " + displayPath(picture.destinationPath) + picture.destination->failureReason());
            return false;
        }
    }
    return true;
}

bool StepDestinations::copyTemplates(LayoutCall layout, const SourcePicture& source) {
    TemplatePicture* destinations[kMaxTemplates] = {};
    std::int64_t windows = 0;
    for (std::size_t i = 0; i < count_; ++i) {
        destinations[i] = pictures_[i].picture;
        windows = std::max(windows, pictures_[i].picture->windowCount());
    }
    for (std::size_t i = 0; i < count_; ++i) {
        StepPicture& picture = pictures_[i];
        TemplatePicture& copy = *picture.picture;
        if (!copied(picture, copy.copyBeforeBand(picture.templateFile, picture.destination->stream()))) {
            return false;
        }
    }
    for (std::int64_t window = 0; window < windows; ++window) {
        for (std::size_t i = 0; i < count_; ++i) {
            StepPicture& picture = pictures_[i];
            if (!copied(picture, picture.picture->readWindow(picture.templateFile, window))) {
                return false;
            }
        }
        if (layout(converter_, source, destinations) != 1) {
            report(displayPath(sourcePath_) + " has cells outside its pictures");
            return false;
        }
        for (std::size_t i = 0; i < count_; ++i) {
            StepPicture& picture = pictures_[i];
            if (!copied(picture, picture.picture->storeHeld(picture.destination->stream()))) return false;
        }
    }
    for (std::size_t i = 0; i < count_; ++i) {
        StepPicture& picture = pictures_[i];
        TemplatePicture& copy = *picture.picture;
        if (!copied(picture, copy.copyAfterBand(picture.templateFile, picture.destination->stream()))) {
            return false;
        }
        if (!copied(picture, picture.destination->finish())) return false;
    }
    return true;
}

bool StepDestinations::putInPlace(const SourcePicture& source) {
    for (std::size_t i = 0; i < count_; ++i) {
        StepPicture& picture = pictures_[i];
        if (!copied(picture, picture.destination->commit())) return false;
        converter_.recordOutput(picture.destinationPath);
        // Improvements.bmp is told against its template, as no scenario picture of its own exists.
        const TemplatePicture& made = *picture.picture;
        converter_.recordPicture({i == 0 ? shown(sourcePath_, source) : shown(picture.templatePath, made),
                                  shown(picture.destinationPath, made)});
    }
    return true;
}

// Reports a copy of a template that failed, by the file that failed it.
bool StepDestinations::copied(const StepPicture& picture, bool succeeded) {
    if (succeeded) return true;
    if (picture.templateFile.fail()) {
        report("could not read " + displayPath(picture.templatePath) +
               failureReason(picture.templatePath, picture.templateFile.error()));
    } else {
        report("could not write " + displayPath(picture.destinationPath) + picture.destination->failureReason());
    }
    return false;
}

void StepDestinations::remove() {
    for (std::size_t i = 0; i < made_; ++i) pictures_[i].destination->discard();
}
