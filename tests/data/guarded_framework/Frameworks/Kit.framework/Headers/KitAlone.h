/* Imports nothing, yet uses a macro of the base framework: expanded as a compiler would have it
   after the headers an umbrella includes first. Whether it is defined stays unknown here. */
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
