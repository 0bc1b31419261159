/* Collections declared through a generics macro. */
#ifndef __KitList_h_INCLUDE
#define __KitList_h_INCLUDE

#import <Base/BaseGenerics.h>

@interface GENERIC_CLASS(KitList, __covariant ElementT) : NSObject <NSCopying, NSCoding>
- (NSUInteger) count;
@end

@interface GENERIC_CLASS(KitMutableList, ElementT) :
  GENERIC_CLASS(KitList, ElementT)
- (void) addObject: (id)anObject;
@end

@interface GENERIC_CLASS(KitMap,
  __covariant KeyT:id<NSCopying>, __covariant ValT)
  : NSObject <NSFastEnumeration>
- (id) objectForKey: (id)aKey;
@end

@interface GENERIC_CLASS(KitList, ElementT) (Sorting)
- (id) sortedList;
@end

@interface SECOND_NAME(KitFirst, KitSecond) : NSObject
- (void) notAClass;
@end

@interface GENERIC_CLASSES(KitThing) : NSObject
@end

/* A macro for another name: the class is KitConstantString. */
@interface KitOldString : NSObject
- (const char *) cString;
@end

#endif
