#pragma once
// The availability macros of Apple's SDKs read by their names, for a text in which they were
// not expanded (the headers read without the SDK's usr/include, as the Mac OS X 10.4 headers
// are, or a macro the define pass did not see). Each family's meaning is the one its SDK header
// gives it:
//
//   API_AVAILABLE(macos(10.7), ios(5.0))              API_UNAVAILABLE(ios, tvos)
//   API_DEPRECATED("m", macos(10.0, 10.14))           API_DEPRECATED_WITH_REPLACEMENT("r", macos(10.0, 10.14))
//   NS_AVAILABLE(10_7, 5_0)  NS_AVAILABLE_MAC(10_7)   NS_DEPRECATED_MAC(10_0, 10_5, "m")   (also CF_, _CLASS_, _ENUM_)
//   __OSX_AVAILABLE_STARTING(__MAC_10_5, __IPHONE_2_0)  __OSX_AVAILABLE_BUT_DEPRECATED(__MAC_10_0, __MAC_10_5, ...)
//   __OSX_AVAILABLE(10.12)  __IOS_PROHIBITED  __OSX_DEPRECATED(10.0, 10.12, "m")
//   AVAILABLE_MAC_OS_X_VERSION_10_2_AND_LATER_BUT_DEPRECATED_IN_MAC_OS_X_VERSION_10_4
//   DEPRECATED_IN_MAC_OS_X_VERSION_10_4_AND_LATER  DEPRECATED_ATTRIBUTE  DEPRECATED_MSG_ATTRIBUTE("m")
//   UNAVAILABLE_ATTRIBUTE  NS_UNAVAILABLE
//
// "NA" for a platform's version means "not on that platform".
#include <cstddef>

#include "core/model/Availability.h"
#include "core/parse/PreprocessorLexer.h"

namespace kestrel {

class AvailabilityMacroForms {
public:
    // Reads the macro whose name is tokens[at] into `into`; answers the index after it and its
    // arguments, or at + 1 when the name is no availability macro.
    static std::size_t read(const PreprocessorTokens& tokens, std::size_t at, Availability& into);
};

}  // namespace kestrel
