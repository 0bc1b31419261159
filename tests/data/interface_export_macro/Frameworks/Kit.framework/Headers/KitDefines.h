/* The framework's export and availability macros, and a protocol list written as a macro. */
#ifndef __KitDefines_h_INCLUDE
#define __KitDefines_h_INCLUDE

#define KIT_EXTERN extern __attribute__((visibility ("default")))
#define KIT_EXPORT KIT_EXTERN
#define KIT_AVAILABLE(v) __attribute__((availability(macos, introduced=v)))
#define KIT_SENDABLE __attribute__((swift_attr("@Sendable")))
#define KIT_MIXING_CONFORMANCE <KitMixing>

#endif
