/* A header of the same name as Kit's, which only forwards here. The two share one define
   record, whichever is read first; either way it must hold this header's imports, or the
   version test below rejects the whole body. */

#ifndef _KitExtras_H_KitTheme
#define _KitExtras_H_KitTheme

#import <Base/BaseVersions.h>

#if BASE_API_VERSION(0, 200)
@interface KitTheme : NSObject
- (void) activate;
@end

extern NSString *KitThemeDidActivateNotification;
#endif

#endif /* _KitExtras_H_KitTheme */
