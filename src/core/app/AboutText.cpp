#include "core/app/AboutText.h"

#include <cstdio>

#include "core/platform/InfoPlist.h"

namespace kestrel {

std::string AboutText::statusText(std::size_t classCount) {
    char count[32];
    std::snprintf(count, sizeof count, "%3zu", classCount);
    return InfoPlist::localizedString("aboutMessageFront") + count + InfoPlist::localizedString("aboutMessageRear");
}

}  // namespace kestrel
