/* Class type parameters, as today's frameworks write them: with variance, with a bound that
   holds its own angle brackets, several of them, before a category. They are no protocols;
   the protocols are the list after the superclass, or the only list of a root class. */

@interface NSArray<__covariant ObjectType> : NSObject <NSCopying, NSFastEnumeration>
- (ObjectType)firstObject;
@end

@interface NSFetchRequest<ResultType : id<NSFetchRequestResult>> : NSPersistentStoreRequest <NSCoding>
- (NSArray<ResultType> *)execute:(NSError **)error;
@end

@interface NSCache<KeyType, ObjectType> : NSObject
- (ObjectType)objectForKey:(KeyType)key;
@end

@interface NSMeasurement<UnitType: NSUnit *> : NSObject<NSCopying, NSSecureCoding> {
    UnitType _unit;
}
@end

@interface GCCollection<Key: NSString*, __covariant Element: id<GCElement>> : NSObject <NSFastEnumeration>
@end

@interface NSArray<ObjectType> (NSExtendedArray) <NSSecureCoding>
- (NSArray<ObjectType> *)arrayByAddingObject:(ObjectType)anObject;
@end

@interface NSObject <NSObject>
- (id)self;
@end
