/* C declarations between the methods of a protocol: the file's all the same. */
#import <Kit/KitDefines.h>

@protocol KitDevice <NSObject>

- (void)send:(const struct KitPacket *)packet;

#if defined(KIT_TIMESTAMP_AS_NSUINTEGER) && KIT_TIMESTAMP_AS_NSUINTEGER
typedef NSUInteger KitTimestamp;
#else
typedef uint64_t KitTimestamp;
#endif

- (void)sampleTimestamp:(KitTimestamp *)timestamp;

/* Keys for the dictionaries in the details array. */
KIT_EXPORT NSString *const KitGrammarRange KIT_AVAILABLE(macos(10.5));
KIT_EXPORT NSString *const KitGrammarCorrections KIT_AVAILABLE(macos(10.5));

enum { KitDeviceIdle, KitDeviceBusy };
struct KitPacket { int length; };

@optional
- (void)reset;
@end
