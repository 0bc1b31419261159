/* Imports nothing: the base framework's macros are unknown here. */
#ifndef __KitAlone_h_INCLUDE
#define __KitAlone_h_INCLUDE

#if BASE_API_VERSION(1, 200)
@interface KitAlone : NSObject
@end
#endif

@interface KitAlwaysSeen : NSObject
- (void) seen;
@end

#endif
