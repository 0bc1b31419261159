// Fuzz target: the preferences file as the user or another version may leave it, XML or binary.
// Set up from it, the preferences are then changed and written, and a second set-up must read
// the written file whole, to the same preferences.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "core/platform/PlistFile.h"
#include "core/platform/PrefData.h"
#include "core/platform/PrefFile.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::FuzzHome& home = fuzz::FuzzHome::get();
    home.clear(home.config());
    const std::string path = PrefFile::getPrefFilePath();
    fuzz::FuzzHome::write(path, std::string_view(reinterpret_cast<const char*>(data), size));

    ProcessState::reset();
    PrefFile::setUpPref();
    const std::shared_ptr<PrefData> pref = ProcessState::prefData();
    KESTREL_FUZZ_CHECK(pref, "no preferences after the set-up");
    const PlistDict read = pref->prefToDic();

    pref->prefChanged = true;  // as the preferences dialog's OK does
    KESTREL_FUZZ_CHECK(PrefFile::writePref(), "the preferences could not be written");
    std::optional<PlistDict> written = PlistFile::readDictionary(path);
    KESTREL_FUZZ_CHECK(written, "the written preferences are no property-list dictionary");
    PrefData again;
    KESTREL_FUZZ_CHECK(again.dicToPref(*written), "the written preferences could not be read whole");
    KESTREL_FUZZ_CHECK(again.prefToDic() == read, "the written preferences read back as others");
    ProcessState::reset();
    return 0;
}
