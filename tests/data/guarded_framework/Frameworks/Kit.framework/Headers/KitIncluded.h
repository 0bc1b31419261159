/* #include of a framework header brings in its defines as #import does. */
#ifndef __KitIncluded_h_INCLUDE
#define __KitIncluded_h_INCLUDE

#include <Base/BaseMacros.h>

#if BASE_API_VERSION(1, 200)
@interface KitIncluded : NSObject
- (id) init;
@end
#endif

#endif
