/* Functions and variables that no keyword declares: plain prototypes, constants, export
   macros that no header here defines, and the lines around them that declare nothing. */

__BEGIN_DECLS
NS_ASSUME_NONNULL_BEGIN

void KitBeep(void);
NSArray *KitPlaybackDevices (void);
CFDictionaryRef KitCopyInfo(io_service_t service, IOOptionBits options)
    API_AVAILABLE(macos(10.5)) API_UNAVAILABLE(ios);
OS_EXPORT NSNotificationName const KitDidChangeNotification API_AVAILABLE(macos(14.0)) NS_SWIFT_NAME(Kit.didChange);
OS_EXPORT
NSString *const KitNameKey;
CSSM_RETURN KitInit(const CSSM_VERSION *version);
OSStatus KitCopyName(KitRef kit, CFStringRef _Nullable * _Nonnull outName CF_RETURNS_RETAINED);

static const NSInteger KitLimit = 1000;
static const NSPoint KitZeroPoint = {0.0, 0.0};
static inline int KitMax(int a, int b) { return a > b ? a : b; }
static void KitLog(const char *format, ...) __attribute__((unused));

/* Nothing is declared here. */
@class KitObject, KitOther;
DISPATCH_DECL(kit_queue);
enum { KitFirst = 1, KitSecond = 2 } API_AVAILABLE(macos(10.5));
kitCount = 3;
KitDeclare(KitThing);

NS_ASSUME_NONNULL_END
__END_DECLS
