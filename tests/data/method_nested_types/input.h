/* Argument types with parentheses of their own, and statements in a class body that are no
   method declarations. The argument name ends at the ")" that closes the whole type, so the
   next selector part keeps its space; a statement is a method only from its sign on. */

#import <Foundation/NSObject.h>

#define DEFINE_BLOCK_TYPE(name, retTy, argTys...) typedef retTy (^name)(argTys)

@interface NSArray : NSObject
- (void) getObjects: (__unsafe_unretained GS_GENERIC_TYPE(ElementT)[])aBuffer
              range: (NSRange)aRange;
- (void) sortUsingFunction: (int (*)(id, id, void *))compare context: (void *)context;
DEFINE_BLOCK_TYPE(GSEnumeratorBlock, void, id, NSUInteger, BOOL*);
- (void) enumerateObjectsUsingBlock: (GSEnumeratorBlock)aBlock;
@end

@interface NSThread : NSObject
#if !defined(GS_NO_THREADS) \
  && !defined(GS_NO_PRIORITIES)
+ (void) setThreadPriority: (double)pri;
#endif
- (void) setStackSize: (NSUInteger)size;
@end

@protocol NSFastEnumeration
- (NSUInteger) countByEnumeratingWithState: (NSFastEnumerationState *)state
                                   objects: (__unsafe_unretained id[])stackbuf
                                     count: (NSUInteger)len;
@end
