/* A guarded header: its imports are recorded, so the macros of the base framework decide
   its conditions during the analysis. */

#ifndef __KitWidget_h_INCLUDE
/* a comment between the guard and its define */
#define __KitWidget_h_INCLUDE

#import <Base/BaseMacros.h>

#if BASE_API_VERSION(1, 200)
@interface KitWidget : NSObject
- (void) display;
#if BASE_HAS_PROPERTIES
@property (readonly) int tag;
#endif
#ifdef BASE_EXTRAS
- (void) extra;
#endif
@end
#endif

#ifdef KIT_NEVER_DEFINED
@interface KitHidden : NSObject
@end
#endif

#endif /* __KitWidget_h_INCLUDE */
