/* Constants declared inside a category, each after an availability macro of its own line. */
#import <Kit/KitDefines.h>

KIT_DEPRECATED("Use KitImage.", macos(10.5, 10.15))
typedef NSString * KitFilterOption;

@interface KitFilter (KitRaw)

+ (KitFilter *)filterWithURL:(NSURL *)url KIT_DEPRECATED("Use KitImage.", macos(10.5, 10.15));

KIT_DEPRECATED("Use KitImage.", macos(10.5, 10.15))
KIT_EXPORT KitFilterOption const kKitFilterDraftKey;

KIT_SWIFT_NAME(KitFilter.version)
KIT_DEPRECATED("Use KitImage.",
               macos(10.5, 10.15))
KIT_EXPORT KitFilterOption const kKitFilterVersionKey;

KIT_EXPORT KitFilterOption const kKitFilterScaleKey;

KIT_DEPRECATED("Use KitImage.", macos(10.5, 10.15))
- (void)applyDraft;

@end
