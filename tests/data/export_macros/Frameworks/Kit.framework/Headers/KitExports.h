/* Declarations through the base framework's macros. */
#import <Base/BaseDefines.h>

BASE_EXPORT NSString *const KitErrorDomain BASE_AVAILABLE(10.0);
BASE_EXTERN void KitBeep(void) BASE_SWIFT_NAME(beep());
BASE_EXTERN_THROUGH CFStringRef BASE_NONNULL KitCopyName(CFTypeRef object) BASE_RETURNS_RETAINED;
BASE_WRAPPED int KitCount;
BASE_INLINE int KitMax(int a, int b) { return a > b ? a : b; }
BASE_EXPORT Handle KitLoadResource(ResType type, short id);

BASE_EXPORT BASE_AVAILABLE(10.11)
@interface KitWidget : NSObject
- (void)flash;
@end

BASE_CLASS_EXPORT
@interface KitGadget : NSObject
@end

/* A name that a macro of this header renames only below the declaration keeps its name. */
BASE_EXPORT bool KitPointEqual(int a, int b);
BASE_INLINE bool __KitPointEqual(int a, int b) { return a == b; }
#define KitPointEqual __KitPointEqual
