/* Typedefs of every shape, in the manner of a framework's types header. */

typedef void (*NSUncaughtExceptionHandler)(NSException *exception);
typedef void (^NSFooHandler)(id result, NSError *error) NS_SWIFT_SENDABLE;
typedef NSString * NSFooKey NS_TYPED_EXTENSIBLE_ENUM;
typedef NSInteger NSFooLevel API_AVAILABLE(macos(10.10));
typedef const struct CF_BRIDGED_TYPE(NSString) __CFFoo * CFFooRef;
typedef struct CF_BRIDGED_MUTABLE_TYPE(id) __CFFoo * CFMutableFooRef;
typedef struct _KitPair {
    int first;
    int second;
} KitPair, *KitPairPtr;
typedef char KitName[32], *KitNamePtr;
typedef double KitMatrix[4][4];
typedef union _KitValue KitValue;
typedef int KitCompare(const void *a, const void *b);
typedef
IOReturn (*IOBlitterPtr)(void *thisPointer, IOOptionBits options);
typedef struct KitSame KitSame;
typedef volatile struct _KitShared {
    int offsets[4];
} KitShared;

/* Written through macros that no header here defines. */
typedef CALLBACK_API_C( OSErr , KitCoerceProcPtr )(const AEDesc *fromDesc, DescType toType);
typedef STACK_UPP_TYPE(KitCoerceProcPtr) KitCoerceUPP;

/* Enums and the enum macros are read elsewhere: no entries from these here. */
typedef NS_ENUM(NSInteger, KitMode) {
    KitModeOn,
    KitModeOff
};
typedef NS_OPTIONS(NSUInteger, KitFlags);
