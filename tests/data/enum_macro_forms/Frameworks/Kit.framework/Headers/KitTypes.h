/* Enums written with the macros of the base framework, with and without typedef. */
#import <Base/BaseAvailability.h>

typedef KIT_ENUM(long, KitAlignment) {
    KitAlignmentLeft = 0,
    KitAlignmentRight BASE_AVAILABLE(10.12) = 1,
    KitAlignmentCenter BASE_SWIFT_NAME(center),
    KitAlignmentLast __attribute__((deprecated)) = KitAlignmentCenter,
} BASE_AVAILABLE(10.10);

typedef KIT_OPTIONS(unsigned long, KitMask) {
    KitMaskNone = 0,
    KitMaskTitled = 1 << 0,
    KitMaskWide = (1UL <<
                   62),
};

typedef BASE_ERROR_ENUM(KitErrorDomain, KitError) {
    KitErrorNone = 0, KitErrorBroken = -1
};

BASE_ENUM(int) {
    kKitTypeText = 'TEXT',
    kKitTypeSpace = 'ab  ',
    kKitTypeComma = ',',
    kKitTypeHash = '#'
};

typedef BASE_OLD_ENUM(short, KitOldStyle) {
    KitOldA, KitOldB
};

typedef BASE_FLAGS_ENUM {
    KitFlagA = 1
} KitFlags;

/* A forward declaration gives the typedef only. */
typedef KIT_ENUM(long, KitLater);

/* Not enum macros: an attribute macro, and a function taking an enum. */
BASE_DEPRECATED_ATTRIBUTE int KitNothing(void);
KitAlignment KitAlignmentOf(int x);
