/* The export macro as a compiler of Objective-C sees it: the #else of __cplusplus. */
#ifndef KIT_DEFINES_H
#define KIT_DEFINES_H

#ifdef __cplusplus
#define KIT_EXTERN extern "C" __attribute__((visibility("default")))
#else
#define KIT_EXTERN extern __attribute__((visibility("default")))
#endif

#define KIT_AVAILABLE(v) __attribute__((availability(macos, introduced = v)))
#define KIT_VERSION_AT_LEAST(major, minor) (KIT_VERSION_MAJOR > (major) || \
    (KIT_VERSION_MAJOR == (major) && KIT_VERSION_MINOR >= (minor)))
#define KIT_VERSION_MAJOR 14
#define KIT_VERSION_MINOR 2

#endif
