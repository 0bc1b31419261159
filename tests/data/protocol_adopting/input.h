/* Protocols adopting protocols, in the shape of a framework root object header.
   @protocol NSNotAProtocol inside a comment is not seen. */

#import <Foundation/NSObjCRuntime.h>

@class NSString, NSCoder;

@protocol NSObject

- (BOOL)isEqual:(id)object;
- (unsigned)hash;
- (NSZone *)zone;
- (id)performSelector:(SEL)aSelector withObject:(id)object1 withObject:(id)object2;
- (oneway void)release;
- (NSString *)description;

@end

@protocol NSCoding <NSObject>
- (void)encodeWithCoder:(NSCoder *)aCoder;
- (id)initWithCoder:(NSCoder *)aDecoder;
@end

@protocol NSSecureCoding <NSCoding, NSObject>
+ (BOOL)supportsSecureCoding;
@end

@protocol NSDiscardableContent <NSObject>
@end

@protocol GSArrayBehaviors : NSObject <NSCoding>
- (void)setFoo:(id)foo bar:(int)x;
- (unsigned int)count;
- (const char *)cString;
+ (id)arrayWithObjects:(id)firstObj, ...;
- (id <NSCopying>)key;
- (unsigned long long)size;
- (struct _NSRange)rangeValue;
- (enum GSKind)kind:(id)k extern:(id)e;
- (void)multiLine:(id)first   // the first part
           second:(id)second; /* the second part */
- (id)unfinished
@end

@protocol NSURLHandleClient
- (void)URLHandle:(NSURLHandle *)sender resourceDataDidBecomeAvailable:(NSData *)newBytes;
#if 0
- (void)URLHandleHidden:(NSURLHandle *)sender;
#endif
#ifdef __OBJC__
- (void)URLHandleResourceDidBeginLoading:(NSURLHandle *)sender;
#else
- (void)URLHandleResourceDidNotLoad:(NSURLHandle *)sender;
#endif
@end

@protocol NSObjCTypeSerializationCallBack
typedef struct { int a; } GSIgnored;
- (void)serializeObjectAt:(id *)object ofObjCType:(const char *)type intoData:(NSMutableData *)data;
@end

@protocol GSBraced {
    struct { int x; } inner;
    id delegate;
}
- (id)delegate;
@end
