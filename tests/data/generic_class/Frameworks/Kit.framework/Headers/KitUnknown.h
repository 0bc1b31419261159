/* Imports nothing: GENERIC_CLASS is no macro that this header knows. */
@interface GENERIC_CLASS(KitUnknown, T) : NSObject
- (void) asBefore;
@end
