// Fuzz target: PlistFile's reader on any bytes, XML or binary ("bplist00"). Whatever it reads
// is what a store would write back when it keeps the file's contents (comments, URLs), so a
// value read must either be refused by the writer or read back from the written XML as the
// same value. Where the streaming writer writes it, its bytes are libplist's (or, where keys
// cut at a NUL byte clash, read back as libplist's do).
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "core/platform/PlistFile.h"
#include "core/platform/PlistXmlWriter.h"

using namespace kestrel;

namespace {

// The same value, where reals may differ in their last digits and NaN equals NaN.
bool sameValue(const PlistValue& a, const PlistValue& b) {
    if (a.type() != b.type()) return false;
    switch (a.type()) {
        case PlistValue::Type::Real: {
            const double x = *a.getReal(), y = *b.getReal();
            if (std::isnan(x) || std::isnan(y)) return std::isnan(x) && std::isnan(y);
            return x == y || std::fabs(x - y) <= 1e-12 * std::max(std::fabs(x), std::fabs(y));
        }
        case PlistValue::Type::Date: return std::fabs(a.getDate()->seconds - b.getDate()->seconds) < 1.0;
        case PlistValue::Type::Array: {
            const PlistArray &x = *a.getArray(), &y = *b.getArray();
            if (x.size() != y.size()) return false;
            for (std::size_t i = 0; i < x.size(); ++i)
                if (!sameValue(x[i], y[i])) return false;
            return true;
        }
        case PlistValue::Type::Dictionary: {
            const PlistDict &x = *a.getDict(), &y = *b.getDict();
            if (x.size() != y.size()) return false;
            for (const auto& [key, value] : x) {
                const PlistValue* other = y.find(key);
                if (!other || !sameValue(value, *other)) return false;
            }
            return true;
        }
        default: return a == b;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = fuzz::bytesOf(data, size);
    std::optional<PlistValue> value = PlistFile::parse(bytes);
    if (!value) return 0;
    if (std::optional<std::string> ours = PlistXmlWriter::toXML(*value)) {
        std::optional<std::string> theirs = PlistFile::toXMLThroughLibplist(*value);
        KESTREL_FUZZ_CHECK(theirs, "libplist refused a value the writer wrote");
        if (*ours != *theirs) {
            std::optional<PlistValue> a = PlistFile::parse(*ours), b = PlistFile::parse(*theirs);
            KESTREL_FUZZ_CHECK(a && b && sameValue(*a, *b), "the writer's XML is not libplist's");
        }
    }
    std::optional<std::string> xml = PlistFile::toXML(*value);
    if (!xml) return 0;
    std::optional<PlistValue> again = PlistFile::parse(*xml);
    KESTREL_FUZZ_CHECK(again, "written XML could not be read back");
    KESTREL_FUZZ_CHECK(sameValue(*value, *again), "written XML reads back as another value");
    return 0;
}
