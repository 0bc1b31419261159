/* Conditions that cannot be evaluated are false, and the reading goes on after them. */
#import <Kit/KitDefines.h>

#if KIT_VERSION_MAJOR / (KIT_VERSION_MINOR - 2)
KIT_EXTERN void KitDividedByZero(void);
#elif defined(KIT_VERSION_MAJOR) && (KIT_VERSION_MAJOR > 10
KIT_EXTERN void KitNeverClosed(void);
#else
KIT_EXTERN void KitAfterTheBadConditions(void);
#endif

#if __has_include(<Kit/KitView.h>) && !__has_include(<Kit/KitMissing.h>) && __has_feature(objc_arc) == 0
KIT_EXTERN void KitHasIncludes(void);
#endif
