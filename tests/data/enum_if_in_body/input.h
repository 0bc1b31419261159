/* Enumerations whose bodies hold conditional directives, in the shape of a window header. */

typedef enum _NSWindowButton {
    NSWindowCloseButton,
    NSWindowMiniaturizeButton,
#ifdef __OBJC__
    NSWindowZoomButton,
#else
    NSWindowPlainButton,
#endif
#if MAC_OS_X_VERSION_10_2 <= MAC_OS_X_VERSION_MAX_ALLOWED
    NSWindowToolbarButton,
#endif
#if 0
    NSWindowHiddenButton,
#endif
#ifndef GNUSTEP_BASE_LIBRARY
    NSWindowDocumentIconButton
#endif
} NSWindowButton;

typedef enum {
    GSFirst = 0,
#if defined(GS_NEVER_DEFINED)
#if GS_NESTED
    GSNested = 1,
#else
    GSNestedElse = 2,
#endif
    /* an #endif in a comment
       #endif */
    GSHidden = 3,
#endif
    GSLast = 4
} GSOrder;

#if !defined(GS_NEVER_DEFINED)
typedef enum {
    GSVisible = 1
} GSVisibleKind;
#else
typedef enum {
    GSInvisible = 1
} GSInvisibleKind;
#endif
