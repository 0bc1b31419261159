// Fuzz target: the user's annotation files as another machine or a hand edit may leave them,
// XML or binary: the same bytes as the comment file, the URL file and the private-header file.
// What each reader answers is written back, as an edit of one entry does, and must read back
// the same; a file that cannot be read must never be replaced by an empty store.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "core/model/AnnotationFiles.h"
#include "core/platform/DataFolder.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::FuzzHome& home = fuzz::FuzzHome::get();
    home.clear(home.data());
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const std::string& path : {AnnotationFiles::getCommentFilePath(), AnnotationFiles::getURLFilePath(),
                                    AnnotationFiles::getPrivateHeddersPath()})
        fuzz::FuzzHome::write(path, bytes);
    ProcessState::reset();

    if (std::optional<StringDic> comments = AnnotationFiles::getCommentDic()) {
        KESTREL_FUZZ_CHECK(AnnotationFiles::writeCommentDic(*comments), "the comments could not be written");
        KESTREL_FUZZ_CHECK(AnnotationFiles::getCommentDic() == comments, "the comments read back as others");
    } else {
        KESTREL_FUZZ_CHECK(!AnnotationFiles::writeCommentDic({}), "an unreadable comment file was replaced");
    }

    std::optional<StringDic> urls = AnnotationFiles::getURLDic();
    const std::optional<std::string> url = AnnotationFiles::getClassURL("NSView");
    KESTREL_FUZZ_CHECK(url == (urls && urls->count("NSView") ? std::optional(urls->at("NSView")) : std::nullopt),
                       "a class's URL is not the one in the URL file");
    if (urls) {
        KESTREL_FUZZ_CHECK(AnnotationFiles::writeURLDic(urls), "the URLs could not be written");
        KESTREL_FUZZ_CHECK(AnnotationFiles::getURLDic() == urls, "the URLs read back as others");
    }

    if (std::optional<std::vector<std::string>> paths = AnnotationFiles::getPrivateHedders()) {
        KESTREL_FUZZ_CHECK(AnnotationFiles::writePrivateHedders(*paths), "the private headers could not be written");
        KESTREL_FUZZ_CHECK(AnnotationFiles::getPrivateHedders() == paths, "the private headers read back as others");
    }
    ProcessState::reset();
    return 0;
}
